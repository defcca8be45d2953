#pragma once

#include <windows.h>

namespace tkit
{

// The size of a text in a window's own font (the default GUI font for a
// window without one) on its device context.
SIZE textExtent(HWND window, const wchar_t* text, int length);

} // namespace tkit
