#include "tkit/fs/TimeWriter.h"

#include "tkit/fs/Attributes.h"

#include <optional>

namespace tkit
{

bool writeTimes(const PlatformPath& path, const std::function<bool(const File&)>& write)
{
    constexpr DWORD access = FILE_WRITE_ATTRIBUTES | FILE_READ_ATTRIBUTES;
    File file;
    if (file.open(path, access, shareEverything))
        return write(file);
    if (GetLastError() != ERROR_ACCESS_DENIED)
        return false;
    // Whatever the attribute calls below leave in the last error, a failure
    // still tells why the first open was refused, or why the write failed.
    const std::optional<DWORD> attributes = fileAttributes(path);
    if (!attributes || (*attributes & FILE_ATTRIBUTE_READONLY) == 0 ||
        !setFileAttributes(path, *attributes & ~DWORD{FILE_ATTRIBUTE_READONLY}))
    {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    const bool written = file.open(path, access, shareEverything) && write(file);
    const DWORD error = GetLastError();
    file.close();
    setFileAttributes(path, *attributes);
    SetLastError(error);
    return written;
}

} // namespace tkit
