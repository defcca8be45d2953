#include "mainwin/MainDialog.h"

#include "mainwin/HandOff.h"
#include "mainwin/LongWork.h"
#include "mainwin/ResizeAnchor.h"
#include "mainwin/WindowTitle.h"
#include "stamps/EditEntry.h"
#include "stamps/FileListView.h"
#include "stamps/ListClipboard.h"
#include "stamps/ListFile.h"
#include "stamps/ReplacePaths.h"
#include "stamps/Restore.h"
#include "stamps/SelectChanged.h"
#include "stamps/SelectFailed.h"
#include "tkit/ui/CommandLine.h"
#include "tkit/ui/Dpi.h"
#include "tkit/ui/DropFiles.h"
#include "tkit/ui/KeyState.h"
#include "tkit/ui/MessageFilter.h"
#include "tkit/ui/Question.h"
#include "tkit/ui/RedrawPause.h"
#include "tkit/ui/StatusBar.h"
#include "tkit/fs/FormatString.h"
#include "res/resource.h"

#include <windowsx.h>

#include <optional>
#include <utility>

namespace
{

// The time column's width at 100 %, before it is fitted to the font.
constexpr int timeColumnWidth = 140;
// Sent to itself after a change of scale, once the controls have their new fonts.
constexpr UINT fitColumnsMessage = WM_APP + 1;
// Posted to itself at initialisation: the start paths are added once the window shows.
constexpr UINT startPathsMessage = WM_APP + 2;
constexpr DWORD listExtendedStyles = LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
// WM_COPYGLOBALDATA: carries a drop's data ahead of WM_DROPFILES.
constexpr UINT copyGlobalDataMessage = 0x0049;

} // namespace

MainDialog::MainDialog(HINSTANCE module, const tkit::CommandLine* commandLine, size_t handedOver)
    : Dialog(module, IDD_MAIN, const_cast<tkit::CommandLine*>(commandLine)),
      startPathsHandedOver(handedOver), menu(GetModuleHandleW(nullptr))
{
}

MainDialog::~MainDialog()
{
    handOffs.reset();
    anchor.reset();
    statusBar.reset();
    listView.reset();
}

INT_PTR MainDialog::onInitDialog(WPARAM, LPARAM)
{
    SendMessageW(window, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP))));
    SetWindowTextW(window, windowTitle().c_str());

    listView = std::make_unique<FileListView>(window, IDC_FILE_LIST);
    dpi = tkit::windowDpi(window);
    tkit::keepDialogLayout(window);

    RECT rect;
    GetWindowRect(window, &rect);
    minWidth = rect.right - rect.left;
    minHeight = rect.bottom - rect.top;

    GetWindowRect(listView->window, &rect);
    listView->insertColumn(FileListView::pathColumn, L"ファイル名", rect.right - rect.left);
    listView->insertColumn(FileListView::timeColumn, L"更新日時",
                           tkit::scaled(timeColumnWidth, dpi));
    listView->fitTimeColumn(dpi);
    listView->addResultColumn(dpi);
    listView->setExtendedStyle(listView->extendedStyle() | listExtendedStyles);

    // The status bar takes the bottom edge; the list fills what is above it.
    statusBar = std::make_unique<tkit::StatusBar>(window, IDC_STATUS_BAR);
    GetClientRect(window, &rect);
    SetWindowPos(listView->window, nullptr, 0, 0, rect.right - rect.left,
                 rect.bottom - rect.top - statusBar->height(), SWP_NOMOVE | SWP_NOZORDER);
    anchor = std::make_unique<ResizeAnchor>(window, GetDlgItem(window, IDC_FILE_LIST));

    applyOptions();
    // The start paths are added once the window shows, in steps like any add;
    // paths handed over or dropped before that wait for them.
    if (const auto* commandLine = static_cast<const tkit::CommandLine*>(param))
    {
        const tkit::StringList& paths = commandLine->parameters();
        for (size_t index = startPathsHandedOver; index < paths.size(); ++index)
            waitingPaths.push_back(paths[index]);
    }
    startPathsWaiting = true;
    PostMessageW(window, startPathsMessage, 0, 0);

    handOffs = std::make_unique<HandOffIntake>(window, *listView);
    // The list's own long work (Delete, Space on many rows) runs in steps here.
    listView->setStepsRunner([this](const wchar_t* name, const std::function<void(Steps&)>& body) {
        runInSteps(name, false, body);
    });
    menu.handle = GetMenu(window);
    menu.popup = menu.submenuHolding(IDM_ADD_RECURSIVELY);
    DragAcceptFiles(window, TRUE);
    // Run as administrator, the window still takes drops from Explorer; it
    // does not take hand-offs from a second start that is not.
    for (HWND target : {window, listView->window})
    {
        tkit::allowFromLowerProcesses(target, WM_DROPFILES);
        tkit::allowFromLowerProcesses(target, copyGlobalDataMessage);
    }
    if (tkit::isKeyDown(VK_CONTROL))
        ShowWindow(window, SW_MINIMIZE);
    SetFocus(listView->window);
    return TRUE;
}

