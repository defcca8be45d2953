#include "tkit/ui/Dpi.h"

#include "tkit/ui/User32Function.h"

namespace tkit
{

namespace
{

// The scale at which a length in pixels is given: 100 %.
constexpr UINT defaultDpi = 96;
// SetDialogDpiChangeBehavior's flag, not in older SDKs. Windows 10 1703 and later.
constexpr int disableControlRelayout = 0x0004;

} // namespace

UINT windowDpi(HWND window)
{
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow != nullptr)
    {
        if (const UINT dpi = getDpiForWindow(window); dpi != 0)
            return dpi;
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : defaultDpi;
}

int scaled(int length, UINT dpi)
{
    return MulDiv(length, static_cast<int>(dpi), static_cast<int>(defaultDpi));
}

void keepDialogLayout(HWND dialog)
{
    using SetBehaviourFunction = BOOL(WINAPI*)(HWND, int, int);
    static const auto setBehaviour =
        user32Function<SetBehaviourFunction>("SetDialogDpiChangeBehavior");
    if (setBehaviour != nullptr)
        setBehaviour(dialog, disableControlRelayout, disableControlRelayout);
}

} // namespace tkit
