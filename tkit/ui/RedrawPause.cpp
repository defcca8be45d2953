#include "tkit/ui/RedrawPause.h"

namespace tkit
{

namespace
{

// The number of pauses held on a window, kept with the window itself.
constexpr wchar_t pauseCount[] = L"tkit.RedrawPause";

UINT_PTR pauses(HWND window)
{
    return reinterpret_cast<UINT_PTR>(GetPropW(window, pauseCount));
}

} // namespace

RedrawPause::RedrawPause(ListView& pausedList) : list(pausedList)
{
    const UINT_PTR held = pauses(list.window);
    if (held == 0)
        list.setRedraw(false);
    SetPropW(list.window, pauseCount, reinterpret_cast<HANDLE>(held + 1));
}

void RedrawPause::paintNow(ListView& list)
{
    if (pauses(list.window) == 0)
        return;
    SendMessageW(list.window, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(list.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    SendMessageW(list.window, WM_SETREDRAW, FALSE, 0);
}

RedrawPause::~RedrawPause()
{
    const UINT_PTR held = pauses(list.window);
    if (held > 1)
    {
        SetPropW(list.window, pauseCount, reinterpret_cast<HANDLE>(held - 1));
        return;
    }
    RemovePropW(list.window, pauseCount);
    list.setRedraw(true);
}

} // namespace tkit
