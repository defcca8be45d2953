#include "mainwin/MainDialog.h"

#include "support/Drops.h"
#include "support/Hosts.h"
#include "support/ProgramRun.h"
#include "support/TempDir.h"
#include "mainwin/HandOff.h"
#include "mainwin/LongWork.h"
#include "mainwin/WindowTitle.h"
#include "stamps/EntryStatus.h"
#include "stamps/FileListView.h"
#include "stamps/Timestamp.h"
#include "tkit/ui/CommandLine.h"
#include "tkit/ui/RedrawPause.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <cwchar>
#include <filesystem>
#include <future>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

using testing_support::answerQuestion;
using testing_support::dropIsHeld;
using testing_support::findQuestionBox;
using testing_support::lastWriteTicks;
using testing_support::MainWindowRun;
using testing_support::makeDrop;
using testing_support::ModalSteps;
using testing_support::paths;
using testing_support::putOnClipboard;
using testing_support::questionText;
using testing_support::quoted;
using testing_support::setLastWriteTicks;
using testing_support::TempDir;
using testing_support::withMainWindow;

namespace
{

const std::wstring title = windowTitle();

// The check marks of the settings popup, as the menu shows them when it opens.
std::vector<bool> checkMarks(HWND dialog)
{
    HMENU bar = GetMenu(dialog);
    HMENU popup = GetSubMenu(bar, 3);
    SendMessageW(dialog, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 3);
    std::vector<bool> marks;
    for (const int id : {IDM_ADD_RECURSIVELY, IDM_CONFIRM_RESTORE, IDM_CONFIRM_CLEAR})
        marks.push_back((GetMenuState(bar, static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0);
    return marks;
}

int rows(const MainWindowRun& window)
{
    return window.dialog.list()->itemCount();
}

TEST(MainDialog, OptionsInAnyCaseSwitchSettingsOnAndOnlyOn)
{
    struct Case
    {
        const wchar_t* arguments;
        bool recursive, confirmRestore, confirmClear;
    };
    const Case cases[] = {
        {L"", false, false, false},        {L"-r", true, false, false},
        {L"/R", true, false, false},       {L"-CR", false, true, false},
        {L"/cC", false, false, true},      {L"-r -cr -cc", true, true, true},
        {L"-r -r", true, false, false},    {L"-rr -c -crr -xcc -", false, false, false},
        {L"-ｒ", false, false, false}, // full-width r is not folded
        {L"file -r", false, false, false}, {L"-- -r", false, false, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message()
                     << "arguments: " << testing::PrintToString(std::wstring(c.arguments)));
        MainWindowRun window(c.arguments);
        std::vector<bool> marks;
        window.then([&] {
            EXPECT_EQ(window.dialog.addRecursively, c.recursive);
            EXPECT_EQ(window.dialog.confirmBeforeRestore, c.confirmRestore);
            EXPECT_EQ(window.dialog.confirmBeforeClear, c.confirmClear);
            marks = checkMarks(window.dialog.window);
            window.close();
        });
        window.run();
        EXPECT_EQ(marks, (std::vector<bool>{c.recursive, c.confirmRestore, c.confirmClear}));
    }
}

TEST(MainDialog, ToggleCommandsFlipSettingsAndTheCheckMarksFollow)
{
    MainWindowRun window(L"-cc");
    std::vector<std::vector<bool>> seen;
    window.then([&] {
        seen.push_back(checkMarks(window.dialog.window));
        SendMessageW(window.dialog.window, WM_COMMAND, IDM_ADD_RECURSIVELY, 0);
        seen.push_back(checkMarks(window.dialog.window));
        SendMessageW(window.dialog.window, WM_COMMAND, IDM_CONFIRM_RESTORE, 0);
        SendMessageW(window.dialog.window, WM_COMMAND, IDM_CONFIRM_CLEAR, 0);
        seen.push_back(checkMarks(window.dialog.window));
        SendMessageW(window.dialog.window, WM_COMMAND, IDM_ADD_RECURSIVELY, 0);
        seen.push_back(checkMarks(window.dialog.window));
        window.close();
    });
    window.run();
    const std::vector<std::vector<bool>> expected = {
        {false, false, true}, {true, false, true}, {true, true, false}, {false, true, false}};
    EXPECT_EQ(seen, expected);
}

TEST(MainDialog, EscapeEndsWithTwoAndTheCloseBoxWithOne)
{
    TempDir dir;
    const std::wstring file = dir.file(L"a.txt");
    {
        MainWindowRun window(quoted(file));
        window.then([&] { PostMessageW(window.dialog.window, WM_COMMAND, IDCANCEL, 0); });
        EXPECT_EQ(window.run(), 2);
    }
    {
        MainWindowRun window(quoted(file));
        window.then([&] { PostMessageW(window.dialog.window, WM_CLOSE, 0, 0); });
        EXPECT_EQ(window.run(), 1);
        EXPECT_EQ(window.dialog.result, 0);
    }
    {
        // Escape as a key press reaches the dialog as IDCANCEL.
        MainWindowRun window(quoted(file));
        window.then([&] {
            SetFocus(window.dialog.list()->window);
            PostMessageW(window.dialog.list()->window, WM_KEYDOWN, VK_ESCAPE, 0);
        });
        EXPECT_EQ(window.run(), 2);
    }
}

TEST(MainDialog, RestoreAndClearOnAnEmptyListAskNothing)
{
    MainWindowRun window(L"-cr -cc");
    bool asked = true;
    window.then([&] { PostMessageW(window.dialog.window, WM_COMMAND, IDOK, 0); })
        .then([&] { PostMessageW(window.dialog.window, WM_COMMAND, IDM_RESTORE, 0); })
        .then([&] { PostMessageW(window.dialog.window, WM_COMMAND, IDM_CLEAR, 0); })
        .then([&] {
            asked = findQuestionBox(title.c_str()) != nullptr;
            answerQuestion(title.c_str(), IDNO);
        })
        .then([&] { window.close(); });
    window.run();
    EXPECT_FALSE(asked);
}

TEST(MainDialog, ConfirmedRestoreRunsOnlyOnYesAndEnterAndMenuTakeTheSameRoad)
{
    TempDir dir;
    const std::wstring file = dir.file(L"a.txt");
    const auto captured = testing_support::lastWriteTicks(file);
    const auto later = captured + 10'000'000ULL * 3600;

    for (const UINT command : {static_cast<UINT>(IDOK), static_cast<UINT>(IDM_RESTORE)})
    {
        MainWindowRun window(L"-cr " + quoted(file));
        std::wstring question;
        unsigned long long afterNo = 0;
        auto statusAfterNo = static_cast<EntryStatus>(99);
        auto statusAfterYes = static_cast<EntryStatus>(99);
        window.then([&] { testing_support::setLastWriteTicks(file, later); })
            .then([&] { SendMessageW(window.dialog.window, WM_COMMAND, command, 0); })
            .then([&] {
                question = questionText(findQuestionBox(title.c_str()));
                answerQuestion(title.c_str(), IDNO);
            })
            .then([&] {
                afterNo = testing_support::lastWriteTicks(file);
                statusAfterNo = window.dialog.list()->status(0);
                SendMessageW(window.dialog.window, WM_COMMAND, command, 0);
            })
            .then([&] { answerQuestion(title.c_str(), IDYES); })
            .then([&] {
                statusAfterYes = window.dialog.list()->status(0);
                window.close();
            });
        window.run();
        EXPECT_EQ(question, L"タイムスタンプを復元しますか？");
        EXPECT_EQ(afterNo, later);
        EXPECT_EQ(statusAfterNo, EntryStatus::Unset);
        EXPECT_EQ(testing_support::lastWriteTicks(file), captured);
        EXPECT_EQ(statusAfterYes, EntryStatus::Restored);
    }
}

TEST(MainDialog, UnconfirmedRestoreRunsAtOnce)
{
    TempDir dir;
    const std::wstring file = dir.file(L"a.txt");
    const auto captured = testing_support::lastWriteTicks(file);
    MainWindowRun window(quoted(file));
    bool asked = true;
    window
        .then([&] {
            testing_support::setLastWriteTicks(file, captured + 123'456'789);
            SendMessageW(window.dialog.window, WM_COMMAND, IDM_RESTORE, 0);
        })
        .then([&] {
            asked = findQuestionBox(title.c_str()) != nullptr;
            window.close();
        });
    window.run();
    EXPECT_FALSE(asked);
    EXPECT_EQ(testing_support::lastWriteTicks(file), captured);
}

TEST(MainDialog, ClearAsksWhenConfirmationIsOnAndOnlyYesClears)
{
    TempDir dir;
    const std::wstring a = dir.file(L"a.txt");
    const std::wstring b = dir.file(L"b.txt");
    MainWindowRun window(L"-cc " + quoted({a, b}));
    std::wstring question;
    int rowsAfterNo = -1;
    int rowsAfterYes = -1;
    int rowsAtEnd = -1;
    window.then([&] { SendMessageW(window.dialog.window, WM_COMMAND, IDM_CLEAR, 0); })
        .then([&] {
            question = questionText(findQuestionBox(title.c_str()));
            answerQuestion(title.c_str(), IDNO);
        })
        .then([&] {
            rowsAfterNo = rows(window);
            SendMessageW(window.dialog.window, WM_COMMAND, IDM_CLEAR, 0);
        })
        .then([&] { answerQuestion(title.c_str(), IDYES); })
        .then([&] {
            rowsAfterYes = rows(window);
            // Without confirmation the clear runs at once.
            SendMessageW(window.dialog.window, WM_COMMAND, IDM_CONFIRM_CLEAR, 0);
            window.dialog.list()->addPath(a, false);
            SendMessageW(window.dialog.window, WM_COMMAND, IDM_CLEAR, 0);
        })
        .then([&] {
            rowsAtEnd = rows(window);
            window.close();
        });
    window.run();
    EXPECT_EQ(question, L"リストをクリアしますか？");
    EXPECT_EQ(rowsAfterNo, 2);
    EXPECT_EQ(rowsAfterYes, 0);
    EXPECT_EQ(rowsAtEnd, 0);
}

std::vector<int> columnWidths(const MainWindowRun& window)
{
    HWND list = window.dialog.list()->window;
    return {static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0)),
            static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0))};
}

