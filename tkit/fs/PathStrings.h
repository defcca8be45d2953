#pragma once

#include "tkit/fs/StringList.h"

#include <string>

namespace tkit
{

// "\\?\": lets a path longer than 260 characters reach the file calls.
inline constexpr wchar_t longPathPrefix[] = L"\\\\?\\";
// A path longer than this gets the prefix on its way to a file call.
inline constexpr size_t longPathThreshold = 260;

bool hasLongPathPrefix(const std::wstring& path);
std::wstring withLongPathPrefix(const std::wstring& path);
std::wstring withoutLongPathPrefix(const std::wstring& path);
// The path ending in a separator; a path with only forward slashes gets one more.
std::wstring addTrailingSeparator(const std::wstring& path);
// Appends the pieces of text between any of the separator characters; empty pieces are dropped.
void splitAtAny(StringList* list, const std::wstring& text, const wchar_t* separators);
// Case-insensitive match of a name against a pattern with "*" and "?".
bool wildcardMatch(const wchar_t* name, const wchar_t* pattern);

} // namespace tkit
