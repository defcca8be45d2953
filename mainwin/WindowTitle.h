#pragma once

#include "res/version.h"

#include <string>

// The caption of the main window and of every question box. A second start of
// the program finds the running window by this exact text.
inline constexpr wchar_t programName[] = L"Chronoguard Ver.";
inline constexpr wchar_t programVersion[] = L"" CHRONOGUARD_VERSION_TEXT;

inline std::wstring windowTitle()
{
    return std::wstring(programName) + programVersion;
}
