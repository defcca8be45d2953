#pragma once

#include "stamps/FileListView.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace testing_support
{

// A modeless test dialog holding the program's list control, wrapped by a FileListView
// and set up as the main window sets up its list: the two columns, check boxes,
// grid lines and full-row selection, and the list's notifications sent on to
// the list window and answered with the dialog's message result.
class ListDialog
{
public:
    // A dialog that is not shown takes no keyboard focus from the display, so
    // the display never resets the key state that HeldKeys sets.
    explicit ListDialog(bool shown = false);
    ~ListDialog();
    ListDialog(const ListDialog&) = delete;
    ListDialog& operator=(const ListDialog&) = delete;

    HWND window() const { return dialog; }
    HWND listWindow() const { return list->window; }
    FileListView& view() { return *list; }

    // Delivers every message waiting for this thread.
    void pump() const;

    // Texts of a column, row by row.
    std::vector<std::wstring> column(int column) const;
    // Selects exactly the given rows and puts the focus on focusRow (-1: none).
    void select(const std::vector<int>& rows, int focusRow);
    std::vector<int> selectedRows() const;

    // Sends a key press to the list window as the keyboard would deliver it.
    void pressKey(UINT key) const;

    // WM_COMMAND wParam values the dialog received, in order.
    std::vector<WPARAM> commands;
    // wParam values of the WM_DROPFILES messages the dialog received.
    std::vector<WPARAM> drops;

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND dialog = nullptr;
    std::unique_ptr<FileListView> list;
};

// Holds keys down in the keyboard state that GetAsyncKeyState reads, and lets
// them go again when it goes away. Keys the display's own key state took back
// while pending window events were handled are sent again.
class HeldKeys
{
public:
    explicit HeldKeys(std::vector<WORD> keys);
    ~HeldKeys();
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    static void send(WORD key, bool up);
    std::vector<WORD> keys;
};

} // namespace testing_support
