#pragma once

#include <windows.h>

namespace tkit
{

// Asks a yes/no question in a message box; true only when the answer is Yes.
bool askYesNo(HWND owner, const wchar_t* question, const wchar_t* caption);
// Tells the user something in a message box with an OK button and the icon
// (MB_ICONINFORMATION, MB_ICONWARNING).
void tell(HWND owner, const wchar_t* text, const wchar_t* caption, UINT icon);

} // namespace tkit
