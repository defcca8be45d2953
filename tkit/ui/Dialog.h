#pragma once

#include <windows.h>
#include <shellapi.h>

namespace tkit
{

// Base of every dialog: ties one object to one dialog window made from a
// resource template and turns each message into a call of one virtual slot.
class Dialog
{
public:
    Dialog(HINSTANCE instance, int templateId, void* param = nullptr);
    virtual ~Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally; returns what DialogBoxParamW returns.
    INT_PTR runModal(HWND owner);

    // The dialog procedure of every dialog of the toolkit.
    static INT_PTR CALLBACK staticDialogProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam);

    int templateId;
    HINSTANCE instance;
    HWND window = nullptr;
    int modeless = 0;
    int result = 0;
    void* param;

protected:
    virtual INT_PTR onInitDialog(WPARAM wParam, LPARAM lParam);
    virtual INT_PTR onClose();
    virtual INT_PTR onDestroy();
    virtual INT_PTR onOk(WPARAM wParam, LPARAM lParam);
    virtual INT_PTR onCancel(WPARAM wParam, LPARAM lParam);
    virtual INT_PTR onCommand(WPARAM wParam, LPARAM lParam);
    virtual INT_PTR onSysCommand(WPARAM wParam, LPARAM lParam);
    virtual INT_PTR onNotify(WPARAM wParam, LPARAM lParam);
    virtual INT_PTR onPaint();
    virtual INT_PTR onSize(WPARAM wParam, LPARAM lParam);
    virtual INT_PTR onMove(WPARAM wParam, LPARAM lParam);
    // Not reached by any message; kept for dialogs that want transparent labels.
    virtual INT_PTR onCtlColor(HDC dc, HWND control);
    virtual INT_PTR onDropFiles(HDROP drop);
    virtual INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual INT_PTR dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The answer to the message being handled, for messages whose result is
    // not the handled flag (notifications, for instance).
    void setMessageResult(LRESULT value) const;
    LRESULT messageResult() const;
    // Passes a notification on to a wrapped control, which answers it through
    // Control::answerParent, and gives back that answer: 0 where it gave none.
    LRESULT forwardNotify(HWND control, WPARAM wParam, LPARAM lParam) const;
};

} // namespace tkit
