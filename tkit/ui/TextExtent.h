#pragma once

#include <windows.h>

namespace tkit
{

// The size of a text in the default GUI font on a window's device context.
SIZE textExtent(HWND window, const wchar_t* text, int length);

} // namespace tkit
