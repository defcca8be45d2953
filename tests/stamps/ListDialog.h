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
    // A shown dialog has the keyboard focus on its list.
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
    // Types key with the held keys down, through the thread's input queue:
    // every key is down and up again before any of it is handled.
    void type(const std::vector<WORD>& held, WORD key) const;

    // WM_COMMAND wParam values the dialog received, in order.
    std::vector<WPARAM> commands;
    // wParam values of the WM_DROPFILES messages the dialog received.
    std::vector<WPARAM> drops;

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND dialog = nullptr;
    std::unique_ptr<FileListView> list;
};

} // namespace testing_support
