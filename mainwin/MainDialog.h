#pragma once

#include "stamps/ReplaceRecord.h"
#include "stamps/Restore.h"
#include "stamps/RestoreRecord.h"
#include "stamps/ResultSummary.h"
#include "stamps/Skipped.h"
#include "tkit/ui/Dialog.h"
#include "tkit/ui/FileDialog.h"
#include "tkit/ui/Menu.h"

#include <functional>
#include <memory>
#include <vector>
#include <string>

namespace tkit
{
class CommandLine;
class StatusBar;
} // namespace tkit
class FileListView;
class HandOffIntake;
class LongWork;
class Steps;
class ResizeAnchor;

// The program's window: the timestamp list filling a resizable dialog, the
// menu with restore, clear, edit and the three settings, and the roads by
// which paths come in (start parameters, drops, hand-off messages).
class MainDialog : public tkit::Dialog
{
public:
    // commandLine is borrowed and read during initialisation only. The first
    // handedOver start paths were taken by another window and are left out.
    MainDialog(HINSTANCE module, const tkit::CommandLine* commandLine, size_t handedOver = 0);
    ~MainDialog() override;

    // Writes each checked row's remembered time back onto its file (with
    // RestoreRows::failed, only those of the checked rows whose last restore
    // failed) and marks the row restored or failed, with its result. A restore
    // that writes a file becomes the one an undo takes back; one that writes
    // none leaves the last one that did.
    void restoreTimestamps(RestoreRows which = RestoreRows::checked);
    // Edits the first selected row in the edit dialog.
    void editEntry();

    FileListView* list() const { return listView.get(); }
    // Whether long work is running, or the start paths are still to come.
    bool busy() const { return work != nullptr || startPathsWaiting; }

    bool confirmBeforeRestore = false;
    bool confirmBeforeClear = false;
    bool addRecursively = false;

protected:
    INT_PTR onInitDialog(WPARAM wParam, LPARAM lParam) override;
    INT_PTR onOk(WPARAM wParam, LPARAM lParam) override;
    INT_PTR onCancel(WPARAM wParam, LPARAM lParam) override;
    INT_PTR onClose() override;
    INT_PTR onCommand(WPARAM wParam, LPARAM lParam) override;
    INT_PTR onNotify(WPARAM wParam, LPARAM lParam) override;
    INT_PTR onSize(WPARAM wParam, LPARAM lParam) override;
    INT_PTR onDropFiles(HDROP drop) override;
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void applyOptions();
    void clearList();
    // Takes back the last restore that wrote a file, asking first when restores
    // are confirmed; says so when there is none.
    void undoRestore();
    // Copies the selected rows; says so when the clipboard could not be had.
    void copy();
    // Replaces text in the selected rows' paths, or in every row's.
    void replacePaths();
    // Takes back the newer of the last replacement and the last restore; the
    // other is taken back next.
    void undo();
    // Adds what the clipboard holds: files as a drop adds them, or lines of text.
    void paste();
    // Selects the rows whose file changed since its time was taken.
    void selectChanged();
    // Selects the rows whose last restore failed; says so when there are none.
    void selectFailed();
    // Restores the checked rows whose last restore failed, asking first when
    // restores are confirmed; says so when there are none.
    void retryFailed();
    // Once a command is done: the result column fits its texts, and the status
    // bar's first part says how the last restore, retry or undo came out and
    // how many rows are selected.
    void showResults();
    // Saves the list (the selected rows, if any) to a file the user names.
    void saveList();
    // Adds the rows of a list file the user names.
    void openList();
    // The Open and Save dialogs for list files.
    tkit::FileDialog listFileDialog() const;
    // The list's context menu at a point of the screen; (-1, -1) for the keyboard.
    void showListMenu(POINT at);
    void tell(const std::wstring& text, UINT icon) const;
    // Tells how many things a command left out, quoting the first: format
    // takes the count.
    void tellSkipped(const Skipped& skipped, const wchar_t* format, UINT icon) const;
    bool ask(const wchar_t* question) const;
    void updateCheckMarks() const;
    INT_PTR takeHandOff(const COPYDATASTRUCT* data);
    // Runs one command's long work in steps: the window answers, shows its
    // progress and offers Stop; commands that change rows or files wait.
    // adds: the work adds rows (Ctrl+A then selects the rows still to come).
    void runInSteps(const wchar_t* name, bool adds, const std::function<void(Steps&)>& body);
    // Greys the menu items and locks the list keys that change rows or files.
    void setBusy(bool busy);
    bool refusedWhileBusy(UINT command) const;
    // The window moved to a display of another scale.
    void dpiChanged(UINT newDpi, const RECT& suggested);

    std::unique_ptr<FileListView> listView;
    std::unique_ptr<ResizeAnchor> anchor;
    std::unique_ptr<HandOffIntake> handOffs;
    // Along the bottom edge: what the last command did, and long work's progress.
    std::unique_ptr<tkit::StatusBar> statusBar;
    // What the last restore wrote, for an undo.
    RestoreRecord lastRestore;
    // How the rows of the last restore, retry or undo came out.
    ResultSummary lastResults;
    // What the last replacement changed, and whether it came after the last restore.
    ReplaceRecord lastReplacement;
    bool replacementIsNewer = false;
    // The long work running now, if any.
    LongWork* work = nullptr;
    // Paths handed over or dropped while work ran, or before the start paths were in.
    std::vector<std::wstring> waitingPaths;
    bool startPathsWaiting = false;
    // The window was asked to close while work ran: it closes once the work stopped.
    bool closeWhenDone = false;
    // How many start paths another window took.
    size_t startPathsHandedOver;
    int minHeight = 0;
    int minWidth = 0;
    // The scale that the window's sizes in pixels are at.
    UINT dpi = 96;
    // Set once the window has begun to close (Esc, the close box): it takes no
    // more hand-offs, which would go with it.
    bool closing = false;
    tkit::Menu menu;
};
