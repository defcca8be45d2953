#include "mainwin/MainDialog.h"
#include "res/resource.h"
#include "stamps/EntryStatus.h"
#include "stamps/FileListView.h"
#include "support/MainWindowRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

using testing_support::MainWindowRun;
using testing_support::quoted;
using testing_support::TempDir;

namespace
{

constexpr wchar_t editCaption[] = L"情報の編集";

HWND findEditDialog()
{
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            wchar_t text[32] = {};
            GetWindowTextW(window, text, 32);
            if (std::wstring(text) == editCaption && IsWindowVisible(window))
            {
                *reinterpret_cast<HWND*>(data) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// What the picker's millisecond field shows, asked as the picker asks.
std::wstring millisecondText(HWND edit)
{
    NMDATETIMEFORMATW format = {};
    format.nmhdr = {GetDlgItem(edit, IDC_EDIT_TIME), IDC_EDIT_TIME, DTN_FORMATW};
    format.pszFormat = L"XXX";
    format.pszDisplay = format.szDisplay;
    SendMessageW(edit, WM_NOTIFY, IDC_EDIT_TIME, reinterpret_cast<LPARAM>(&format));
    return format.pszDisplay;
}

// A key pressed while the millisecond field is selected.
void pressInField(HWND edit, int virtualKey)
{
    NMDATETIMEWMKEYDOWNW key = {};
    key.nmhdr = {GetDlgItem(edit, IDC_EDIT_TIME), IDC_EDIT_TIME, DTN_WMKEYDOWNW};
    key.nVirtKey = virtualKey;
    key.pszFormat = L"XXX";
    SendMessageW(edit, WM_NOTIFY, IDC_EDIT_TIME, reinterpret_cast<LPARAM>(&key));
}

SYSTEMTIME pickerTime(HWND edit)
{
    SYSTEMTIME st = {};
    SendDlgItemMessageW(edit, IDC_EDIT_TIME, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    return st;
}

std::wstring nameText(HWND edit)
{
    wchar_t text[1024] = {};
    GetDlgItemTextW(edit, IDC_EDIT_NAME, text, 1024);
    return text;
}

// A main window holding the files, with the rows' texts and statuses read
// after each step.
struct EditRun
{
    explicit EditRun(const std::vector<std::wstring>& paths) : window(arguments(paths)) {}

    static std::wstring arguments(const std::vector<std::wstring>& paths)
    {
        std::wstring text;
        for (const std::wstring& path : paths)
            text += quoted(path) + L" ";
        return text;
    }

    FileListView& list() { return *window.dialog.list(); }
    void openEditor() { SendMessageW(window.dialog.window, WM_COMMAND, IDM_EDIT, 0); }
    void select(int row) { list().setItemState(row, LVIS_SELECTED, LVIS_SELECTED); }
    void record()
    {
        names.clear();
        times.clear();
        statuses.clear();
        for (int row = 0; row < list().itemCount(); ++row)
        {
            names.push_back(list().itemText(row, 0));
            times.push_back(list().itemText(row, 1));
            statuses.push_back(list().itemData(row));
        }
    }

    MainWindowRun window;
    std::vector<std::wstring> names, times;
    std::vector<LPARAM> statuses;
};

TEST(EditDialog, OpensOnTheLowestSelectedRowWithItsPathAndTime)
{
    TempDir dir;
    EditRun run({dir.file(L"a.txt"), dir.file(L"b.txt"), dir.file(L"c.txt")});
    std::wstring shownName;
    SYSTEMTIME shown = {};
    std::wstring shownMilliseconds;
    run.window.then([&] {
        run.list().setItemText(1, 1, L"2024/01/02 03:04:05.006");
        run.select(2);
        run.select(1);
        run.openEditor();
    })
        .then([&] {
            HWND edit = findEditDialog();
            ASSERT_NE(edit, nullptr);
            shownName = nameText(edit);
            shown = pickerTime(edit);
            shownMilliseconds = millisecondText(edit);
            PostMessageW(edit, WM_COMMAND, IDCANCEL, 0);
        })
        .then([&] { run.window.close(); });
    run.window.run();
    EXPECT_EQ(shownName, dir / L"b.txt");
    EXPECT_EQ(shown.wYear, 2024);
    EXPECT_EQ(shown.wMonth, 1);
    EXPECT_EQ(shown.wDay, 2);
    EXPECT_EQ(shown.wHour, 3);
    EXPECT_EQ(shown.wMinute, 4);
    EXPECT_EQ(shown.wSecond, 5);
    EXPECT_EQ(shownMilliseconds, L"006");
}

TEST(EditDialog, WithoutASelectionNothingOpens)
{
    TempDir dir;
    EditRun run({dir.file(L"a.txt")});
    HWND edit = reinterpret_cast<HWND>(1);
    run.window.then([&] { run.openEditor(); })
        .then([&] {
            edit = findEditDialog();
            run.window.close();
        });
    run.window.run();
    EXPECT_EQ(edit, nullptr);
}

TEST(EditDialog, OkWithoutChangesKeepsTextsAndStatus)
{
    TempDir dir;
    EditRun run({dir.file(L"a.txt")});
    std::vector<std::wstring> timesBefore;
    run.window.then([&] {
        run.list().setItemData(0, static_cast<LPARAM>(EntryStatus::Restored));
        run.record();
        timesBefore = run.times;
        run.select(0);
        run.openEditor();
    })
        .then([&] { PostMessageW(findEditDialog(), WM_COMMAND, IDOK, 0); })
        .then([&] {
            run.record();
            run.window.close();
        });
    run.window.run();
    EXPECT_EQ(run.times, timesBefore);
    EXPECT_EQ(run.names, (std::vector{dir / L"a.txt"}));
    EXPECT_EQ(run.statuses, (std::vector<LPARAM>{static_cast<LPARAM>(EntryStatus::Restored)}));
}

TEST(EditDialog, AChangedMillisecondValueChangesTheTimeAndResetsTheStatus)
{
    TempDir dir;
    EditRun run({dir.file(L"a.txt")});
    run.window.then([&] {
        run.list().setItemText(0, 1, L"2024/01/02 03:04:05.006");
        run.list().setItemData(0, static_cast<LPARAM>(EntryStatus::Failed));
        run.select(0);
        run.openEditor();
    })
        .then([&] {
            HWND edit = findEditDialog();
            pressInField(edit, VK_UP);
            PostMessageW(edit, WM_COMMAND, IDOK, 0);
        })
        .then([&] {
            run.record();
            run.window.close();
        });
    run.window.run();
    EXPECT_EQ(run.times, (std::vector<std::wstring>{L"2024/01/02 03:04:05.007"}));
    EXPECT_EQ(run.statuses, (std::vector<LPARAM>{static_cast<LPARAM>(EntryStatus::Unset)}));
}

TEST(EditDialog, CancelEscapeAndCloseChangeNothing)
{
    TempDir dir;
    const std::wstring file = dir.file(L"a.txt");
    for (const UINT ending : {0u, 1u, 2u})
    {
        EditRun run({file});
        run.window.then([&] {
            run.list().setItemText(0, 1, L"2024/01/02 03:04:05.006");
            run.list().setItemData(0, static_cast<LPARAM>(EntryStatus::Restored));
            run.select(0);
            run.openEditor();
        })
            .then([&] {
                HWND edit = findEditDialog();
                pressInField(edit, VK_UP);
                SetDlgItemTextW(edit, IDC_EDIT_NAME, L"elsewhere.txt");
                if (ending == 0)
                    PostMessageW(edit, WM_COMMAND, IDCANCEL, 0);
                else if (ending == 1)
                    PostMessageW(GetDlgItem(edit, IDC_EDIT_NAME), WM_KEYDOWN, VK_ESCAPE, 0);
                else
                    PostMessageW(edit, WM_CLOSE, 0, 0);
            })
            .then([&] {
                run.record();
                run.window.close();
            });
        run.window.run();
        SCOPED_TRACE(ending);
        EXPECT_EQ(run.names, (std::vector{file}));
        EXPECT_EQ(run.times, (std::vector<std::wstring>{L"2024/01/02 03:04:05.006"}));
        EXPECT_EQ(run.statuses, (std::vector<LPARAM>{static_cast<LPARAM>(EntryStatus::Restored)}));
    }
}

TEST(EditDialog, TheMillisecondFieldStepsWrapsAndTakesDigits)
{
    struct Case
    {
        const wchar_t* start;
        std::vector<int> keys;
        std::vector<std::wstring> shown;
    };
    const Case cases[] = {
        {L"2024/01/02 03:04:05.999", {VK_UP}, {L"000"}},
        {L"2024/01/02 03:04:05.000", {VK_DOWN}, {L"999"}},
        {L"2024/01/02 03:04:05.500", {VK_UP, VK_DOWN, VK_DOWN}, {L"501", L"500", L"499"}},
        {L"2024/01/02 03:04:05.000", {'1', '2', '3', '4'}, {L"001", L"012", L"123", L"004"}},
        {L"2024/01/02 03:04:05.006", {'5'}, {L"065"}},
        {L"2024/01/02 03:04:05.042", {VK_NUMPAD1, 'A', VK_LEFT}, {L"042", L"042", L"042"}},
    };
    TempDir dir;
    const std::wstring file = dir.file(L"a.txt");
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.start)));
        EditRun run({file});
        std::vector<std::wstring> shown;
        run.window.then([&] {
            run.list().setItemText(0, 1, c.start);
            run.select(0);
            run.openEditor();
        })
            .then([&] {
                HWND edit = findEditDialog();
                for (int key : c.keys)
                {
                    pressInField(edit, key);
                    shown.push_back(millisecondText(edit));
                }
                PostMessageW(edit, WM_COMMAND, IDOK, 0);
            })
            .then([&] {
                run.record();
                run.window.close();
            });
        run.window.run();
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(run.times, (std::vector{L"2024/01/02 03:04:05." + c.shown.back()}));
    }
}

