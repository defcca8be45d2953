#pragma once

#include <windows.h>

#include <string>

namespace tkit
{

// Text files of the user's: saved whole or not at all, read in the encodings
// that editors and spreadsheets write.

// Writes text as UTF-8 with a byte-order mark to path. The text goes into a
// temporary file beside the target, which then takes the target's place in
// one step: a full disk, a lost share or a crash leaves the old file whole.
// ERROR_SUCCESS, or the system's error code.
DWORD saveTextFile(const std::wstring& path, const std::wstring& text);
// Reads a text file: UTF-16 with its byte-order mark, else UTF-8 (with or
// without its mark), else the system's ANSI code page. ERROR_SUCCESS, or the
// system's error code.
DWORD loadTextFile(const std::wstring& path, std::wstring& text);

} // namespace tkit
