#include "stamps/Restore.h"

#include "stamps/FileListView.h"
#include "stamps/RestoreRecord.h"
#include "stamps/Timestamp.h"
#include "tkit/ui/RedrawPause.h"
#include "tkit/fs/Attributes.h"
#include "tkit/fs/File.h"
#include "tkit/fs/PlatformPath.h"
#include "tkit/fs/TimeWriter.h"

#include <optional>
#include <vector>

namespace
{

// FILETIME ticks are 100 ns; a remembered time has whole milliseconds.
constexpr unsigned long long ticksPerMillisecond = 10'000;

unsigned long long millisecondsOf(const FILETIME& time)
{
    const unsigned long long ticks =
        (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return ticks / ticksPerMillisecond;
}

// Whether an entry's last-write time, cut to the millisecond, is the given time.
bool carries(const WIN32_FILE_ATTRIBUTE_DATA& data, const FILETIME& utc)
{
    return millisecondsOf(data.ftLastWriteTime) == millisecondsOf(utc);
}

// Writes utc as the entry's last-write time, unless it carries that time
// already: then it is not opened and no attribute is written. False when the
// time could not be written. When the time is written, noted holds the time
// the file had, read on the handle that writes; otherwise it is left alone.
bool writeLastWriteTime(const tkit::PlatformPath& target, const FILETIME& utc, WrittenTime& noted)
{
    const std::optional<WIN32_FILE_ATTRIBUTE_DATA> data = tkit::fileAttributeData(target);
    if (!data)
        return false;
    if (carries(*data, utc))
        return true;
    return tkit::writeTimes(target, data->dwFileAttributes, [&](const tkit::File& file) {
        FILETIME before = {};
        const bool beforeKnown = file.readLastWriteTime(before);
        if (!file.writeLastWriteTime(utc))
            return false;
        if (beforeKnown)
            noted = {true, before, utc};
        return true;
    });
}

// A row whose time was written (or already there), to be checked once the pass is done.
struct WrittenRow
{
    int row;
    tkit::PlatformPath target;
    FILETIME utc;
};

} // namespace

void restoreCheckedRows(FileListView& list, RestoreRecord* record)
{
    if (record != nullptr)
        record->clear();
    // The new colours show when the list next paints; with repainting on, every
    // status change would invalidate its row on the spot, at several times the
    // cost of the change itself.
    tkit::RedrawPause pause(list);
    std::vector<WrittenRow> written;
    const int count = list.itemCount();
    for (int row = 0; row < count; ++row)
    {
        if (!list.isChecked(row))
            continue;
        // Every call for the row names the entry by the same name.
        tkit::PlatformPath target(list.path(row));
        const std::optional<FILETIME> utc = utcFromLocal(parseTimestamp(list.timeText(row)));
        WrittenTime noted;
        const bool done = utc && writeLastWriteTime(target, *utc, noted);
        // An undo puts back what was written; a file left as it was has nothing to take back.
        if (record != nullptr)
            record->note(target.path(), list.status(row), noted.beforeKnown ? &noted : nullptr);
        if (done)
            written.push_back({row, std::move(target), *utc});
        else
            list.setStatus(row, EntryStatus::Failed);
    }

    // Green means the file carries the row's time now that the pass is done: a
    // later row of the same file, a volume that rounds what it is given (FAT to
    // 2 s, exFAT to 10 ms) or a share that ignores the write leave another time.
    for (const WrittenRow& done : written)
    {
        const std::optional<WIN32_FILE_ATTRIBUTE_DATA> data = tkit::fileAttributeData(done.target);
        list.setStatus(done.row, data && carries(*data, done.utc) ? EntryStatus::Restored
                                                                  : EntryStatus::Failed);
    }
}