TEST(MainDialog, WindowNeverShrinksBelowItsFirstSizeAndTheListFillsLargerSizes)
{
    MainWindowRun window(L"");
    RECT first = {};
    MINMAXINFO limits = {};
    RECT client = {};
    RECT list = {};
    RECT bar = {};
    std::vector<int> widths;
    // Moved to a display of 150 %: the suggested place, every size scaled.
    RECT suggested = {}, moved = {};
    MINMAXINFO limitsMoved = {};
    window
        .then([&] {
            GetWindowRect(window.dialog.window, &first);
            SendMessageW(window.dialog.window, WM_GETMINMAXINFO, 0,
                         reinterpret_cast<LPARAM>(&limits));
            SetWindowPos(window.dialog.window, nullptr, 0, 0, first.right - first.left + 200,
                         first.bottom - first.top + 150, SWP_NOMOVE | SWP_NOZORDER);
        })
        .then([&] {
            GetClientRect(window.dialog.window, &client);
            GetWindowRect(window.dialog.list()->window, &list);
            GetWindowRect(GetDlgItem(window.dialog.window, IDC_STATUS_BAR), &bar);
            MapWindowPoints(nullptr, window.dialog.window, reinterpret_cast<POINT*>(&bar), 2);
            // A minimised window reports 0 by 0; the list must not get a negative size.
            SendMessageW(window.dialog.window, WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(0, 0));
            widths = columnWidths(window);
            suggested = {10, 20, 10 + (first.right - first.left) * 3 / 2,
                         20 + (first.bottom - first.top) * 3 / 2};
            SendMessageW(window.dialog.window, WM_DPICHANGED, MAKEWPARAM(144, 144),
                         reinterpret_cast<LPARAM>(&suggested));
        })
        .then([&] {
            GetWindowRect(window.dialog.window, &moved);
            SendMessageW(window.dialog.window, WM_GETMINMAXINFO, 0,
                         reinterpret_cast<LPARAM>(&limitsMoved));
            EXPECT_EQ(columnWidths(window), (std::vector{widths[0] * 3 / 2, widths[1] * 3 / 2}));
            window.close();
        });
    window.run();
    EXPECT_EQ(limits.ptMinTrackSize.x, first.right - first.left);
    EXPECT_EQ(limits.ptMinTrackSize.y, first.bottom - first.top);
    EXPECT_EQ(list.right - list.left, client.right);
    EXPECT_EQ(list.bottom - list.top, bar.top) << "the list fills what the status bar leaves";
    EXPECT_EQ(bar.bottom, client.bottom);
    EXPECT_GT(client.right, 0);
    EXPECT_TRUE(EqualRect(&moved, &suggested));
    EXPECT_EQ(limitsMoved.ptMinTrackSize.x, suggested.right - suggested.left);
    EXPECT_EQ(limitsMoved.ptMinTrackSize.y, suggested.bottom - suggested.top);
}

