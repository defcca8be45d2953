#include "stamps/RestoreRecord.h"

#include "stamps/FileListView.h"
#include "tkit/ui/RedrawPause.h"
#include "tkit/fs/File.h"
#include "tkit/fs/PlatformPath.h"
#include "tkit/fs/TimeWriter.h"

#include <map>

namespace
{

// Whether an open file is the one a restore wrote: a file deleted and made
// anew, a copy with the restored time say, is another. A volume that gives no
// file ids (some shares) leaves only the time to go by.
bool sameFile(const tkit::EntryIdentity& written, const tkit::File& file)
{
    const std::optional<tkit::EntryIdentity> now = tkit::openEntryIdentity(file.handle());
    return now && (written.known() ? written == *now : !now->known());
}

// Writes before back when the file is the one written and still has exactly
// the time it kept, read-only files included.
bool writeBack(const std::wstring& path, const WrittenTime& time)
{
    return tkit::writeTimes(tkit::PlatformPath(path), [&](const tkit::File& file) {
        FILETIME current = {};
        return sameFile(time.file, file) && file.readLastWriteTime(current) &&
               CompareFileTime(&current, &time.kept) == 0 && file.writeLastWriteTime(time.before);
    });
}

} // namespace

void RestoreRecord::note(const std::wstring& path, EntryStatus before,
                         const std::optional<WrittenTime>& written)
{
    entries.push_back({path, before, written});
    if (written)
        ++writes;
}

Skipped RestoreRecord::undo(FileListView& list, Steps& steps)
{
    // Last first: a file restored twice in one pass (two rows of one path)
    // gets the time it had before the first write.
    Skipped left;
    std::map<std::wstring, EntryStatus> statuses;
    std::vector<Entry> taken;
    taken.swap(entries);
    writes = 0;
    steps.setTotal(taken.size());
    for (auto entry = taken.rbegin(); entry != taken.rend(); ++entry)
    {
        if (entry != taken.rbegin() && !steps.advance())
        {
            // Stopped: the entries not reached are still to be taken back.
            taken.erase(entry.base(), taken.end());
            for (const Entry& kept : taken)
                note(kept.path, kept.status, kept.written);
            break;
        }
        if (!entry->written || writeBack(entry->path, *entry->written))
        {
            statuses[entry->path] = entry->status;
            continue;
        }
        // Walking back, the last one met is the first in the list.
        ++left.count;
        left.first = entry->path;
    }

    const tkit::RedrawPause pause(list);
    for (int row = 0, count = list.itemCount(); row < count; ++row)
    {
        if (const auto found = statuses.find(list.path(row)); found != statuses.end())
            list.setStatus(row, found->second);
    }
    return left;
}
