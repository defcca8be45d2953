#include "mainwin/MainDialog.h"
#include "res/resource.h"
#include "stamps/FileListView.h"
#include "support/Drops.h"
#include "support/Hosts.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing_support::dropIsHeld;
using testing_support::MainWindowRun;
using testing_support::makeDrop;
using testing_support::paths;
using testing_support::quoted;
using testing_support::TempDir;
using testing_support::withMainWindow;

namespace
{

LRESULT sendCopyData(HWND window, ULONG_PTR kind, const void* data, DWORD bytes)
{
    COPYDATASTRUCT copy = {kind, bytes, const_cast<void*>(data)};
    return SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
}

LRESULT handOver(HWND window, const std::wstring& path)
{
    return sendCopyData(window, 1, path.c_str(),
                        static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
}

TEST(Intake, ADropOnTheDialogOrOnTheListAddsItsNamesInOrderAndIsReleasedOnce)
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

TEST(Intake, ADropOfNoNamesAddsNothingAndIsStillReleased)
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

TEST(Intake, TheRecursiveSettingAppliesToTheNextDropAtOnce)
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

TEST(Intake, HandOffMessagesOfKindOneOnlyAreTakenIn)
{
    TempDir dir;
    const std::wstring path = dir.file(L"a.txt");
    std::vector<LRESULT> answers;
    std::vector<std::wstring> rows;
    withMainWindow(L"", [&](MainDialog& dialog) {
        for (const ULONG_PTR kind : {ULONG_PTR{0}, ULONG_PTR{2}, ULONG_PTR{1}, ULONG_PTR{0}})
            answers.push_back(sendCopyData(dialog.window, kind, path.c_str(),
                                           static_cast<DWORD>((path.size() + 1) * 2)));
        rows = paths(dialog);
    });
    EXPECT_EQ(answers, (std::vector<LRESULT>{0, 0, TRUE, 0}));
    EXPECT_EQ(rows, (std::vector{path}));
}

TEST(Intake, AHandOffIsNeverReadBeyondItsData)
{
    // The data is followed by more text that must never be read.
    const std::wstring buffer = std::wstring(L"C:\\abc.txt") + L"TRAILING";
    struct Case
    {
        DWORD bytes;
        bool accepted;
        std::wstring path;
    };
    const Case cases[] = {
        {20, true, L"C:\\abc.txt"}, // no terminating null inside the data
        {9, true, L"C:\\a"},        // an odd count: the half unit is left out
        {2, true, L"C"},
        {1, false, L""},
        {0, false, L""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.bytes);
        LRESULT answer = -1;
        std::vector<std::wstring> rows;
        withMainWindow(L"", [&](MainDialog& dialog) {
            answer = sendCopyData(dialog.window, 1, buffer.c_str(), c.bytes);
            rows = paths(dialog);
        });
        EXPECT_EQ(answer, c.accepted ? TRUE : 0);
        EXPECT_EQ(rows, c.accepted ? std::vector{c.path} : std::vector<std::wstring>{});
    }
    LRESULT answer = -1;
    withMainWindow(
        L"", [&](MainDialog& dialog) { answer = sendCopyData(dialog.window, 1, nullptr, 20); });
    EXPECT_EQ(answer, 0);
}

TEST(Intake, AHandOffWhileTheEditDialogIsOpenLandsAtTheEnd)
{
    TempDir dir;
    const std::wstring a = dir.file(L"a.txt");
    const std::wstring b = dir.file(L"b.txt");
    const std::wstring c = dir.file(L"c.txt");
    MainWindowRun window(quoted({a, b}));
    LRESULT answer = 0;
    std::vector<std::wstring> rows;
    window
        .then([&] {
            window.dialog.list()->setItemState(0, LVIS_SELECTED, LVIS_SELECTED);
            SendMessageW(window.dialog.window, WM_COMMAND, IDM_EDIT, 0);
        })
        .then([&] {
            answer = handOver(window.dialog.window, c);
            // The edit dialog is the active window of the thread now.
            HWND edit = GetActiveWindow();
            SetDlgItemTextW(edit, IDC_EDIT_NAME, (a + L".edited").c_str());
            PostMessageW(edit, WM_COMMAND, IDOK, 0);
        })
        .then([&] {
            rows = paths(window.dialog);
            window.close();
        });
    window.run();
    EXPECT_EQ(answer, TRUE);
    EXPECT_EQ(rows, (std::vector{a + L".edited", b, c}));
}

} // namespace
