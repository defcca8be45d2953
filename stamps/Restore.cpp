#include "stamps/Restore.h"

#include "stamps/FileListView.h"
#include "stamps/Timestamp.h"
#include "tkit/ui/RedrawPause.h"
#include "tkit/fs/File.h"
#include "tkit/fs/PlatformPath.h"
#include "tkit/fs/TimeWriter.h"

#include <optional>
#include <vector>

namespace
{

// Whether an entry carries the row's time.
bool carries(const tkit::PlatformPath& target, const RowTime& time)
{
    const std::optional<FILETIME> current = tkit::readLastWriteTime(target).time;
    return current && sameTimestamp(*current, time);
}

// The outcome of writing one row's time onto its file.
struct Written
{
    // The file carries the time: it was written, or was there already.
    bool done = false;
    // What was written, where something was and the time kept could be read.
    std::optional<WrittenTime> time;
};

// Writes the row's time as the entry's last-write time, unless it carries that time
// already: then it is not opened for writing and no attribute is written.
Written writeLastWriteTime(const tkit::PlatformPath& target, const RowTime& time)
{
    const std::optional<FILETIME> current = tkit::readLastWriteTime(target).time;
    if (!current)
        return {};
    if (sameTimestamp(*current, time))
        return {true, std::nullopt};
    Written outcome;
    outcome.done = tkit::writeTimes(target, [&](const tkit::File& file) {
        if (!file.writeLastWriteTime(time.utc))
            return false;
        // An undo looks for the time the volume kept, which may be cut to
        // whole seconds or FAT's 2 s, on the same file.
        FILETIME kept = {};
        const std::optional<tkit::EntryIdentity> id = tkit::openEntryIdentity(file.handle());
        if (file.readLastWriteTime(kept))
            outcome.time = WrittenTime{*current, kept, id.value_or(tkit::EntryIdentity{})};
        return true;
    });
    return outcome;
}

// A row whose time was written (or already there), to be checked once the pass is done.
struct WrittenRow
{
    int row;
    tkit::PlatformPath target;
    RowTime time;
};

} // namespace

RestoreRecord restoreCheckedRows(FileListView& list, Steps& steps)
{
    RestoreRecord record;
    // The new colours show when the list next paints; with repainting on, every
    // status change would invalidate its row on the spot, at several times the
    // cost of the change itself.
    tkit::RedrawPause pause(list);
    std::vector<WrittenRow> written;
    const int count = list.itemCount();
    steps.setTotal(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row)
    {
        if (list.isChecked(row))
        {
            // Every call for the row names the entry by the same name.
            tkit::PlatformPath target(list.path(row));
            const std::optional<RowTime> time = list.rowTime(row);
            const Written outcome = time ? writeLastWriteTime(target, *time) : Written{};
            // An undo puts back what was written; a file left as it was has nothing to take back.
            record.note(target.path(), list.status(row), outcome.time);
            if (outcome.done)
                written.push_back({row, std::move(target), *time});
            else
                list.setStatus(row, EntryStatus::Failed);
        }
        if (!steps.advance())
            break;
    }

    // Green means the file carries the row's time now that the pass is done: a
    // later row of the same file, a volume that rounds what it is given (FAT to
    // 2 s, exFAT to 10 ms) or a share that ignores the write leave another time.
    // Each row written is coloured, a stopped restore's too: the window goes on
    // answering, but the pass is not cut short.
    steps.setTotal(written.size());
    for (const WrittenRow& done : written)
    {
        list.setStatus(done.row, carries(done.target, done.time) ? EntryStatus::Restored
                                                                 : EntryStatus::Failed);
        steps.advance();
    }
    return record;
}
