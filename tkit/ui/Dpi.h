#pragma once

#include <windows.h>

namespace tkit
{

// The dots per inch of the display a window is on. Where the system has no
// per-window value (before Windows 10), the screen's, which every window shares.
UINT windowDpi(HWND window);
// A length given in pixels at 96 dots per inch, at dpi.
int scaled(int length, UINT dpi);
// Keeps the system from placing a dialog's controls anew from its template
// when the dialog moves to a display of another scale; the window is still
// resized and the controls still get fonts of the new scale. For dialogs that
// lay out their controls themselves. Nothing where the system has no such
// setting.
void keepDialogLayout(HWND dialog);

} // namespace tkit