TEST(MainDialog, NotificationsTheListDoesNotAnswerAreAnsweredZero)
{
    MainWindowRun window(L"");
    LRESULT fromList = -1;
    LRESULT fromOther = -1;
    window.then([&] {
        HWND dialog = window.dialog.window;
        // A value left over from an earlier message must not become the answer.
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 12345);
        NMHDR header = {window.dialog.list()->window, IDC_FILE_LIST, NM_CLICK};
        fromList =
            SendMessageW(dialog, WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&header));
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 12345);
        NMHDR other = {dialog, 4242, NM_CLICK};
        fromOther = SendMessageW(dialog, WM_NOTIFY, 4242, reinterpret_cast<LPARAM>(&other));
        window.close();
    });
    window.run();
    EXPECT_EQ(fromList, 0);
    EXPECT_EQ(fromOther, 0);
}

TEST(MainDialog, StartsWithTheWindowTitleTheColumnsAndTheListFocused)
{
    TempDir dir;
    const std::wstring folder = dir.folder(L"tree");
    dir.file(L"tree\\a.txt");
    dir.file(L"tree\\sub\\b.txt");
    MainWindowRun window(L"-r " + quoted(folder));
    wchar_t text[64] = {};
    HWND focus = nullptr;
    HWND listWindow = nullptr;
    int columnWidth = 0, textWidth = 0;
    std::vector<std::wstring> paths;
    window.then([&] {
        GetWindowTextW(window.dialog.window, text, 64);
        focus = GetFocus();
        listWindow = window.dialog.list()->window;
        columnWidth =
            static_cast<int>(SendMessageW(window.dialog.list()->window, LVM_GETCOLUMNWIDTH, 1, 0));
        for (int row = 0; row < rows(window); ++row)
        {
            paths.push_back(window.dialog.list()->path(row));
            const std::wstring time = window.dialog.list()->timeText(row);
            textWidth = std::max(
                textWidth, static_cast<int>(SendMessageW(listWindow, LVM_GETSTRINGWIDTHW, 0,
                                                         reinterpret_cast<LPARAM>(time.c_str()))));
        }
        window.close();
    });
    window.run();
    EXPECT_EQ(std::wstring(text), title);
    // The title's version is the one Explorer shows from the version resource.
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::vector<char> info(GetFileVersionInfoSizeW(module, nullptr));
    wchar_t* product = nullptr;
    UINT length = 0;
    ASSERT_TRUE(GetFileVersionInfoW(module, 0, static_cast<DWORD>(info.size()), info.data()) &&
                VerQueryValueW(info.data(), L"\\StringFileInfo\\041104B0\\ProductVersion",
                               reinterpret_cast<void**>(&product), &length));
    EXPECT_EQ(std::wstring(text), L"Chronoguard Ver." + std::wstring(product));
    EXPECT_EQ(focus, listWindow);
    // Wider than every time text with the list's cell padding (12 pixels).
    EXPECT_GE(columnWidth, std::max(140, textWidth + 12));
    ASSERT_EQ(paths.size(), 4u);
    EXPECT_EQ(paths[0], folder);
}

// The message box that an action opened, read and closed; empty when none opened.
// onScreen: whether the whole box lies within its monitor's work area.
void readMessage(std::wstring& text, bool* onScreen = nullptr)
{
    HWND box = findQuestionBox(title.c_str());
    text = box != nullptr ? questionText(box) : L"";
    MONITORINFO monitor = {sizeof(monitor), {}, {}, 0};
    RECT rect = {}, inside = {};
    if (onScreen != nullptr && box != nullptr && GetWindowRect(box, &rect) &&
        GetMonitorInfoW(MonitorFromWindow(box, MONITOR_DEFAULTTONEAREST), &monitor))
        *onScreen = IntersectRect(&inside, &rect, &monitor.rcWork) && EqualRect(&inside, &rect);
    answerQuestion(title.c_str(), IDOK);
}

