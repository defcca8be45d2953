#include "tkit/ui/CommandLine.h"
#include "mainwin/WindowTitle.h"
#include "mainwin/MainDialog.h"
#include "res/resource.h"
#include "stamps/EntryStatus.h"
#include "stamps/FileListView.h"
#include "support/Hosts.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using testing_support::answerQuestion;
using testing_support::findQuestionBox;
using testing_support::MainWindowRun;
using testing_support::ModalSteps;
using testing_support::questionText;
using testing_support::quoted;
using testing_support::TempDir;

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
        LPARAM statusAfterNo = 99;
        LPARAM statusAfterYes = 99;
        window.then([&] { testing_support::setLastWriteTicks(file, later); })
            .then([&] { SendMessageW(window.dialog.window, WM_COMMAND, command, 0); })
            .then([&] {
                question = questionText(findQuestionBox(title.c_str()));
                answerQuestion(title.c_str(), IDNO);
            })
            .then([&] {
                afterNo = testing_support::lastWriteTicks(file);
                statusAfterNo = window.dialog.list()->itemData(0);
                SendMessageW(window.dialog.window, WM_COMMAND, command, 0);
            })
            .then([&] { answerQuestion(title.c_str(), IDYES); })
            .then([&] {
                statusAfterYes = window.dialog.list()->itemData(0);
                window.close();
            });
        window.run();
        EXPECT_EQ(question, L"タイムスタンプを復元しますか？");
        EXPECT_EQ(afterNo, later);
        EXPECT_EQ(statusAfterNo, static_cast<LPARAM>(EntryStatus::Unset));
        EXPECT_EQ(testing_support::lastWriteTicks(file), captured / 10'000 * 10'000);
        EXPECT_EQ(statusAfterYes, static_cast<LPARAM>(EntryStatus::Restored));
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
    EXPECT_EQ(testing_support::lastWriteTicks(file), captured / 10'000 * 10'000);
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
    EXPECT_EQ(list.bottom - list.top, client.bottom);
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
            paths.push_back(window.dialog.list()->itemText(row, 0));
            const std::wstring time = window.dialog.list()->itemText(row, 1);
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

} // namespace