void MainDialog::dpiChanged(UINT newDpi, const RECT& suggested)
{
    minWidth = MulDiv(minWidth, static_cast<int>(newDpi), static_cast<int>(dpi));
    minHeight = MulDiv(minHeight, static_cast<int>(newDpi), static_cast<int>(dpi));
    anchor->rescale(dpi, newDpi);
    listView->rescaleColumns(dpi, newDpi);
    dpi = newDpi;
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageW(window, fitColumnsMessage, 0, 0);
}

void MainDialog::applyOptions()
{
    const auto* commandLine = static_cast<const tkit::CommandLine*>(param);
    if (commandLine == nullptr)
        return;
    for (const std::wstring& option : commandLine->options())
    {
        if (tkit::equalsIgnoreCase(option, L"cr"))
            confirmBeforeRestore = true;
        else if (tkit::equalsIgnoreCase(option, L"cc"))
            confirmBeforeClear = true;
        else if (tkit::equalsIgnoreCase(option, L"r"))
            addRecursively = true;
    }
}

bool MainDialog::ask(const wchar_t* question) const
{
    return tkit::askYesNo(window, question, windowTitle().c_str());
}

void MainDialog::tell(const std::wstring& text, UINT icon) const
{
    tkit::tell(window, text.c_str(), windowTitle().c_str(), icon);
}

void MainDialog::tellSkipped(const Skipped& skipped, const wchar_t* format, UINT icon) const
{
    if (skipped.count > 0)
        tell(tkit::formatString(format, skipped.count) + L"\n\n" +
                 tkit::fitForMessage(window, skipped.first),
             icon);
}

void MainDialog::runInSteps(const wchar_t* name, bool adds, const std::function<void(Steps&)>& body)
{
    {
        LongWork steps(window, *statusBar, *listView, name);
        work = &steps;
        setBusy(true);
        listView->setAdding(adds);
        body(steps);
        listView->setAdding(false);
        setBusy(false);
        work = nullptr;
    }
    // Paths handed over or dropped meanwhile, in the order they came.
    if (!waitingPaths.empty() && !closeWhenDone)
    {
        const std::vector<std::wstring> paths = std::exchange(waitingPaths, {});
        runInSteps(L"追加中", true,
                   [&](Steps& steps) { listView->addPaths(paths, addRecursively, steps); });
    }
    if (closeWhenDone)
        PostMessageW(window, WM_CLOSE, 0, 0);
}

void MainDialog::setBusy(bool busy)
{
    listView->setLocked(busy);
    for (const int command : {IDM_RESTORE, IDM_CLEAR, IDM_EDIT, IDM_OPEN_LIST, IDM_SAVE_LIST})
        menu.setEnabled(static_cast<UINT>(command), !busy);
    DrawMenuBar(window);
    if (!busy && GetFocus() == nullptr)
        SetFocus(listView->window);
}

bool MainDialog::refusedWhileBusy(UINT command) const
{
    if (work == nullptr)
        return false;
    // Scrolling, selecting, copying and the settings stay usable.
    switch (command)
    {
    case IDM_SELECT_ALL:
    case IDM_COPY:
    case IDM_ADD_RECURSIVELY:
    case IDM_CONFIRM_RESTORE:
    case IDM_CONFIRM_CLEAR:
        return false;
    default:
        return true;
    }
}

INT_PTR MainDialog::onOk(WPARAM, LPARAM)
{
    // An Enter typed again in impatience does not restore twice.
    if (work != nullptr || listView->itemCount() == 0)
        return 0;
    if (confirmBeforeRestore && !ask(L"タイムスタンプを復元しますか？"))
        return 0;
    restoreTimestamps();
    // No repaint is asked for here: the restore pauses the list's repainting,
    // and the list repaints whole, new colours and all, when the pause ends.
    // Returning 0 keeps the window open: the base ends a dialog on OK otherwise.
    return 0;
}

void MainDialog::restoreTimestamps(RestoreRows which)
{
    RestoreRecord record;
    runInSteps(L"復元中", false,
               [&](Steps& steps) { record = restoreCheckedRows(*listView, which, steps); });
    lastResults = record.summary();
    showResults();
    // A restore that wrote nothing leaves the last one that did to be taken back.
    if (!record.empty())
    {
        lastRestore = std::move(record);
        replacementIsNewer = false;
    }
}

