#pragma once

#include "support/ModalSteps.h"
#include "support/Recorder.h"
#include "tests/res/testres.h"
#include "mainwin/MainDialog.h"
#include "stamps/FileListView.h"
#include "tkit/ui/CommandLine.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The windows the tests run code in: a test dialog that hosts real controls, the
// same dialog holding the program's list set up as the main window sets it up,
// and the real main dialog.
namespace testing_support
{

// A modeless test dialog that hosts real controls (IDD_TEST_LIST_HIDDEN holds
// the list control IDC_FILE_LIST) and records the commands and drops it
// receives. Destroyed with the object unless a test destroyed it first.
class HostDialog : public Recorder
{
public:
    explicit HostDialog(int templateId = IDD_TEST_LIST_HIDDEN);
    virtual ~HostDialog();
    HostDialog(const HostDialog&) = delete;
    HostDialog& operator=(const HostDialog&) = delete;

    HWND item(int id) const { return GetDlgItem(window, id); }
    // Delivers every message waiting for this thread.
    void pump() const;

    HWND window = nullptr;

protected:
    // The control whose notifications the dialog sends on to it and answers
    // with what it leaves in the message result, as the main window does; null: none.
    HWND answeringControl = nullptr;

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// The host dialog holding the program's list control, wrapped by a FileListView
// and set up as the main window sets up its list: the three columns, the rows'
// marks, check boxes, grid lines and full-row selection.
class ListDialog : public HostDialog
{
public:
    // A shown dialog has the keyboard focus on its list.
    explicit ListDialog(bool shown = false);
    ~ListDialog() override;

    HWND listWindow() const { return list->window; }
    FileListView& view() { return *list; }

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

private:
    std::unique_ptr<FileListView> list;
};

// The real main dialog, run modally on a command line ("chronoguard.exe "
// followed by arguments), with test steps run inside its loop.
class MainWindowRun
{
public:
    explicit MainWindowRun(const std::wstring& arguments);

    ModalSteps& then(std::function<void()> step) { return steps.then(std::move(step)); }
    // Runs the dialog until a step ends it; the dialog's end code.
    INT_PTR run();
    // Ends the dialog as Esc does.
    void close() const;

    tkit::CommandLine commandLine;
    MainDialog dialog;
    ModalSteps steps;
};

// Runs the main dialog on the arguments, calls body inside its loop, then closes it.
void withMainWindow(const std::wstring& arguments, const std::function<void(MainDialog&)>& body);

// Texts of a column of a list, row by row.
std::vector<std::wstring> columnTexts(const tkit::ListView& list, int column);
// The mark a row shows in front of its path: 0 none, 1 a tick, 2 a cross.
int markOf(const tkit::ListView& list, int row);
// The paths of the main window's rows, in order.
std::vector<std::wstring> paths(const MainDialog& dialog);
// A path in quotation marks, as a command-line argument; several paths so, one
// after the other with a space between.
std::wstring quoted(const std::wstring& path);
std::wstring quoted(const std::vector<std::wstring>& paths);

} // namespace testing_support
