#pragma once

#include <windows.h>

namespace tkit
{

// Brings a top-level window to the front as the user can act on it: restored
// if it is minimised, and with the box or dialog open over it (its last
// active popup) as the window that takes the keyboard. Activating the owner
// itself would put a disabled window over its own question.
void bringForward(HWND window);

} // namespace tkit
