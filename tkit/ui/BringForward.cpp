#include "tkit/ui/BringForward.h"

namespace tkit
{

void bringForward(HWND window)
{
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(GetLastActivePopup(window));
}

} // namespace tkit
