#pragma once

#include "tests/res/testres.h"

#include <windows.h>

// A modeless test dialog that hosts real controls and does nothing itself
// (IDD_TEST_LIST_HIDDEN holds the list control 1001). Destroyed with the
// object unless a test destroyed it first.
class HostDialog
{
public:
    explicit HostDialog(int templateId)
        : window(CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId),
                                    nullptr, &proc, 0))
    {
    }
    ~HostDialog()
    {
        if (IsWindow(window))
            DestroyWindow(window);
    }
    HostDialog(const HostDialog&) = delete;
    HostDialog& operator=(const HostDialog&) = delete;

    HWND item(int id) const { return GetDlgItem(window, id); }

    HWND window;

private:
    static INT_PTR CALLBACK proc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
};
