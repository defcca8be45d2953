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
    const std::optional<DWORD> attributes = fileAttributes(path);
    if (!attributes || (*attributes & FILE_ATTRIBUTE_READONLY) == 0 ||
        !setFileAttributes(path, *attributes & ~DWORD{FILE_ATTRIBUTE_READONLY}))
        return false;
    const bool written = file.open(path, access, shareEverything) && write(file);
    file.close();
    setFileAttributes(path, *attributes);
    return written;
}

} // namespace tkit
