#include "tkit/fs/File.h"

#include "tkit/fs/Attributes.h"

namespace tkit
{

namespace
{

bool isStandardHandle(HANDLE handle)
{
    return handle == GetStdHandle(STD_INPUT_HANDLE) || handle == GetStdHandle(STD_OUTPUT_HANDLE) ||
           handle == GetStdHandle(STD_ERROR_HANDLE);
}

EntryTime unreadTime(DWORD error)
{
    EntryTime none;
    none.missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    none.error = error;
    return none;
}

} // namespace

File::~File()
{
    close();
}

bool File::open(const wchar_t* path, DWORD desiredAccess, DWORD shareMode)
{
    if (path == nullptr)
        return false;
    return open(PlatformPath(path), desiredAccess, shareMode);
}

bool File::open(const PlatformPath& path, DWORD desiredAccess, DWORD shareMode)
{
    close();

    // The console devices refuse an exclusive open.
    if (shareMode == 0 && lstrcmpiW(path.path().c_str(), L"CONIN$") == 0)
        shareMode = FILE_SHARE_READ;
    if (shareMode == 0 && lstrcmpiW(path.path().c_str(), L"CONOUT$") == 0)
        shareMode = FILE_SHARE_WRITE;

    // Backup semantics let a folder be opened like a file; a file is opened
    // without them. Most paths are files, and a folder never opens without the
    // flag, so the folder test is asked only when the plain open has failed:
    // every path ends up opened with the same flags as when it is asked first.
    fileHandle = CreateFileW(path.name(), desiredAccess, shareMode, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (fileHandle == INVALID_HANDLE_VALUE)
    {
        // A failed open tells why, not the folder test after it.
        const DWORD error = GetLastError();
        const std::optional<DWORD> attributes = fileAttributes(path);
        if (attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            fileHandle = CreateFileW(path.name(), desiredAccess, shareMode, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS | FILE_ATTRIBUTE_NORMAL, nullptr);
        else
            SetLastError(error);
    }
    if (fileHandle == INVALID_HANDLE_VALUE)
        return false;
    filePath = path.path();
    return true;
}

void File::close()
{
    if (fileHandle == INVALID_HANDLE_VALUE)
        return;
    // A handle the process got at start-up belongs to the process, not to us.
    if (fileHandle != nullptr && !isStandardHandle(fileHandle))
        CloseHandle(fileHandle);
    fileHandle = INVALID_HANDLE_VALUE;
    filePath.clear();
}

bool File::readLastWriteTime(FILETIME& lastWrite) const
{
    if (fileHandle == INVALID_HANDLE_VALUE)
        return false;
    return GetFileTime(fileHandle, nullptr, nullptr, &lastWrite) != FALSE;
}

bool File::writeLastWriteTime(const FILETIME& lastWrite) const
{
    if (fileHandle == INVALID_HANDLE_VALUE)
        return false;
    return SetFileTime(fileHandle, nullptr, nullptr, &lastWrite) != FALSE;
}

EntryTime readLastWriteTime(const PlatformPath& path)
{
    // An attribute read opens nothing, costs the least and no program's
    // sharing refuses it, but of a link it reads the link itself. A link (any
    // reparse point) is opened instead, which leads to its target, for
    // FILE_READ_ATTRIBUTES alone and sharing everything: an open that reads
    // no data is refused by no other program's open.
    // Wine: an attribute read follows a Unix link to a file and shows the file;
    // only a link to a folder carries the reparse-point attribute.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.name(), GetFileExInfoStandard, &data))
        return unreadTime(GetLastError());
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return {data.ftLastWriteTime};
    File file;
    FILETIME lastWrite = {};
    if (!file.open(path, FILE_READ_ATTRIBUTES, shareEverything) ||
        !file.readLastWriteTime(lastWrite))
        return unreadTime(GetLastError());
    return {lastWrite};
}

} // namespace tkit
