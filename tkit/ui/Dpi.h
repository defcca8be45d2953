#pragma once

#include <windows.h>

namespace tkit
{

// The dots per inch of the display a window is on. Windows 10 1607 and later:
// the window's own value. Before: the screen's, which every window shares.
UINT windowDpi(HWND window);
// A length given in pixels at 96 dots per inch, at dpi.
int scaled(int length, UINT dpi);
// Keeps the system from placing a dialog's controls anew from its template
// when the dialog moves to a display of another scale; the window is still
// resized and the controls still get fonts of the new scale. For dialogs that
// lay out their controls themselves. Windows 10 1703 and later; nothing before.
void keepDialogLayout(HWND dialog);

} // namespace tkit
