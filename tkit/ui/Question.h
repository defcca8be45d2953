#pragma once

#include <windows.h>

#include <string>

namespace tkit
{

// Asks a yes/no question in a message box; true only when the answer is Yes.
bool askYesNo(HWND owner, const wchar_t* question, const wchar_t* caption);
// Tells the user something in a message box with an OK button and the icon
// (MB_ICONINFORMATION, MB_ICONWARNING).
void tell(HWND owner, const wchar_t* text, const wchar_t* caption, UINT icon);
// A line to quote in a message box over owner, shortened in its middle with
// "…" to at most half the width of the owner's screen on one line: a box
// grows with a long line, and one wider or taller than the screen puts its
// button out of reach. A line that fits comes back as it is.
std::wstring fitForMessage(HWND owner, const std::wstring& line);

} // namespace tkit