// Paste and copy on a window holding a.txt (selected for a copy), while another
// thread holds the clipboard open for a time. A "…" in the expected message
// stands for the part of the quoted line left out, the "…" the box shows included.
TEST(MainDialog, ClipboardCommandsSayWhatTheyCouldNotDoInABoxOnTheScreen)
{
    TempDir dir;
    const std::wstring a = dir.file(L"a.txt");
    std::wstring words = L"w0"; // wrapped by the box into many lines
    for (int word = 1; word < 1000; ++word)
        words += L" w" + std::to_wstring(word % 10);
    const std::wstring aRow = a + L"\t" + testing_support::shownAs(lastWriteTicks(a)) + L"\t" +
                              utcTimestampText(testing_support::fileTimeOf(lastWriteTicks(a))) +
                              L"\r\n";
    constexpr DWORD untilRead = 60'000;
    const struct
    {
        const char* name;
        UINT command;
        std::wstring clipboard;
        int rows;
        std::wstring message;
        DWORD held = 0;           // milliseconds, from just before the command
        std::wstring after = L""; // the clipboard's text after the command; empty: unchanged
    } cases[] = {
        {"paste: two lines refused", IDM_PASTE, L"x\t2023/02/30 12:00:00.000\r\n" + a + L"\n\tz\n",
         2, L"2 行は追加できませんでした。\n\nx\t2023/02/30 12:00:00.000"},
        {"paste: a line too long for the screen", IDM_PASTE, L"C:\\" + std::wstring(3000, L'x'), 1,
         L"1 行は追加できませんでした。\n\nC:\\x…x"},
        {"paste: a line the box wraps", IDM_PASTE, words, 1,
         L"1 行は追加できませんでした。\n\nw0 w1…w8 w9"},
        {"copy: the clipboard held for a moment", IDM_COPY, L"", 1, L"", 100, aRow},
        {"copy: the clipboard held throughout", IDM_COPY, L"before", 1,
         L"クリップボードを開けなかったため、コピーできませんでした。", untilRead},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        MainWindowRun window(quoted(a));
        std::wstring message;
        bool onScreen = false;
        int rowsAfter = 0;
        std::promise<void> opened, release;
        std::thread holder;
        window
            .then([&] {
                putOnClipboard(window.dialog.window, c.clipboard);
                window.dialog.list()->setItemState(0, LVIS_SELECTED, LVIS_SELECTED);
                if (c.held != 0)
                {
                    holder = std::thread([&] {
                        OpenClipboard(nullptr);
                        opened.set_value();
                        release.get_future().wait_for(std::chrono::milliseconds(c.held));
                        CloseClipboard();
                    });
                    opened.get_future().wait();
                }
                SendMessageW(window.dialog.window, WM_COMMAND, c.command, 0);
            })
            .then([&] {
                readMessage(message, &onScreen);
                release.set_value();
                rowsAfter = rows(window);
                window.close();
            });
        window.run();
        if (holder.joinable())
            holder.join();
        const size_t cut = c.message.find(L'…');
        EXPECT_TRUE(cut == std::wstring::npos ? message == c.message
                                              : message.starts_with(c.message.substr(0, cut)) &&
                                                    message.find(L'…', cut) != std::wstring::npos &&
                                                    message.ends_with(c.message.substr(cut + 1)))
            << testing::PrintToString(message);
        EXPECT_EQ(onScreen, !message.empty());
        EXPECT_EQ(rowsAfter, c.rows);
        EXPECT_EQ(testing_support::clipboardText(), c.after.empty() ? c.clipboard : c.after);
    }
}