void MainDialog::retryFailed()
{
    if (listView->itemCount() == 0)
        return;
    if (!anyCheckedFailed(*listView))
    {
        tell(L"失敗した行はありません。", MB_ICONINFORMATION);
        return;
    }
    if (confirmBeforeRestore && !ask(L"失敗した行の復元を再試行しますか？"))
        return;
    restoreTimestamps(RestoreRows::failed);
}

void MainDialog::showResults()
{
    listView->fitResultColumn(dpi);
    statusBar->setText(0, lastResults.line(listView->selectedCount()));
}

void MainDialog::replacePaths()
{
    if (ReplaceRecord record = ::replacePaths(*listView, window); !record.empty())
    {
        lastReplacement = std::move(record);
        replacementIsNewer = true;
    }
}

void MainDialog::undo()
{
    if (!lastReplacement.empty() && (replacementIsNewer || lastRestore.empty()))
    {
        Skipped left;
        runInSteps(L"元に戻し中", false,
                   [&](Steps& steps) { left = lastReplacement.undo(*listView, steps); });
        tellSkipped(left, L"%d 行はパスの置換の後に編集されたため、元に戻しませんでした。",
                    MB_ICONINFORMATION);
    }
    else
        undoRestore();
}

void MainDialog::undoRestore()
{
    if (lastRestore.empty())
    {
        tell(L"元に戻す復元はありません。", MB_ICONINFORMATION);
        return;
    }
    if (confirmBeforeRestore && !ask(L"復元を元に戻しますか？"))
        return;
    // Like a restore, the undo repaints the list when its pause ends.
    Skipped left;
    runInSteps(L"元に戻し中", false,
               [&](Steps& steps) { left = lastRestore.undo(*listView, steps); });
    lastResults = lastRestore.summary();
    showResults();
    tellSkipped(left,
                L"%d 個のファイルは復元の後に変更されたか見つからないため、"
                L"元に戻しませんでした。",
                MB_ICONINFORMATION);
}

void MainDialog::editEntry()
{
    ::editEntry(*listView, window);
}

void MainDialog::copy()
{
    if (!ListClipboard(*listView, window).copy())
        tell(L"クリップボードを開けなかったため、コピーできませんでした。", MB_ICONWARNING);
}

void MainDialog::paste()
{
    Skipped refused;
    runInSteps(L"貼り付け中", true, [&](Steps& steps) {
        refused = ListClipboard(*listView, window).paste(addRecursively, steps);
    });
    tellSkipped(refused, L"%d 行は追加できませんでした。", MB_ICONWARNING);
}

void MainDialog::selectChanged()
{
    if (listView->itemCount() == 0)
        return;
    ChangedRows changed;
    runInSteps(L"確認中", false,
               [&](Steps& steps) { changed = ::selectChanged(*listView, steps); });
    if (changed.selected == 0)
        tell(L"変更されたファイルはありません。", MB_ICONINFORMATION);
    tellSkipped(changed.unreadable, L"%d 個のファイルは更新日時を読み取れないため、選択しました。",
                MB_ICONWARNING);
}

void MainDialog::selectFailed()
{
    if (listView->itemCount() != 0 && ::selectFailed(*listView) == 0)
        tell(L"失敗した行はありません。", MB_ICONINFORMATION);
}

tkit::FileDialog MainDialog::listFileDialog() const
{
    return {window, L"テキスト ファイル (*.txt)\0*.txt\0すべてのファイル (*.*)\0*.*\0", L"txt"};
}

void MainDialog::saveList()
{
    const std::optional<std::wstring> path =
        listFileDialog().askSavePath(L"タイムスタンプ一覧.txt");
    if (!path)
        return;
    if (const DWORD error = ::saveList(*listView, *path); error != ERROR_SUCCESS)
        tell(L"一覧を保存できませんでした。\n\n" + tkit::fitForMessage(window, *path) + L"\n\n" +
                 tkit::systemMessage(error),
             MB_ICONWARNING);
}

void MainDialog::openList()
{
    const std::optional<std::wstring> path = listFileDialog().askOpenPath();
    if (!path)
        return;
    Skipped refused;
    DWORD error = ERROR_SUCCESS;
    runInSteps(L"読み込み中", true, [&](Steps& steps) {
        error = ::openList(*listView, *path, addRecursively, refused, steps);
    });
    if (error != ERROR_SUCCESS)
        tell(L"一覧を開けませんでした。\n\n" + tkit::fitForMessage(window, *path) + L"\n\n" +
                 tkit::systemMessage(error),
             MB_ICONWARNING);
    tellSkipped(refused, L"%d 行は追加できませんでした。", MB_ICONWARNING);
}

