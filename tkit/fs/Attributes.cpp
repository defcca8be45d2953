#include "tkit/fs/Attributes.h"

#include "tkit/fs/PathStrings.h"

namespace tkit
{

std::optional<DWORD> fileAttributes(const wchar_t* path)
{
    if (path == nullptr)
        return std::nullopt;
    const DWORD attributes = GetFileAttributesW(withLongPathPrefix(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    return attributes;
}

bool setFileAttributes(const wchar_t* path, DWORD attributes)
{
    if (path == nullptr)
        return false;
    return SetFileAttributesW(withLongPathPrefix(path).c_str(), attributes) != FALSE;
}

bool pathExists(const wchar_t* path)
{
    return fileAttributes(path).has_value();
}

bool isDirectory(const wchar_t* path)
{
    // A link or junction to a folder carries the directory attribute too.
    const std::optional<DWORD> attributes = fileAttributes(path);
    return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace tkit
