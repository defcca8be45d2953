// The window's side of a hand-off: the messages a second start sends it.
#include "mainwin/HandOff.h"

#include "support/Hosts.h"
#include "support/TempDir.h"
#include "mainwin/MainDialog.h"
#include "stamps/FileListView.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing_support::MainWindowRun;
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

TEST(HandOff, HandOffMessagesOfKindOneOnlyAreTakenIn)
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

TEST(HandOff, AHandOffIsNeverReadBeyondItsData)
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

TEST(HandOff, AHandOffWhileTheEditDialogIsOpenLandsAtTheEnd)
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
