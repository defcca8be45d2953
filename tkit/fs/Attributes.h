#pragma once

#include "tkit/fs/PlatformPath.h"

#include <windows.h>

#include <optional>

namespace tkit
{

// Attribute queries and writes. Those given a bare path decide the name for
// the platform themselves (platformName); those given a PlatformPath use its name.
bool pathExists(const wchar_t* path);
bool isDirectory(const wchar_t* path);
bool isDirectory(const PlatformPath& path);
std::optional<DWORD> fileAttributes(const PlatformPath& path);
bool setFileAttributes(const PlatformPath& path, DWORD attributes);

} // namespace tkit
