#include "stamps/Restore.h"

#include "stamps/FileListView.h"
#include "stamps/Timestamp.h"
#include "tkit/ui/RedrawPause.h"
#include "tkit/fs/Attributes.h"
#include "tkit/fs/File.h"

#include <optional>

bool restoreLastWriteTime(const std::wstring& path, const std::wstring& timestampText)
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
    file.open(target, GENERIC_WRITE, FILE_SHARE_READ);
    const bool written = file.handle() != INVALID_HANDLE_VALUE && file.writeLastWriteTime(*utc);

    tkit::setFileAttributes(target, *attributes);
    file.close();
    return written;
}

void restoreCheckedRows(FileListView& list)
{
    // The new colours show when the list next paints; with repainting on, every
    // status change would invalidate its row on the spot, at several times the
    // cost of the change itself.
    tkit::RedrawPause pause(list);
    const int count = list.itemCount();
    for (int row = 0; row < count; ++row)
    {
        if (!list.isChecked(row))
            continue;
        const bool restored = restoreLastWriteTime(list.path(row), list.timeText(row));
        list.setStatus(row, restored ? EntryStatus::Restored : EntryStatus::Failed);
    }
}
