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
// the time it kept, read-only files included: undone, or why not.
RowResult writeBack(const std::wstring& path, const WrittenTime& time)
{
    bool changed = false;
    const bool written = tkit::writeTimes(tkit::PlatformPath(path), [&](const tkit::File& file) {
        FILETIME current = {};
        changed = !sameFile(time.file, file) || !file.readLastWriteTime(current) ||
                  CompareFileTime(&current, &time.kept) != 0;
        return !changed && file.writeLastWriteTime(time.before);
    });
    if (written)
        return {RowOutcome::undone};
    return changed ? RowResult{RowOutcome::changedSince, ERROR_SUCCESS, true}
                   : failureOf(GetLastError(), true);
}

// What an undo gives a row: the status before the restore unless the file was
// left, and the row's result.
struct RowAfterUndo
{
    std::optional<EntryStatus> status;
    RowResult result;
};

} // namespace

void RestoreRecord::note(const std::wstring& path, EntryStatus before,
                         const RowResult& resultBefore, const std::optional<WrittenTime>& written)
{
    entries.push_back({path, before, resultBefore, written});
    if (written)
        ++writes;
}

Skipped RestoreRecord::undo(FileListView& list, Steps& steps)
{
    // Last first: a file restored twice in one pass (two rows of one path)
    // gets the time it had before the first write.
    Skipped left;
    std::map<std::wstring, RowAfterUndo> after;
    std::vector<Entry> taken;
    taken.swap(entries);
    writes = 0;
    results = ResultSummary();
    steps.setTotal(taken.size());
    for (auto entry = taken.rbegin(); entry != taken.rend(); ++entry)
    {
        if (entry != taken.rbegin() && !steps.advance())
        {
            // Stopped: the entries not reached are still to be taken back.
            taken.erase(entry.base(), taken.end());
            for (const Entry& kept : taken)
                note(kept.path, kept.status, kept.result, kept.written);
            break;
        }
        // Nothing was written: the row is as it was before the restore.
        if (!entry->written)
        {
            after[entry->path] = {entry->status, entry->result};
            results.addUntouched();
            continue;
        }
        const RowResult back = writeBack(entry->path, *entry->written);
        results.add(back);
        if (!back.failed())
        {
            after[entry->path] = {entry->status, back};
            continue;
        }
        after[entry->path] = {std::nullopt, back};
        // Walking back, the last one met is the first in the list.
        ++left.count;
        left.first = entry->path;
    }

    const tkit::RedrawPause pause(list);
    for (int row = 0, count = list.itemCount(); row < count; ++row)
    {
        const auto found = after.find(list.path(row));
        if (found == after.end())
            continue;
        // The status first: a row reset to no status loses its result.
        if (found->second.status)
            list.setStatus(row, *found->second.status);
        list.setResult(row, found->second.result);
    }
    return left;
}
