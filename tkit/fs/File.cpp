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
        const std::optional<DWORD> attributes = fileAttributes(path);
        if (attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            fileHandle = CreateFileW(path.name(), desiredAccess, shareMode, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS | FILE_ATTRIBUTE_NORMAL, nullptr);
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

std::optional<FILETIME> readLastWriteTime(const PlatformPath& path)
{
    File file;
    FILETIME lastWrite = {};
    if (!file.open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE) ||
        !file.readLastWriteTime(lastWrite))
        return std::nullopt;
    return lastWrite;
}

} // namespace tkit