// Ctrl+S through the system's Save dialog onto a read-only list: the window
// says why it could not, and the old file is whole.
TEST(MainDialog, ASaveThatFailsSaysWhyAndLeavesTheOldFileWhole)
{
    TempDir dir;
    const std::wstring saved = dir.file(L"一覧.txt");
    const auto size = std::filesystem::file_size(saved);
    SetFileAttributesW(saved.c_str(), FILE_ATTRIBUTE_READONLY);
    std::wstring message;
    MainWindowRun window(quoted(dir.file(L"a.txt")));
    HWND save = nullptr;
    window.then([&] { SendMessageW(window.dialog.window, WM_COMMAND, IDM_SAVE_LIST, 0); })
        .waitFor([&] {
            return (save = GetLastActivePopup(window.dialog.window)) != window.dialog.window;
        })
        .then([&] {
            // The name field: a combo box in the Explorer style, an edit in the old one.
            for (const int field : {0x47C, 0x480})
                SetDlgItemTextW(save, field, saved.c_str());
            PostMessageW(save, WM_COMMAND, IDOK, 0);
        })
        .waitFor([&] { return GetLastActivePopup(save) != save; })
        .then([&] { PostMessageW(GetLastActivePopup(save), WM_COMMAND, IDYES, 0); })
        .waitFor([&] { return findQuestionBox(title.c_str()) != nullptr; })
        .then([&] { readMessage(message); })
        .then([&] { window.close(); });
    window.run();
    EXPECT_EQ(message.substr(0, message.find(L"\n\n")), L"一覧を保存できませんでした。");
    EXPECT_NE(message.find(L"(5)"), std::wstring::npos) << "the system's reason and its code";
    EXPECT_EQ(std::filesystem::file_size(saved), size);
    SetFileAttributesW(saved.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The items of the open context menu that are greyed, by command id; the menu is closed.
std::vector<int> greyedItems()
{
    std::vector<int> greyed;
    HWND menuWindow = FindWindowW(L"#32768", nullptr);
    auto* menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    for (const int id :
         {IDM_RESTORE, IDM_RETRY_FAILED, IDM_UNDO, IDM_EDIT, IDM_DELETE, IDM_SELECT_ALL,
          IDM_SELECT_CHANGED, IDM_SELECT_FAILED, IDM_COPY, IDM_PASTE})
        if (menu != nullptr &&
            (GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED))
            greyed.push_back(id);
    EndMenu();
    return greyed;
}

TEST(MainDialog, TheContextMenuGreysWhatCannotActAndSelectChangedAndUndoSayWhenTheyFindNothing)
{
    TempDir dir;
    const std::wstring a = dir.file(L"a.txt");
    const struct
    {
        const char* name;
        std::wstring arguments;
        bool select;
        const wchar_t* clipboard;
        std::vector<int> greyed;
    } cases[] = {
        {"an empty list, an empty clipboard",
         L"",
         false,
         nullptr,
         {IDM_RESTORE, IDM_RETRY_FAILED, IDM_UNDO, IDM_EDIT, IDM_DELETE, IDM_SELECT_ALL,
          IDM_SELECT_CHANGED, IDM_SELECT_FAILED, IDM_COPY, IDM_PASTE}},
        {"a row, none selected, text on the clipboard",
         quoted(a),
         false,
         L"x",
         {IDM_UNDO, IDM_EDIT, IDM_DELETE, IDM_COPY}},
        {"a selected row", quoted(a), true, nullptr, {IDM_UNDO, IDM_PASTE}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        MainWindowRun window(c.arguments);
        std::vector<int> greyed;
        std::wstring message, undoMessage, failedMessage;
        window
            .then([&] {
                OpenClipboard(window.dialog.window);
                EmptyClipboard();
                CloseClipboard();
                if (c.clipboard != nullptr)
                    putOnClipboard(window.dialog.window, c.clipboard, {});
                if (c.select)
                    window.dialog.list()->setItemState(0, LVIS_SELECTED, LVIS_SELECTED);
                // From the keyboard: no point.
                SendMessageW(window.dialog.list()->window, WM_CONTEXTMENU,
                             reinterpret_cast<WPARAM>(window.dialog.list()->window), -1);
            })
            .then([&] { greyed = greyedItems(); })
            .then([&] {
                // The files are as they were taken.
                PostMessageW(window.dialog.window, WM_COMMAND, IDM_SELECT_CHANGED, 0);
            })
            .then([&] { readMessage(message); })
            .then([&] { PostMessageW(window.dialog.window, WM_COMMAND, IDM_UNDO, 0); })
            .then([&] { readMessage(undoMessage); })
            .then([&] { PostMessageW(window.dialog.window, WM_COMMAND, IDM_SELECT_FAILED, 0); })
            .then([&] { readMessage(failedMessage); })
            .then([&] { window.close(); });
        window.run();
        EXPECT_EQ(failedMessage, c.arguments.empty() ? L"" : L"失敗した行はありません。");
        EXPECT_EQ(greyed, c.greyed);
        EXPECT_EQ(message, c.arguments.empty() ? L"" : L"変更されたファイルはありません。");
        EXPECT_EQ(undoMessage, L"元に戻す復元はありません。");
    }
}

// Long work answers between files (here after every file): Esc stops a
// restore after the file at hand, a second Enter does not restore again, and
// the close box closes once the restore stopped. The files written are exactly
// the green rows; the others keep their time and colour; read-only files are
// read-only again; Ctrl+Z takes back every file written.
TEST(MainDialog, ARestoreInStepsStopsAtAFileAndRestoresOnce)
{
    const struct
    {
        const char* name;
        UINT then;
        WPARAM with;
        bool stops;
    } cases[] = {
        {"Esc", WM_COMMAND, IDCANCEL, true},
        {"Enter again", WM_COMMAND, IDOK, false},
        {"the close box", WM_CLOSE, 0, true},
    };
    constexpr unsigned long long hour = 36'000'000'000ULL;
    LongWork::sliceMilliseconds = 0;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        TempDir dir;
        std::map<std::wstring, unsigned long long> before;
        std::vector<std::wstring> files;
        for (int file = 0; file < 300; ++file)
        {
            files.push_back(dir.file(L"f" + std::to_wstring(file)));
            before[files.back()] = lastWriteTicks(files.back());
        }
        MainWindowRun window(quoted(files));
        std::map<std::wstring, bool> green;
        window.then([&] {
            for (const auto& [file, ticks] : before)
            {
                setLastWriteTicks(file, ticks + hour);
                SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
            }
            PostMessageW(window.dialog.window, WM_COMMAND, IDOK, 0);
            PostMessageW(window.dialog.window, c.then, c.with, 0);
        });
        if (c.then != WM_CLOSE)
            window.then([&] {
                const FileListView& list = *window.dialog.list();
                for (int row = 0; row < list.itemCount(); ++row)
                    green[list.path(row)] = list.status(row) == EntryStatus::Restored;
                for (const auto& [file, ticks] : before)
                    EXPECT_EQ(lastWriteTicks(file) == ticks, green[file]) << "green is written";
                SendMessageW(window.dialog.window, WM_COMMAND, IDM_UNDO, 0);
                window.close();
            });
        window.run();
        size_t restored = 0;
        for (const auto& [file, ticks] : before)
        {
            restored += lastWriteTicks(file) == ticks;
            EXPECT_NE(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
            SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        const auto greens =
            std::count_if(green.begin(), green.end(), [](auto& row) { return row.second; });
        // Closed, the restore stopped before the last file; else Ctrl+Z took back every file
        // written.
        EXPECT_EQ(restored < 300 && restored > 0, c.then == WM_CLOSE) << restored;
        EXPECT_EQ(greens < 300, c.stops);
    }
    LongWork::sliceMilliseconds = 50;
}

// Delete, Space, the context menu's delete and clear run in steps too:
// Esc, come before the first row is done, stops them after it.
TEST(MainDialog, DeleteSpaceAndClearRunInStepsAndStopAfterTheRowAtHand)
{
    LongWork::sliceMilliseconds = 0;
    for (const auto& [message, key] : {std::pair<UINT, WPARAM>{WM_KEYDOWN, VK_DELETE},
                                       {WM_KEYDOWN, VK_SPACE},
                                       {WM_COMMAND, IDM_DELETE},
                                       {WM_COMMAND, IDM_CLEAR}})
    {
        MainWindowRun window(L"");
        window.then([&, message = message, key = key] {
            FileListView& list = *window.dialog.list();
            for (const tkit::RedrawPause pause(list); list.itemCount() < 300;)
                list.addRemembered(L"C:\\f" + std::to_wstring(list.itemCount()),
                                   L"2020/01/01 00:00:00.000");
            list.selectAll();
            PostMessageW(window.dialog.window, WM_COMMAND, IDCANCEL, 0);
            SendMessageW(message == WM_KEYDOWN ? list.window : window.dialog.window, message, key,
                         0);
            int unchecked = 0;
            for (int row = 0; row < list.itemCount(); ++row)
                unchecked += !list.isChecked(row);
            EXPECT_EQ(300 - list.itemCount() + unchecked, 1) << key;
            window.close();
        });
        window.run();
    }
    LongWork::sliceMilliseconds = 50;
}

// Paths handed over and dropped while a folder is being added arrive after
// it, hand-offs and drops each in their order.
TEST(MainDialog, PathsHandedOverOrDroppedDuringALongAddArriveAfterItInOrder)
{
    TempDir dir;
    for (int file = 0; file < 300; ++file)
        dir.file(L"tree\\f" + std::to_wstring(file));
    const std::vector<std::wstring> late = {dir.file(L"x1"), dir.file(L"x2"), dir.file(L"y1"),
                                            dir.file(L"y2")};
    LongWork::sliceMilliseconds = 0;
    MainWindowRun window(L"-r");
    std::thread second;
    std::vector<std::wstring> rows;
    window
        .then([&] {
            const HWND main = window.dialog.window;
            PostMessageW(main, WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop({dir / L"tree"})),
                         0);
            PostMessageW(main, WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop({late[0]})), 0);
            PostMessageW(main, WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop({late[1]})), 0);
            second = std::thread([&, main] {
                Sleep(50);
                sendHandOff(main, late[2]);
                sendHandOff(main, late[3]);
            });
        })
        .waitFor([&] { return paths(window.dialog).size() == 301 + late.size(); })
        .then([&] {
            rows = paths(window.dialog);
            window.close();
        });
    window.run();
    second.join();
    LongWork::sliceMilliseconds = 50;
    ASSERT_EQ(rows.size(), 305u);
    EXPECT_EQ(rows[0], dir / L"tree");
    const auto at = [&](const std::wstring& path) {
        return std::find(rows.begin(), rows.end(), path) - rows.begin();
    };
    for (const std::wstring& path : late)
        EXPECT_GT(at(path), 300) << "after the folder's tree";
    EXPECT_LT(at(late[0]), at(late[1]));
    EXPECT_LT(at(late[2]), at(late[3]));
}

TEST(MainDialog, UndoAsksLikeARestoreAndNamesTheFilesItLeft)
{
    TempDir dir;
    const std::wstring file = dir.file(L"a.txt");
    const auto touched = testing_support::lastWriteTicks(file) + 10'000'000ULL * 3600;
    MainWindowRun window(L"-cr " + quoted(file));
    std::wstring question, message;
    window
        .then([&] {
            testing_support::setLastWriteTicks(file, touched);
            SendMessageW(window.dialog.window, WM_COMMAND, IDM_RESTORE, 0);
        })
        .then([&] { answerQuestion(title.c_str(), IDYES); })
        // A second restore has nothing to write: the first one is still the one to take back.
        .then([&] { SendMessageW(window.dialog.window, WM_COMMAND, IDM_RESTORE, 0); })
        .then([&] { answerQuestion(title.c_str(), IDYES); })
        .then([&] {
            testing_support::setLastWriteTicks(file, touched + 1);
            SendMessageW(window.dialog.window, WM_COMMAND, IDM_UNDO, 0);
        })
        .then([&] {
            question = questionText(findQuestionBox(title.c_str()));
            answerQuestion(title.c_str(), IDYES);
        })
        .then([&] { readMessage(message); })
        .then([&] { window.close(); });
    window.run();
    EXPECT_EQ(question, L"復元を元に戻しますか？");
    EXPECT_EQ(
        message,
        L"1 個のファイルは復元の後に変更されたか見つからないため、元に戻しませんでした。\n\n" +
            file);
    EXPECT_EQ(testing_support::lastWriteTicks(file), touched + 1);
}

// After each command the status bar's first part says how the last restore,
// retry or undo came out and how many rows are selected. Ctrl+E selects the
// failed row; Ctrl+R writes it, and only it, again; Ctrl+Z takes that back.
TEST(MainDialog, TheStatusBarSumsUpEachRestoreAndFailedRowsAreSelectedAndRetried)
{
    TempDir dir;
    const std::wstring touched = dir.file(L"a.txt"), same = dir.file(L"b.txt"),
                       gone = dir.file(L"c.txt");
    const auto moved = lastWriteTicks(touched) + 36'000'000'000ULL;
    MainWindowRun window(quoted({touched, same, gone}));
    std::vector<std::wstring> lines;
    std::vector<int> selected; // the selected rows, then the focused one
    const auto note = [&] {
        wchar_t text[256] = {};
        SendDlgItemMessageW(window.dialog.window, IDC_STATUS_BAR, SB_GETTEXTW, 0,
                            reinterpret_cast<LPARAM>(text));
        lines.push_back(text);
    };
    const auto command = [&](UINT id) { SendMessageW(window.dialog.window, WM_COMMAND, id, 0); };
    window.then([&] {
        setLastWriteTicks(touched, moved);
        DeleteFileW(gone.c_str());
        note();
        command(IDM_RESTORE), note();
        command(IDM_SELECT_FAILED), note();
        for (int row = -1; (row = window.dialog.list()->nextItem(row, LVNI_SELECTED)) != -1;)
            selected.push_back(row);
        selected.push_back(window.dialog.list()->nextItem(-1, LVNI_FOCUSED));
        dir.file(L"c.txt");
        setLastWriteTicks(touched, moved);
        command(IDM_RETRY_FAILED), note();
        command(IDM_UNDO), note();
        window.close();
    });
    window.run();
    EXPECT_EQ(lines, (std::vector<std::wstring>{
                         L"",
                         L"3 行: 1 復元, 1 変更なし, 1 失敗 / 選択 0 行",
                         L"3 行: 1 復元, 1 変更なし, 1 失敗 / 選択 1 行",
                         L"1 行: 1 復元, 0 変更なし, 0 失敗 / 選択 1 行",
                         L"1 行: 1 元に戻し, 0 変更なし, 0 失敗 / 選択 1 行",
                     }));
    EXPECT_EQ(selected, (std::vector{2, 2}));
    EXPECT_EQ(lastWriteTicks(touched), moved) << "the retry wrote the failed row only";
}

// Another program (a screen reader, say) reads each row's result with the
// list's ordinary messages, as it reads the paths.
TEST(MainDialog, AnotherProgramReadsTheResultsFromTheList)
{
    TempDir dir;
    const std::wstring kept = dir.file(L"a.txt"), gone = dir.file(L"b.txt");
    const auto shownAs = [](const std::wstring& path) {
        return testing_support::shownAs(lastWriteTicks(path));
    };
    testing_support::ProgramRun program(quoted({kept, gone}));
    HWND found = nullptr;
    // Once the window shows both rows' times.
    for (int i = 0; i < 500 && (!(found = testing_support::windowOfProcess(title, program.id())) ||
                                testing_support::rowsOfWindow(found, 1) !=
                                    std::vector{shownAs(kept), shownAs(gone)});
         ++i)
        Sleep(20);
    ASSERT_NE(found, nullptr);
    DeleteFileW(gone.c_str());
    SendMessageW(found, WM_COMMAND, IDOK, 0);
    const std::vector<std::wstring> results = testing_support::rowsOfWindow(found, 2);
    PostMessageW(found, WM_CLOSE, 0, 0);
    for (int i = 0; i < 500 && !program.finished(); ++i)
        Sleep(20);
    EXPECT_EQ(results, (std::vector<std::wstring>{L"変更なし", L"ファイルが見つかりません"}));
}

TEST(MainDialog, ADropOnTheDialogOrOnTheListAddsItsNamesInOrderAndIsReleasedOnce)
{
    TempDir dir;
    const std::vector<std::wstring> first = {dir.file(L"b.txt"), dir.file(L"a.txt"),
                                             dir.file(L"日本語 \xD83D\xDE00.txt")};
    const std::vector<std::wstring> second = {dir.file(L"c.txt"), first[0]};
    for (const bool onTheList : {false, true})
    {
        SCOPED_TRACE(onTheList ? "dropped on the list" : "dropped on the dialog");
        MainWindowRun window(quoted(dir / L"start.txt"));
        const HDROP drop1 = makeDrop(first);
        const HDROP drop2 = makeDrop(second);
        std::vector<std::wstring> rows;
        window
            .then([&] {
                HWND target = onTheList ? window.dialog.list()->window : window.dialog.window;
                PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(drop1), 0);
                PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(drop2), 0);
            })
            .then([&] {
                rows = paths(window.dialog);
                window.close();
            });
        window.run();
        std::vector<std::wstring> expected = {dir / L"start.txt"};
        expected.insert(expected.end(), first.begin(), first.end());
        expected.insert(expected.end(), second.begin(), second.end());
        EXPECT_EQ(rows, expected);
        EXPECT_FALSE(dropIsHeld(drop1));
        EXPECT_FALSE(dropIsHeld(drop2));
    }
}

