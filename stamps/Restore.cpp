#include "stamps/Restore.h"

#include "stamps/FileListView.h"
#include "stamps/RestoreRecord.h"
#include "stamps/Timestamp.h"
#include "tkit/ui/RedrawPause.h"
#include "tkit/fs/Attributes.h"
#include "tkit/fs/File.h"

#include <optional>

bool restoreLastWriteTime(const std::wstring& path, const std::wstring& timestampText,
                          WrittenTime* noted)
{
    // Every call below names the entry by the same name. One attribute read
    // answers both whether the path exists and which bits to put back.
    const tkit::PlatformPath target(path);
    const std::optional<DWORD> attributes = tkit::fileAttributes(target);
    if (!attributes)
        return false;
    const std::optional<FILETIME> utc = utcFromLocal(parseTimestamp(timestampText));
    if (!utc)
        return false;

    // A read-only file cannot be opened for writing: clear the bit for the
    // write and put every bit back afterwards, whatever the write gave.
    tkit::setFileAttributes(target, *attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});

    tkit::File file;
    file.open(target, GENERIC_WRITE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ);
    // For an undo: the time the file had, read on the handle that writes.
    if (noted != nullptr)
    {
        noted->beforeKnown = file.readLastWriteTime(noted->before);
        noted->written = *utc;
    }
    const bool written = file.handle() != INVALID_HANDLE_VALUE && file.writeLastWriteTime(*utc);

    tkit::setFileAttributes(target, *attributes);
    file.close();
    return written;
}

void restoreCheckedRows(FileListView& list, RestoreRecord* record)
{
    if (record != nullptr)
        record->clear();
    // The new colours show when the list next paints; with repainting on, every
    // status change would invalidate its row on the spot, at several times the
    // cost of the change itself.
    tkit::RedrawPause pause(list);
    const int count = list.itemCount();
    for (int row = 0; row < count; ++row)
    {
        if (!list.isChecked(row))
            continue;
        const std::wstring path = list.path(row);
        WrittenTime written;
        const bool restored =
            restoreLastWriteTime(path, list.timeText(row), record != nullptr ? &written : nullptr);
        if (record != nullptr)
            record->note(path, list.status(row), restored ? &written : nullptr);
        list.setStatus(row, restored ? EntryStatus::Restored : EntryStatus::Failed);
    }
}
