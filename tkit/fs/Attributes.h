#pragma once

#include <windows.h>

#include <optional>

namespace tkit
{

// Attribute queries and writes; each applies the long-path rule to the path.
bool pathExists(const wchar_t* path);
bool isDirectory(const wchar_t* path);
std::optional<DWORD> fileAttributes(const wchar_t* path);
bool setFileAttributes(const wchar_t* path, DWORD attributes);

} // namespace tkit