TEST(MainDialog, ADropOfNoNamesAddsNothingAndIsStillReleased)
{
    const HDROP drop = makeDrop({});
    int rows = -1;
    withMainWindow(L"", [&](MainDialog& dialog) {
        SendMessageW(dialog.window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
        rows = dialog.list()->itemCount();
    });
    EXPECT_EQ(rows, 0);
    EXPECT_FALSE(dropIsHeld(drop));
}

TEST(MainDialog, TheRecursiveSettingAppliesToTheNextDropAtOnce)
{
    TempDir dir;
    const std::wstring folder = dir.folder(L"tree");
    dir.file(L"tree\\a.txt");
    std::vector<std::wstring> rows;
    withMainWindow(L"", [&](MainDialog& dialog) {
        const HDROP flat = makeDrop({folder});
        SendMessageW(dialog.window, WM_DROPFILES, reinterpret_cast<WPARAM>(flat), 0);
        SendMessageW(dialog.window, WM_COMMAND, IDM_ADD_RECURSIVELY, 0);
        const HDROP deep = makeDrop({folder});
        SendMessageW(dialog.window, WM_DROPFILES, reinterpret_cast<WPARAM>(deep), 0);
        rows = paths(dialog);
    });
    EXPECT_EQ(rows, (std::vector<std::wstring>{folder, folder, folder + L"\\a.txt"}));
}

// A large tree through the whole program: captured from the command line into
// the main window, its times moved, restored, then restored again with some
// files gone and some read-only. Every file must come back to the millisecond
// and only the missing files may fail.
constexpr int folderCount = 20;
constexpr int filesPerFolder = 1000;
constexpr int fileCount = folderCount * filesPerFolder;
constexpr unsigned long long anHour = 36'000'000'000ULL;
// 2019-03-04 around noon UTC, in FILETIME ticks.
constexpr unsigned long long baseTicks = 131'961'456'000'000'000ULL;

std::wstring numbered(const wchar_t* form, int number)
{
    wchar_t name[64];
    swprintf(name, 64, form, number);
    return name;
}

// Every file with a time of its own, milliseconds and a sub-millisecond rest
// included (the rest is not kept by the timestamp text).
unsigned long long originalTicks(int file)
{
    return baseTicks + static_cast<unsigned long long>(file) * 100'070'000ULL + 4321;
}

// Folders of Japanese and ASCII names, each with files of both kinds; the
// paths of the files, in the order made.
std::vector<std::wstring> makeTree(const TempDir& dir)
{
    std::vector<std::wstring> files;
    files.reserve(fileCount);
    for (int folder = 0; folder < folderCount; ++folder)
    {
        const std::wstring folderPath =
            dir.folder(numbered(folder % 2 ? L"フォルダ%02d" : L"dir_%02d", folder));
        for (int at = 0; at < filesPerFolder; ++at)
        {
            const int serial = static_cast<int>(files.size());
            const std::wstring path =
                folderPath + L"\\" + numbered(at % 2 ? L"写真_%05d.jpg" : L"data_%05d.bin", serial);
            HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file == INVALID_HANDLE_VALUE)
                return {};
            const FILETIME time = testing_support::fileTimeOf(originalTicks(serial));
            SetFileTime(file, nullptr, nullptr, &time);
            CloseHandle(file);
            files.push_back(path);
        }
    }
    return files;
}