TEST(EditDialog, TheMillisecondFieldIsMeasuredAsThreeDigits)
{
    TempDir dir;
    EditRun run({dir.file(L"a.txt")});
    SIZE field = {-1, -1};
    SIZE other = {-1, -1};
    run.window.then([&] {
        run.select(0);
        run.openEditor();
    })
        .then([&] {
            HWND edit = findEditDialog();
            NMDATETIMEFORMATQUERYW query = {};
            query.nmhdr = {GetDlgItem(edit, IDC_EDIT_TIME), IDC_EDIT_TIME, DTN_FORMATQUERYW};
            query.pszFormat = L"XXX";
            SendMessageW(edit, WM_NOTIFY, IDC_EDIT_TIME, reinterpret_cast<LPARAM>(&query));
            field = query.szMax;
            query.pszFormat = L"XX";
            query.szMax = {-1, -1};
            SendMessageW(edit, WM_NOTIFY, IDC_EDIT_TIME, reinterpret_cast<LPARAM>(&query));
            other = query.szMax;
            PostMessageW(edit, WM_COMMAND, IDCANCEL, 0);
        })
        .then([&] { run.window.close(); });
    run.window.run();
    EXPECT_GT(field.cx, 0);
    EXPECT_GT(field.cy, 0);
    EXPECT_EQ(other.cx, -1);
}

