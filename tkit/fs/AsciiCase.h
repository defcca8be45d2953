#pragma once

#include <string>

namespace tkit
{

// Case folding of the letters A to Z only: option names and the names the
// platform reserves are ASCII, and a locale must not change how they compare.
inline wchar_t asciiUpper(wchar_t ch)
{
    return ch >= L'a' && ch <= L'z' ? static_cast<wchar_t>(ch - L'a' + L'A') : ch;
}

// Whether two strings are equal when the letters A to Z are folded.
inline bool equalsIgnoreCase(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
    {
        if (asciiUpper(a[i]) != asciiUpper(b[i]))
            return false;
    }
    return true;
}

} // namespace tkit
