#include "tkit/fs/File.h"

#include "tkit/fs/Attributes.h"
#include "tkit/fs/PathStrings.h"

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
    close();

    // The console devices refuse an exclusive open.
    if (shareMode == 0 && lstrcmpiW(path, L"CONIN$") == 0)
        shareMode = FILE_SHARE_READ;
    if (shareMode == 0 && lstrcmpiW(path, L"CONOUT$") == 0)
        shareMode = FILE_SHARE_WRITE;

    // Backup semantics let a folder be opened like a file.
    const DWORD flags = isDirectory(path) ? FILE_FLAG_BACKUP_SEMANTICS | FILE_ATTRIBUTE_NORMAL
                                          : FILE_ATTRIBUTE_NORMAL;
    fileHandle = CreateFileW(withLongPathPrefix(path).c_str(), desiredAccess, shareMode, nullptr,
                             OPEN_EXISTING, flags, nullptr);
    if (fileHandle == INVALID_HANDLE_VALUE)
        return false;
    filePath = path;
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

} // namespace tkit
