#include "tkit/fs/FolderIdentity.h"

#include "tkit/fs/PathStrings.h"

namespace tkit
{

std::optional<FolderIdentity> folderIdentity(const std::wstring& path)
{
    // Backup semantics open a folder; without FILE_FLAG_OPEN_REPARSE_POINT a
    // link is followed, so its identity is its target's.
    HANDLE handle = CreateFileW(platformName(path).c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info = {};
    const BOOL ok = GetFileInformationByHandle(handle, &info);
    CloseHandle(handle);
    if (!ok)
        return std::nullopt;
    FolderIdentity id;
    id.volume = info.dwVolumeSerialNumber;
    id.indexHigh = info.nFileIndexHigh;
    id.indexLow = info.nFileIndexLow;
    return id;
}

} // namespace tkit
