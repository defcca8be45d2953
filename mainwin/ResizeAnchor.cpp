#include "mainwin/ResizeAnchor.h"

#include <algorithm>
#include <cstdlib>

ResizeAnchor::ResizeAnchor(HWND dialog, HWND listControl) : control(listControl)
{
    GetClientRect(dialog, &clientRect);
    GetWindowRect(control, &controlRect);
    controlOrigin = {controlRect.left, controlRect.top};
    ScreenToClient(dialog, &controlOrigin);
    marginWidth =
        std::abs((clientRect.right - clientRect.left) - (controlRect.right - controlRect.left));
    marginHeight =
        std::abs((clientRect.bottom - clientRect.top) - (controlRect.bottom - controlRect.top));
}

void ResizeAnchor::resize(int clientWidth, int clientHeight) const
{
    // A minimised window reports a client area of 0 by 0.
    const int width = std::max(0, clientWidth - marginWidth);
    const int height = std::max(0, clientHeight - marginHeight);
    HDWP positions = BeginDeferWindowPos(1);
    positions =
        DeferWindowPos(positions, control, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    EndDeferWindowPos(positions);
}

void ResizeAnchor::rescale(UINT fromDpi, UINT toDpi)
{
    marginWidth = MulDiv(marginWidth, static_cast<int>(toDpi), static_cast<int>(fromDpi));
    marginHeight = MulDiv(marginHeight, static_cast<int>(toDpi), static_cast<int>(fromDpi));
}
