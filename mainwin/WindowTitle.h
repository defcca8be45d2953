#pragma once

#include <string>

// The caption of the main window and of every question box. A second start of
// the program finds the running window by this exact text.
inline constexpr wchar_t programName[] = L"Chronoguard Ver.";
inline constexpr wchar_t programVersion[] = L"1.03";

inline std::wstring windowTitle()
{
    return std::wstring(programName) + programVersion;
}
