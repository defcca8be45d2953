#pragma once

#include "tkit/fs/PlatformPath.h"

#include <windows.h>

#include <optional>
#include <string>

namespace tkit
{

// Every kind of sharing: an open with it leaves other programs free to open,
// write and delete the entry meanwhile.
constexpr DWORD shareEverything = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Owns one handle to an existing file or folder, opened for reading or
// writing its times. Never creates a file and never closes a standard handle.
class File
{
public:
    File() = default;
    virtual ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool open(const wchar_t* path, DWORD desiredAccess, DWORD shareMode);
    // Opens the entry by the path's name for the platform; path() is the caller's path.
    bool open(const PlatformPath& path, DWORD desiredAccess, DWORD shareMode);
    void close();
    HANDLE handle() const { return fileHandle; }
    // The path as the caller gave it to the last successful open.
    const std::wstring& path() const { return filePath; }

    bool readLastWriteTime(FILETIME& lastWrite) const;
    bool writeLastWriteTime(const FILETIME& lastWrite) const;

private:
    HANDLE fileHandle = INVALID_HANDLE_VALUE;
    std::wstring filePath;
};

// An entry's last-write time, or why there is none.
struct EntryTime
{
    std::optional<FILETIME> time;
    // Without a time: the entry is not there (it, or a folder on its way, is
    // missing), rather than there but unreadable (access denied, a share that
    // does not answer).
    bool missing = false;
    // Without a time: the system's error code that says why.
    DWORD error = ERROR_SUCCESS;
};

// The last-write time of the entry a path leads to, for a link its target's, as
// a handle opened on the link reads it. Never opens the entry for its data, so
// no other program's open stands in the way, whatever it shares.
EntryTime readLastWriteTime(const PlatformPath& path);

} // namespace tkit