void MainDialog::showListMenu(POINT at)
{
    tkit::Menu listMenu(instance);
    listMenu.handle = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_LIST_MENU));
    listMenu.popup = GetSubMenu(listMenu.handle, 0);
    const bool empty = listView->itemCount() == 0;
    const bool selected = listView->nextItem(-1, LVNI_SELECTED) != -1;
    for (const int command : {IDM_RESTORE, IDM_RETRY_FAILED, IDM_SELECT_ALL, IDM_SELECT_CHANGED,
                              IDM_SELECT_FAILED, IDM_REPLACE_PATHS, IDM_SAVE_LIST})
        listMenu.setEnabled(static_cast<UINT>(command), !empty);
    for (const int command : {IDM_EDIT, IDM_DELETE, IDM_COPY})
        listMenu.setEnabled(static_cast<UINT>(command), selected);
    listMenu.setEnabled(IDM_UNDO, !lastRestore.empty() || !lastReplacement.empty());
    listMenu.setEnabled(IDM_PASTE, ListClipboard::canPaste());

    // From the keyboard, the menu opens at the focused row, or at the list's corner.
    if (at.x == -1 && at.y == -1)
    {
        RECT row = {};
        const int focused = listView->nextItem(-1, LVNI_FOCUSED);
        if (focused == -1 || !ListView_GetItemRect(listView->window, focused, &row, LVIR_LABEL))
            row = {};
        at = {row.left, row.bottom};
        ClientToScreen(listView->window, &at);
    }
    if (const UINT command = listMenu.track(window, at); command != 0)
        SendMessageW(window, WM_COMMAND, command, 0);
}

void MainDialog::clearList()
{
    // Paths handed over while the question is open are not what the user was
    // asked about: only the rows there when asked go.
    const int asked = listView->itemCount();
    if (asked == 0)
        return;
    if (confirmBeforeClear && !ask(L"リストをクリアしますか？"))
        return;
    runInSteps(L"クリア中", false, [&](Steps& steps) { listView->deleteFirstRows(asked, steps); });
}

INT_PTR MainDialog::onCancel(WPARAM wParam, LPARAM lParam)
{
    // Esc while work runs stops it after the file at hand; the window stays.
    if (work != nullptr)
    {
        work->stop();
        return 0;
    }
    closing = true;
    return Dialog::onCancel(wParam, lParam);
}

INT_PTR MainDialog::onClose()
{
    // Closing while work runs stops it at a file boundary first (no file is
    // left with its read-only bit cleared); the window closes once it has.
    if (work != nullptr)
    {
        closeWhenDone = true;
        work->stop();
        return TRUE;
    }
    closing = true;
    return Dialog::onClose();
}

INT_PTR MainDialog::onCommand(WPARAM wParam, LPARAM)
{
    if (LOWORD(wParam) == LongWork::stopCommand)
    {
        if (work != nullptr)
            work->stop();
        return 0;
    }
    if (refusedWhileBusy(LOWORD(wParam)))
        return 0;
    switch (LOWORD(wParam))
    {
    case IDM_RESTORE:
        // The menu item and the Enter key take the same road.
        SendMessageW(window, WM_COMMAND, IDOK, 0);
        break;
    case IDM_CLEAR:
        clearList();
        break;
    case IDM_EDIT:
        editEntry();
        break;
    case IDM_UNDO:
        undo();
        break;
    case IDM_REPLACE_PATHS:
        replacePaths();
        break;
    case IDM_DELETE:
        runInSteps(L"削除中", false, [&](Steps& steps) { listView->deleteSelected(steps); });
        break;
    case IDM_SELECT_ALL:
        listView->selectAll();
        break;
    case IDM_COPY:
        copy();
        break;
    case IDM_PASTE:
        paste();
        break;
    case IDM_SELECT_CHANGED:
        selectChanged();
        break;
    case IDM_SELECT_FAILED:
        selectFailed();
        break;
    case IDM_RETRY_FAILED:
        retryFailed();
        break;
    case IDM_SAVE_LIST:
        saveList();
        break;
    case IDM_OPEN_LIST:
        openList();
        break;
    case IDM_ADD_RECURSIVELY:
        addRecursively = !addRecursively;
        break;
    case IDM_CONFIRM_RESTORE:
        confirmBeforeRestore = !confirmBeforeRestore;
        break;
    case IDM_CONFIRM_CLEAR:
        confirmBeforeClear = !confirmBeforeClear;
        break;
    default:
        break;
    }
    showResults();
    return 0;
}

