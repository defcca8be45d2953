#pragma once

#include <windows.h>

namespace tkit
{

// Asks a yes/no question in a message box; true only when the answer is Yes.
bool askYesNo(HWND owner, const wchar_t* question, const wchar_t* caption);

} // namespace tkit
