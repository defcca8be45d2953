#include "tkit/ui/Dialog.h"

namespace tkit
{

Dialog::Dialog(HINSTANCE module, int dialogTemplate, void* initParam)
    : templateId(dialogTemplate), instance(module), param(initParam)
{
}

INT_PTR Dialog::runModal(HWND owner)
{
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), owner, staticDialogProc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK Dialog::staticDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The object arrives with WM_INITDIALOG and lives in the window's user slot
    // afterwards. The slot is pointer-sized: a 64-bit address must not be cut.
    Dialog* dialog = message == WM_INITDIALOG
                         ? reinterpret_cast<Dialog*>(lParam)
                         : reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (dialog == nullptr)
        return FALSE;
    return dialog->dialogProc(window, message, wParam, lParam);
}

INT_PTR Dialog::dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_INITDIALOG:
        window = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        return onInitDialog(wParam, lParam);
    case WM_DESTROY:
        return onDestroy();
    case WM_MOVE:
        return onMove(wParam, lParam);
    case WM_SIZE:
        return onSize(wParam, lParam);
    case WM_PAINT:
        return onPaint();
    case WM_CLOSE:
        return onClose();
    case WM_NOTIFY:
        return onNotify(wParam, lParam);
    case WM_COMMAND:
        switch (LOWORD(wParam))
        {
        // A handler that returns 0 keeps the dialog open (the main window
        // restores on Enter and stays); any other value ends it.
        case IDOK:
            if (onOk(wParam, lParam) == 0)
                return 0;
            result = IDOK;
            EndDialog(hwnd, IDOK);
            return 1;
        case IDCANCEL:
            if (onCancel(wParam, lParam) == 0)
                return 0;
            result = IDCANCEL;
            EndDialog(hwnd, IDCANCEL);
            return 1;
        default:
            return onCommand(wParam, lParam);
        }
    case WM_SYSCOMMAND:
        return onSysCommand(wParam, lParam);
    case WM_DROPFILES:
        return onDropFiles(reinterpret_cast<HDROP>(wParam));
    default:
        return onMessage(message, wParam, lParam);
    }
}

INT_PTR Dialog::onInitDialog(WPARAM, LPARAM)
{
    return 1;
}

INT_PTR Dialog::onClose()
{
    if (modeless != 0)
        DestroyWindow(window);
    else
        EndDialog(window, 1);
    return 1;
}

INT_PTR Dialog::onDestroy()
{
    if (modeless == 1)
        PostQuitMessage(0);
    return 1;
}

INT_PTR Dialog::onOk(WPARAM, LPARAM)
{
    return 1;
}

INT_PTR Dialog::onCancel(WPARAM, LPARAM)
{
    return 1;
}

INT_PTR Dialog::onCommand(WPARAM, LPARAM)
{
    return 0;
}

INT_PTR Dialog::onSysCommand(WPARAM, LPARAM)
{
    return 0;
}

INT_PTR Dialog::onNotify(WPARAM, LPARAM)
{
    return 0;
}

INT_PTR Dialog::onPaint()
{
    return 0;
}

INT_PTR Dialog::onSize(WPARAM, LPARAM)
{
    return 0;
}

INT_PTR Dialog::onMove(WPARAM, LPARAM)
{
    return 0;
}

INT_PTR Dialog::onCtlColor(HDC dc, HWND)
{
    SetBkMode(dc, TRANSPARENT);
    return 1;
}

INT_PTR Dialog::onDropFiles(HDROP)
{
    return 0;
}

INT_PTR Dialog::onMessage(UINT, WPARAM, LPARAM)
{
    return 0;
}

void Dialog::setMessageResult(LRESULT value) const
{
    SetWindowLongPtrW(window, DWLP_MSGRESULT, value);
}

LRESULT Dialog::messageResult() const
{
    return GetWindowLongPtrW(window, DWLP_MSGRESULT);
}

LRESULT Dialog::forwardNotify(HWND control, WPARAM wParam, LPARAM lParam) const
{
    // A value left over from an earlier message must not become this answer.
    setMessageResult(0);
    SendMessageW(control, WM_NOTIFY, wParam, lParam);
    return messageResult();
}

} // namespace tkit