struct Row
{
    std::wstring path;
    std::wstring text;
    int image;
};

std::vector<Row> rowsOf(const FileListView& list)
{
    std::vector<Row> rows;
    for (int row = 0, count = list.itemCount(); row < count; ++row)
        rows.push_back({list.path(row), list.timeText(row), list.stateImage(row)});
    return rows;
}

bool operator==(const Row& a, const Row& b)
{
    return a.path == b.path && a.text == b.text && a.image == b.image;
}

// The rows whose status is not the expected one, and the paths whose time
// is not the expected one, as readable lines (the first few of each).
struct Mismatches
{
    std::vector<std::wstring> lines;
    int count = 0;
    void add(const std::wstring& line)
    {
        if (++count <= 10)
            lines.push_back(line);
    }
};

std::string narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text)
        out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

std::string describe(const Mismatches& mismatches)
{
    std::string text = std::to_string(mismatches.count) + " mismatches";
    for (const std::wstring& line : mismatches.lines)
        text += "\n  " + narrow(line);
    return text;
}

// Checks every row: its status (Failed for the paths in `missing`, Restored
// for the others) and, for the others, that the file holds its captured time.
Mismatches checkRestore(const FileListView& list,
                        const std::unordered_map<std::wstring, unsigned long long>& captured,
                        const std::set<std::wstring>& missing)
{
    Mismatches mismatches;
    for (int row = 0, count = list.itemCount(); row < count; ++row)
    {
        const std::wstring path = list.path(row);
        const auto status = list.status(row);
        const bool gone = missing.count(path) != 0;
        if (status != (gone ? EntryStatus::Failed : EntryStatus::Restored))
            mismatches.add(L"status " + std::to_wstring(static_cast<int>(status)) + L": " + path);
        if (gone)
            continue;
        const auto expected = captured.find(path);
        if (expected == captured.end() || lastWriteTicks(path) != expected->second)
            mismatches.add(L"time: " + path);
    }
    return mismatches;
}

