#include "tkit/ui/Control.h"

namespace tkit
{

Control::Control(HWND parentWindow, int controlId)
    : id(controlId), parent(parentWindow), window(GetDlgItem(parentWindow, controlId)),
      subclassed(true)
{
    // The object's address goes in before the procedure is replaced, so the
    // first message through the new procedure already finds the object.
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    previousProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&staticWindowProc));
}

Control::~Control()
{
    if (!subclassed)
        return;
    // Usually the control is gone by now. If it still exists and still runs
    // through this object, give it back its own procedure and forget the
    // object, so that no later message can reach a destroyed wrapper. A
    // window that no longer routes through this object (a stale handle now
    // naming another window, or a later subclass on top) is left alone.
    if (!IsWindow(window) ||
        GetWindowLongPtrW(window, GWLP_USERDATA) != reinterpret_cast<LONG_PTR>(this))
        return;
    if (GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&staticWindowProc))
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc));
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

LRESULT CALLBACK Control::staticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Control* control = reinterpret_cast<Control*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (control == nullptr)
        return 0;
    return control->windowProc(window, message, wParam, lParam);
}

LRESULT Control::windowProc(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY)
        return onNotify(wParam, lParam);
    return onMessage(message, wParam, lParam);
}

LRESULT Control::onNotify(WPARAM, LPARAM)
{
    return 0;
}

LRESULT Control::onMessage(UINT, WPARAM, LPARAM)
{
    return 0;
}

LRESULT Control::callPrevious(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return CallWindowProcW(previousProc, window, message, wParam, lParam);
}

void Control::answerParent(LRESULT value) const
{
    SetWindowLongPtrW(parent, DWLP_MSGRESULT, value);
}

} // namespace tkit
