#pragma once

#include <string>

namespace tkit
{

// The absolute form of a path against the current directory (any length);
// the path unchanged when the platform cannot resolve it.
std::wstring fullPath(const std::wstring& path);

} // namespace tkit
