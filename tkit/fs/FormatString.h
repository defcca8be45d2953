#pragma once

#include <string>

namespace tkit
{

// printf-style formatting into a wide string; a null format gives an empty string.
std::wstring formatString(const wchar_t* format, ...);

} // namespace tkit
