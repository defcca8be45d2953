#include "stamps/Restore.h"

#include "stamps/FileListView.h"
#include "stamps/RowResult.h"
#include "stamps/Timestamp.h"
#include "tkit/ui/RedrawPause.h"
#include "tkit/fs/File.h"
#include "tkit/fs/PlatformPath.h"
#include "tkit/fs/TimeWriter.h"

#include <optional>
#include <vector>

namespace
{

// The outcome of writing one row's time onto its file.
struct Written
{
    // Restored or unchanged when the file carries the time: it was written, or
    // was there already. Else why not.
    RowResult result;
    // What was written, where something was and the time kept could be read.
    std::optional<WrittenTime> time = std::nullopt;
};

// Writes the row's time as the entry's last-write time, unless it carries that time
// already: then it is not opened for writing and no attribute is written.
Written writeLastWriteTime(const tkit::PlatformPath& target, const RowTime& time)
{
    const tkit::EntryTime current = tkit::readLastWriteTime(target);
    if (!current.time)
        return {failureOf(current.error)};
    if (sameTimestamp(*current.time, time))
        return {{RowOutcome::unchanged}};
    Written outcome{{RowOutcome::restored}};
    const bool written = tkit::writeTimes(target, [&](const tkit::File& file) {
        if (!file.writeLastWriteTime(time.utc))
            return false;
        // An undo looks for the time the volume kept, which may be cut to
        // whole seconds or FAT's 2 s, on the same file.
        FILETIME kept = {};
        const std::optional<tkit::EntryIdentity> id = tkit::openEntryIdentity(file.handle());
        if (file.readLastWriteTime(kept))
            outcome.time = WrittenTime{*current.time, kept, id.value_or(tkit::EntryIdentity{})};
        return true;
    });
    if (!written)
        outcome.result = failureOf(GetLastError());
    return outcome;
}

// A row whose time was written (or already there), to be checked once the pass is done.
struct WrittenRow
{
    int row;
    tkit::PlatformPath target;
    RowTime time;
    RowResult result;
};

// A written row's result once the pass is done: its file must carry the row's
// time then. A later row of the same file, a volume that rounds what it is
// given (FAT to 2 s, exFAT to 10 ms) or a share that ignores the write leave
// another time.
RowResult readBack(const WrittenRow& done)
{
    const tkit::EntryTime now = tkit::readLastWriteTime(done.target);
    if (!now.time)
        return failureOf(now.error);
    return sameTimestamp(*now.time, done.time) ? done.result
                                               : RowResult{RowOutcome::readBackDiffers};
}

} // namespace

RestoreRecord restoreCheckedRows(FileListView& list, RestoreRows which, Steps& steps)
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
        // Stopped, the rows after the one at hand stay as they are.
        if (row > 0 && !steps.advance())
            break;
        if (!list.isChecked(row) ||
            (which == RestoreRows::failed && list.status(row) != EntryStatus::Failed))
            continue;
        // Every call for the row names the entry by the same name.
        tkit::PlatformPath target(list.path(row));
        const std::optional<RowTime> time = list.rowTime(row);
        const Written outcome =
            time
                ? writeLastWriteTime(target, *time)
                : Written{{list.timeText(row).empty() ? RowOutcome::noTime : RowOutcome::notADate}};
        // An undo puts back what was written; a file left as it was has nothing to take back.
        record.note(target.path(), list.status(row), list.result(row), outcome.time);
        if (!outcome.result.failed())
        {
            written.push_back({row, std::move(target), *time, outcome.result});
            continue;
        }
        list.setStatus(row, EntryStatus::Failed);
        list.setResult(row, outcome.result);
        record.count(outcome.result);
    }

    // Green means the file carries the row's time now that the pass is done.
    // Each row written is coloured, a stopped restore's too: the window goes on
    // answering, but this pass is not cut short.
    steps.setTotal(written.size());
    for (const WrittenRow& done : written)
    {
        steps.advance();
        const RowResult result = readBack(done);
        list.setStatus(done.row, result.failed() ? EntryStatus::Failed : EntryStatus::Restored);
        list.setResult(done.row, result);
        record.count(result);
    }
    return record;
}