TEST(EditDialog, AnEmptyPathOpensEmptyAndOkWritesThePickersTimeWithZeroMilliseconds)
{
    TempDir dir;
    EditRun run({dir.file(L"a.txt")});
    std::wstring shownName = L"?";
    SYSTEMTIME picker = {};
    run.window.then([&] {
        run.list().setItemText(0, 0, L"");
        run.select(0);
        run.openEditor();
    })
        .then([&] {
            HWND edit = findEditDialog();
            shownName = nameText(edit);
            picker = pickerTime(edit);
            PostMessageW(edit, WM_COMMAND, IDOK, 0);
        })
        .then([&] {
            run.record();
            run.window.close();
        });
    run.window.run();
    EXPECT_EQ(shownName, L"");
    wchar_t expected[64];
    swprintf(expected, 64, L"%04d/%02d/%02d %02d:%02d:%02d.000", picker.wYear, picker.wMonth,
             picker.wDay, picker.wHour, picker.wMinute, picker.wSecond);
    EXPECT_EQ(run.times, (std::vector<std::wstring>{expected}));
    EXPECT_EQ(run.names, (std::vector<std::wstring>{L""}));
}

TEST(EditDialog, AnEditedPathIsWhatTheNextRestoreWritesTo)
{
    TempDir dir;
    const std::wstring first = dir.file(L"first.txt");
    const std::wstring second = dir.file(L"second.txt");
    EditRun run({first});
    run.window.then([&] {
        run.list().setItemText(0, 1, L"2022/02/22 22:22:22.222");
        run.select(0);
        run.openEditor();
    })
        .then([&] {
            HWND edit = findEditDialog();
            SetDlgItemTextW(edit, IDC_EDIT_NAME, second.c_str());
            PostMessageW(edit, WM_COMMAND, IDOK, 0);
        })
        .then([&] {
            run.window.dialog.restoreTimestamps();
            run.record();
            run.window.close();
        });
    const auto firstBefore = testing_support::lastWriteTicks(first);
    run.window.run();
    EXPECT_EQ(run.names, (std::vector{second}));
    EXPECT_EQ(testing_support::lastWriteTicks(second),
              testing_support::localTicks(2022, 2, 22, 22, 22, 22, 222));
    EXPECT_EQ(testing_support::lastWriteTicks(first), firstBefore);
}

} // namespace
