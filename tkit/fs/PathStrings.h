#pragma once

#include "tkit/fs/StringList.h"

#include <string>
#include <string_view>

namespace tkit
{

// "\\?\": the platform takes the path behind it literally, at any length.
inline constexpr wchar_t longPathPrefix[] = L"\\\\?\\";
// "\\?\UNC\": the same for a network path, in place of its leading "\\".
inline constexpr wchar_t longUncPrefix[] = L"\\\\?\\UNC\\";
// A full path of this many characters or more reaches the file calls only with
// the prefix: the classic limit of 260 counts the terminating null.
inline constexpr size_t longPathThreshold = 260;

bool hasLongPathPrefix(const std::wstring& path);
// The name a file call is handed for a path, so that it names exactly the
// entry the path names: the prefixed full path when the full path has
// longPathThreshold characters or more, or when the platform's own resolution
// would change one of its names (a trailing dot or space dropped, a device
// name such as NUL, COM1 or "nul.txt" taken as the device); otherwise the
// path exactly as given. A path that already has the prefix stays as it is.
std::wstring platformName(const std::wstring& path);
// The same against the given current folder.
std::wstring platformName(const std::wstring& path, const std::wstring& currentFolder);
// The prefixed name when a path needs one (as platformName decides), else empty.
std::wstring prefixedName(const std::wstring& path);
// The inverse of the prefix: "\\?\UNC\" gives back "\\", "\\?\" nothing.
std::wstring withoutLongPathPrefix(const std::wstring& path);
// Appends withoutLongPathPrefix(path) to out.
void appendWithoutLongPathPrefix(std::wstring& out, const std::wstring& path);
// The path ending in a separator; a path with only forward slashes gets one more.
// A bare drive ("D:", that drive's current folder) stays as it is: a name
// joined on names the entry in that folder, as Windows resolves "D:name".
std::wstring addTrailingSeparator(const std::wstring& path);
// A name without its extension: the name up to its last dot, except that a
// name whose last dot is its first character (".profile") is all stem.
std::wstring_view nameStem(std::wstring_view name);
// Whether Windows can name an entry by this path: it is not empty, has at most
// 32,767 characters, and none of its names holds a character Windows forbids
// in a name (a control character, < > : " | ? *). A drive's colon and the
// "\\?\" and "\\.\" prefixes are not names.
bool isValidPath(const std::wstring& path);
// Appends the pieces of text between any of the separator characters; empty pieces are dropped.
void splitAtAny(StringList* list, const std::wstring& text, const wchar_t* separators);
// Case-insensitive match of a name against a pattern with "*" and "?".
bool wildcardMatch(const wchar_t* name, const wchar_t* pattern);

} // namespace tkit
