#include "stamps/Restore.h"

#include "stamps/EntryStatus.h"
#include "stamps/FileListView.h"
#include "stamps/Timestamp.h"
#include "tkit/fs/Attributes.h"
#include "tkit/fs/File.h"
#include "tkit/ui/RedrawPause.h"

#include <optional>

namespace
{

constexpr int uncheckedImage = 1;

// The UTC file time of a local date-time, through today's time-zone bias.
// None for fields that are no real date and time: the conversion must give
// back exactly the same fields, so a 30th of February does not slip into March.
std::optional<FILETIME> utcFromLocal(const SYSTEMTIME& localTime)
{
    FILETIME local;
    FILETIME utc;
    if (!SystemTimeToFileTime(&localTime, &local) || !LocalFileTimeToFileTime(&local, &utc))
        return std::nullopt;
    SYSTEMTIME check;
    if (!FileTimeToSystemTime(&local, &check) || check.wYear != localTime.wYear ||
        check.wMonth != localTime.wMonth || check.wDay != localTime.wDay ||
        check.wHour != localTime.wHour || check.wMinute != localTime.wMinute ||
        check.wSecond != localTime.wSecond || check.wMilliseconds != localTime.wMilliseconds)
        return std::nullopt;
    return utc;
}

} // namespace

bool restoreLastWriteTime(const std::wstring& path, const std::wstring& timestampText)
{
    // One attribute read answers both whether the path exists and which bits
    // to put back.
    const std::optional<DWORD> attributes = tkit::fileAttributes(path.c_str());
    if (!attributes)
        return false;
    const std::optional<FILETIME> utc = utcFromLocal(parseTimestamp(timestampText));
    if (!utc)
        return false;

    // A read-only file cannot be opened for writing: clear the bit for the
    // write and put every bit back afterwards, whatever the write gave.
    tkit::setFileAttributes(path.c_str(), *attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});

    tkit::File file;
    file.open(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ);
    const bool written = file.handle() != INVALID_HANDLE_VALUE && file.writeLastWriteTime(*utc);

    tkit::setFileAttributes(path.c_str(), *attributes);
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
        if (list.stateImage(row) == uncheckedImage)
            continue;
        const std::wstring timestampText = list.itemText(row, 1);
        const std::wstring path = list.itemText(row, 0);
        const EntryStatus status =
            restoreLastWriteTime(path, timestampText) ? EntryStatus::Restored : EntryStatus::Failed;
        list.setItemData(row, static_cast<LPARAM>(status));
    }
}
