#include "tkit/fs/EntryIdentity.h"

#include "tkit/fs/PathStrings.h"

#include <cstring>

namespace tkit
{

namespace
{

// Windows 8 and later: FileIdInfo, the volume's 64-bit serial number and the
// file's 128-bit id (on ReFS the 64-bit index is not unique).
constexpr auto fileIdInfoClass = static_cast<FILE_INFO_BY_HANDLE_CLASS>(18);
struct FileIdInformation
{
    ULONGLONG volumeSerialNumber;
    BYTE fileId[16];
};

} // namespace

std::optional<EntryIdentity> entryIdentity(const std::wstring& path)
{
    // Backup semantics open a folder; without FILE_FLAG_OPEN_REPARSE_POINT a
    // link is followed, so its identity is its target's.
    HANDLE handle = CreateFileW(platformName(path).c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    const std::optional<EntryIdentity> id = openEntryIdentity(handle);
    CloseHandle(handle);
    return id;
}

std::optional<EntryIdentity> openEntryIdentity(HANDLE handle)
{
    // Wine: both queries ask Wine's mount manager for the volume's serial
    // number each time, some 200 µs, many times the cost of the file system's
    // own answer on Windows.
    std::optional<EntryIdentity> id;
    FileIdInformation wide = {};
    BY_HANDLE_FILE_INFORMATION info = {};
    if (GetFileInformationByHandleEx(handle, fileIdInfoClass, &wide, sizeof wide))
    {
        id.emplace();
        id->volume = wide.volumeSerialNumber;
        std::memcpy(&id->idLow, wide.fileId, sizeof id->idLow);
        std::memcpy(&id->idHigh, wide.fileId + sizeof id->idLow, sizeof id->idHigh);
    }
    else if (GetFileInformationByHandle(handle, &info))
    {
        id.emplace();
        id->volume = info.dwVolumeSerialNumber;
        id->idLow =
            (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    }
    return id;
}

} // namespace tkit
