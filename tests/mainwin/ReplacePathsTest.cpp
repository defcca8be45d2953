#include "mainwin/MainDialog.h"

#include "support/Hosts.h"
#include "support/ModalSteps.h"
#include "support/TempDir.h"
#include "stamps/EntryStatus.h"
#include "stamps/FileListView.h"
#include "stamps/ReplacePaths.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing_support::lastWriteTicks;
using testing_support::localTicks;

namespace
{

constexpr EntryStatus restored = EntryStatus::Restored, unset = EntryStatus::Unset;

// Enter, the dialog driven with messages (Cancel, then OK), Enter, and undo
// twice: the restore onto the new paths is taken back first, then the replacement.
TEST(ReplacePaths, TheDialogTellsWhatOkDoesAndUndoTakesBackTheNewerOfReplacementAndRestore)
{
    testing_support::TempDir dir;
    const std::wstring a = dir.file(L"old\\a.jpg"), b = dir.file(L"old\\b.jpg");
    const std::wstring pa = dir.file(L"new\\a.png"), pb = dir.file(L"new\\b.png");
    const auto original = localTicks(2001, 2, 3, 4, 5, 6, 7), converted = lastWriteTicks(pa);
    ASSERT_TRUE(testing_support::setLastWriteTicks(a, original));
    testing_support::MainWindowRun window(testing_support::quoted({a, b}));
    // The list exists once the window runs.
    const auto list = [&]() -> FileListView& { return *window.dialog.list(); };
    HWND box = nullptr;
    std::vector<std::wstring> previews;
    std::vector<bool> okEnabled;
    std::vector<std::vector<std::wstring>> rows;
    std::vector<std::vector<EntryStatus>> statuses;
    std::vector<unsigned long long> times;
    const auto note = [&] {
        rows.push_back(testing_support::paths(window.dialog));
        statuses.push_back({list().status(0), list().status(1)});
        times.push_back(lastWriteTicks(pa));
    };
    const auto open = [&] { PostMessageW(window.dialog.window, WM_COMMAND, IDM_REPLACE_PATHS, 0); };
    const auto preview = [&] {
        wchar_t text[512] = {};
        GetDlgItemTextW(box, IDC_REPLACE_PREVIEW, text, 512);
        previews.push_back(text);
        okEnabled.push_back(IsWindowEnabled(GetDlgItem(box, IDOK)) != FALSE);
    };
    const auto fill = [&](const wchar_t* find, const wchar_t* with) {
        box = testing_support::findQuestionBox(L"パスの置換");
        preview();
        SetDlgItemTextW(box, IDC_REPLACE_FIND, find);
        SetDlgItemTextW(box, IDC_REPLACE_WITH, with);
        preview();
        SendDlgItemMessageW(box, IDC_REPLACE_BY_NAME, BM_CLICK, 0, 0);
        preview();
    };
    window.then([&] { SendMessageW(window.dialog.window, WM_COMMAND, IDOK, 0); })
        .then([&] {
            list().setItemState(1, LVIS_SELECTED, LVIS_SELECTED);
            SendMessageW(list().window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list().window),
                         -1);
        })
        .then([&] { PostMessageW(FindWindowW(L"#32768", nullptr), WM_CHAR, L'h', 0); })
        .then([&] {
            fill(L"", L"\\new\\");
            PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
        })
        .then([&] {
            note();
            list().setItemState(-1, 0, LVIS_SELECTED);
            open();
        })
        .then([&] {
            // OK, come while the preview is worked out in steps, waits for all of it.
            replacePreviewSlice = 0;
            PostMessageW(testing_support::findQuestionBox(L"パスの置換"), WM_COMMAND, IDOK, 0);
            fill(L"\\OLD\\", L"\\new\\");
        })
        .waitFor([&] { return testing_support::findQuestionBox(L"パスの置換") == nullptr; })
        .then([&] {
            note();
            SendMessageW(window.dialog.window, WM_COMMAND, IDOK, 0);
            note();
            PostMessageW(window.dialog.window, WM_COMMAND, IDM_UNDO, 0);
        })
        .then([&] {
            note();
            PostMessageW(window.dialog.window, WM_COMMAND, IDM_UNDO, 0);
        })
        .then([&] {
            note();
            window.close();
        });
    window.run();
    replacePreviewSlice = 50;
    EXPECT_EQ(previews[0],
              L"対象: 選択した 1 行\n変更される行: 0（新しいパスあり 0、見つからない 0）\n"
              L"拡張子違いの同名ファイルに合わせた行: 0\n同じファイルを指す行の組: 0\n"
              L"無効なパスになるため変更しない行: 0");
    EXPECT_EQ(previews[4],
              L"対象: すべての 2 行\n変更される行: 2（新しいパスあり 0、見つからない 2）\n"
              L"拡張子違いの同名ファイルに合わせた行: 0\n同じファイルを指す行の組: 0\n"
              L"無効なパスになるため変更しない行: 0");
    EXPECT_EQ(previews[5].substr(previews[5].find(L'\n')),
              L"\n変更される行: 2（新しいパスあり 2、見つからない 0）\n"
              L"拡張子違いの同名ファイルに合わせた行: 2\n同じファイルを指す行の組: 0\n"
              L"無効なパスになるため変更しない行: 0");
    EXPECT_EQ(okEnabled, (std::vector<bool>{true, false, false, true, true, true}));
    const std::vector<std::wstring> before = {a, b}, after = {pa, pb};
    EXPECT_EQ(rows, (std::vector{before, after, after, after, before}));
    EXPECT_EQ(statuses, (std::vector<std::vector<EntryStatus>>{{restored, restored},
                                                               {unset, unset},
                                                               {restored, restored},
                                                               {unset, unset},
                                                               {restored, restored}}));
    EXPECT_EQ(times, (std::vector{converted, converted, original, converted, converted}));
}

} // namespace
