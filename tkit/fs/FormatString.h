#pragma once

#include <windows.h>

#include <string>

namespace tkit
{

// printf-style formatting into a wide string; a null format gives an empty string.
std::wstring formatString(const wchar_t* format, ...);
// The system's text for an error code, in the user's language, with the code:
// "アクセスが拒否されました。 (5)".
std::wstring systemMessage(DWORD code);

} // namespace tkit