INT_PTR MainDialog::onNotify(WPARAM wParam, LPARAM lParam)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header == nullptr || header->idFrom != IDC_FILE_LIST || !listView)
        return 0;
    // The answer is both the message result and what the dialog procedure
    // returns: a non-zero answer is then "handled", and the system gives the
    // control the message result, the same answer; an answer of 0 is "not
    // handled", and the system's own answer to a notification is 0 as well.
    // A change of selection or focus alone is nothing the list acts on: passing
    // each one on cost more than the change itself (Ctrl+A on 200,000 rows).
    if (header->code == LVN_ITEMCHANGING)
        return 0;
    if (header->code == LVN_ITEMCHANGED)
    {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (!(change->uChanged & LVIF_STATE) ||
            !((change->uOldState ^ change->uNewState) & LVIS_STATEIMAGEMASK))
            return 0;
    }
    return forwardNotify(listView->window, wParam, lParam);
}

INT_PTR MainDialog::onSize(WPARAM, LPARAM lParam)
{
    if (anchor)
        anchor->resize(LOWORD(lParam), HIWORD(lParam));
    if (statusBar)
        statusBar->resized();
    return 0;
}

INT_PTR MainDialog::onDropFiles(HDROP drop)
{
    const tkit::DropFiles files(drop);
    std::vector<std::wstring> names = files.names();
    if (work != nullptr || startPathsWaiting)
    {
        waitingPaths.insert(waitingPaths.end(), names.begin(), names.end());
        return TRUE;
    }
    runInSteps(L"追加中", true,
               [&](Steps& steps) { listView->addPaths(names, addRecursively, steps); });
    return TRUE;
}

void MainDialog::updateCheckMarks() const
{
    menu.setChecked(IDM_CONFIRM_RESTORE, confirmBeforeRestore);
    menu.setChecked(IDM_CONFIRM_CLEAR, confirmBeforeClear);
    menu.setChecked(IDM_ADD_RECURSIVELY, addRecursively);
}

INT_PTR MainDialog::takeHandOff(const COPYDATASTRUCT* data)
{
    // A window that has begun to close refuses the path, so the second start
    // opens a window of its own with it.
    BOOL taken = FALSE;
    if (closing || closeWhenDone)
    {
        // Refused: the second start opens a window of its own with the path.
    }
    else if (work != nullptr || startPathsWaiting)
    {
        // Added once the work at hand is done, in the order they came.
        const std::optional<std::wstring> path = handedOverPath(data);
        if (path)
            waitingPaths.push_back(*path);
        taken = path.has_value();
    }
    else
        runInSteps(L"追加中", true,
                   [&](Steps& steps) { taken = handOffs->take(data, addRecursively, steps); });
    // A dialog answers WM_COPYDATA through its message result, set last: the
    // list's notifications during the add set it too.
    setMessageResult(taken);
    return taken;
}

INT_PTR MainDialog::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Until the list is wrapped, the window is not ready for any of these.
    if (!listView)
        return 0;
    switch (message)
    {
    case WM_SETFOCUS:
        SetFocus(listView->window);
        return TRUE;
    case WM_GETMINMAXINFO:
    {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = minWidth;
        info->ptMinTrackSize.y = minHeight;
        return TRUE;
    }
    case WM_COPYDATA:
        return takeHandOff(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_DPICHANGED:
        dpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        // Not handled here: the system goes on to give the controls new fonts.
        return 0;
    case WM_TIMER:
        handOffs->timerTicked(wParam);
        return 0;
    case startPathsMessage:
    {
        startPathsWaiting = false;
        const std::vector<std::wstring> paths = std::exchange(waitingPaths, {});
        runInSteps(L"追加中", true,
                   [&](Steps& steps) { listView->addPaths(paths, addRecursively, steps); });
        return 0;
    }
    case fitColumnsMessage:
        listView->fitTimeColumn(dpi);
        listView->fitResultColumn(dpi);
        listView->showMarks(dpi);
        return 0;
    case WM_SYSCOLORCHANGE:
        // Child controls hear of new system colours only from their window.
        SendMessageW(listView->window, message, wParam, lParam);
        return 0;
    case WM_CONTEXTMENU:
        // The list passes on what it does not handle: a right click, Shift+F10, the menu key.
        if (reinterpret_cast<HWND>(wParam) == listView->window)
            showListMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return TRUE;
    case WM_INITMENUPOPUP:
        if (reinterpret_cast<HMENU>(wParam) == menu.popup)
            updateCheckMarks();
        return 0;
    default:
        return 0;
    }
}
