#include "tkit/fs/FullPath.h"

#include <windows.h>

#include <vector>

namespace tkit
{

std::wstring fullPath(const std::wstring& path)
{
    if (path.empty())
        return path;
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;)
    {
        const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()),
                                              buffer.data(), nullptr);
        if (length == 0)
            return path;
        if (length < buffer.size())
            return std::wstring(buffer.data(), length);
        // Too small: length is the size needed, the null included.
        buffer.assign(length + 1, L'\0');
    }
}

} // namespace tkit
