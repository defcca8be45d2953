#pragma once

#include <string>

namespace tkit
{

// The absolute form of a path, of any length: the current folder (or, for
// "C:name", that drive's current folder) in front of a relative path, "." and
// ".." applied, forward slashes turned into backslashes and runs of separators
// made one. Unlike the platform's own resolution, every name is kept exactly
// as written: a trailing dot or space stays, and a name such as "nul.txt"
// stays a name. A path with the "\\?\" prefix, and the empty path, come back
// unchanged.
std::wstring fullPath(const std::wstring& path);
// The same against the given current folder (an absolute path).
std::wstring fullPath(const std::wstring& path, const std::wstring& currentFolder);

// The length of the root of a full path: "C:\", "\\server\share\" or
// "\\.\device\" (the separator after it included when there is one).
size_t fullPathRootLength(const std::wstring& full);

} // namespace tkit