TEST(MainDialog, TwentyThousandFilesComeBackExactlyAndOnlyMissingOnesFail)
{
    TempDir dir;
    const std::vector<std::wstring> files = makeTree(dir);
    ASSERT_EQ(files.size(), static_cast<size_t>(fileCount));

    // What capture must find: each file's own whole time, and each folder's
    // time as it is now.
    std::unordered_map<std::wstring, unsigned long long> captured;
    for (size_t at = 0; at < files.size(); ++at)
        captured[files[at]] = originalTicks(static_cast<int>(at));
    captured[dir.path()] = lastWriteTicks(dir.path());
    for (int folder = 0; folder < folderCount; ++folder)
    {
        const std::wstring path = files[static_cast<size_t>(folder * filesPerFolder)];
        const std::wstring parent = path.substr(0, path.rfind(L'\\'));
        captured[parent] = lastWriteTicks(parent);
    }

    withMainWindow(L"-r " + quoted(dir.path()), [&](MainDialog& dialog) {
        const FileListView& list = *dialog.list();
        const std::vector<Row> before = rowsOf(list);
        ASSERT_EQ(before.size(), captured.size());

        // Every path elsewhere in time, then the first restore.
        for (const Row& row : before)
            ASSERT_TRUE(setLastWriteTicks(row.path, captured[row.path] + anHour + 5));
        dialog.restoreTimestamps();
        const Mismatches first = checkRestore(list, captured, {});
        EXPECT_EQ(first.count, 0) << describe(first);

        // 100 files gone, 100 others read-only and moved in time.
        std::set<std::wstring> deleted;
        std::vector<std::wstring> readOnly;
        for (int at = 0; at < 100; ++at)
        {
            const std::wstring& gone = files[static_cast<size_t>(at * 200)];
            ASSERT_TRUE(DeleteFileW(gone.c_str()));
            deleted.insert(gone);
            const std::wstring& locked = files[static_cast<size_t>(at * 200 + 100)];
            ASSERT_TRUE(setLastWriteTicks(locked, captured[locked] + anHour));
            ASSERT_TRUE(SetFileAttributesW(locked.c_str(), GetFileAttributesW(locked.c_str()) |
                                                               FILE_ATTRIBUTE_READONLY));
            readOnly.push_back(locked);
        }
        std::unordered_map<std::wstring, DWORD> attributes;
        for (const Row& row : before)
        {
            if (!deleted.count(row.path))
                attributes[row.path] = GetFileAttributesW(row.path.c_str());
        }

        dialog.restoreTimestamps();
        const Mismatches second = checkRestore(list, captured, deleted);
        EXPECT_EQ(second.count, 0) << describe(second);

        // Read-only files are read-only again, and no other attribute of
        // any file has changed.
        int changed = 0;
        for (const auto& [path, bits] : attributes)
            changed += GetFileAttributesW(path.c_str()) != bits ? 1 : 0;
        EXPECT_EQ(changed, 0);
        for (const std::wstring& locked : readOnly)
            EXPECT_TRUE(GetFileAttributesW(locked.c_str()) & FILE_ATTRIBUTE_READONLY);
        // Rows, their order, texts and boxes are as captured.
        EXPECT_TRUE(rowsOf(list) == before);
        for (const std::wstring& locked : readOnly)
            SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
    });
}

} // namespace
