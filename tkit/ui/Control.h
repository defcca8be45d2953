#pragma once

#include <windows.h>

namespace tkit
{

// Takes over one child control of a dialog by replacing its window procedure,
// so that a derived class receives the control's messages as virtual calls.
class Control
{
public:
    // Subclasses control id of parent.
    Control(HWND parent, int id);
    // Puts the previous window procedure back.
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The window procedure of every wrapped control.
    static LRESULT CALLBACK staticWindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam);

    int id;
    HWND parent;
    HWND window;
    bool subclassed = false;
    WNDPROC previousProc = nullptr;

protected:
    // WM_NOTIFY arriving at the control's window. Answers 0 unless overridden.
    virtual LRESULT onNotify(WPARAM wParam, LPARAM lParam);
    // Every other message. Answers 0 unless overridden.
    virtual LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Hands a message to the control's own procedure.
    LRESULT callPrevious(UINT message, WPARAM wParam, LPARAM lParam) const;
    // Answers a notification that the parent dialog forwarded here (see
    // Dialog::forwardNotify): the answer goes in the dialog's message result.
    void answerParent(LRESULT value) const;
};

} // namespace tkit
