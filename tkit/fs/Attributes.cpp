#include "tkit/fs/Attributes.h"

namespace tkit
{

std::optional<DWORD> fileAttributes(const PlatformPath& path)
{
    const DWORD attributes = GetFileAttributesW(path.name());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    return attributes;
}

bool setFileAttributes(const PlatformPath& path, DWORD attributes)
{
    return SetFileAttributesW(path.name(), attributes) != FALSE;
}

bool pathExists(const wchar_t* path)
{
    return path != nullptr && fileAttributes(PlatformPath(path)).has_value();
}

bool isDirectory(const PlatformPath& path)
{
    // A link or junction to a folder carries the directory attribute too.
    const std::optional<DWORD> attributes = fileAttributes(path);
    return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool isDirectory(const wchar_t* path)
{
    return path != nullptr && isDirectory(PlatformPath(path));
}

} // namespace tkit
