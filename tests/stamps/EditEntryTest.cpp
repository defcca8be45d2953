#include "stamps/EditEntry.h"

#include "support/Hosts.h"
#include "support/ModalSteps.h"
#include "support/TempDir.h"
#include "stamps/EntryStatus.h"
#include "stamps/Restore.h"
#include "stamps/Timestamp.h"
#include "tkit/ui/TextExtent.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cwchar>
#include <functional>
#include <string>
#include <vector>

using testing_support::ListDialog;
using testing_support::ModalSteps;
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

// A list holding the files. edit() sets the rows up, opens the edit dialog on
// the first selected row, lets the test act in it (the test ends it; without
// inEditor no dialog may open), then reads every row back.
struct EditRun
{
    explicit EditRun(const std::vector<std::wstring>& paths)
    {
        for (const std::wstring& path : paths)
            host.view().addPath(path, false);
    }

    FileListView& list() { return host.view(); }
    void select(int row) { list().setItemState(row, LVIS_SELECTED, LVIS_SELECTED); }
    // Sets one row's time text, status and a result.
    void setRow(int row, const wchar_t* time, EntryStatus status)
    {
        list().setTimeText(row, time);
        list().setStatus(row, status);
        list().setResult(row, {RowOutcome::restored});
    }

    void edit(
        const std::function<void()>& prepare, const std::function<void(HWND)>& inEditor,
        const std::function<void()>& afterwards = [] {})
    {
        prepare();
        if (inEditor)
            steps.then([&] { inEditor(findEditDialog()); });
        steps.run([&] {
            editEntry(list(), host.window);
            return INT_PTR{0};
        });
        afterwards();
        for (int row = 0; row < list().itemCount(); ++row)
        {
            names.push_back(list().path(row));
            times.push_back(list().timeText(row));
            statuses.push_back(list().status(row));
            results.push_back(list().itemText(row, FileListView::resultColumn));
        }
    }

    ListDialog host;
    ModalSteps steps;
    std::vector<std::wstring> names, times, results;
    std::vector<EntryStatus> statuses;
};

void ok(HWND edit)
{
    PostMessageW(edit, WM_COMMAND, IDOK, 0);
}

constexpr wchar_t sampleTime[] = L"2024/01/02 03:04:05.006";

TEST(EditEntry, OpensOnTheLowestSelectedRowWithItsPathAndTime)
{
    TempDir dir;
    EditRun run({dir.file(L"a.txt"), dir.file(L"b.txt"), dir.file(L"c.txt")});
    std::wstring shownName;
    SYSTEMTIME shown = {};
    std::wstring shownMilliseconds;
    run.edit(
        [&] {
            run.setRow(1, sampleTime, EntryStatus::Unset);
            run.select(2);
            run.select(1);
        },
        [&](HWND edit) {
            ASSERT_NE(edit, nullptr);
            shownName = nameText(edit);
            shown = pickerTime(edit);
            shownMilliseconds = millisecondText(edit);
            // Every label shows its whole text in its own font.
            for (HWND child = GetWindow(edit, GW_CHILD); child;
                 child = GetWindow(child, GW_HWNDNEXT))
            {
                wchar_t text[64] = {}, kind[16] = {};
                const int length = GetWindowTextW(child, text, 64);
                RECT room = {};
                GetClientRect(child, &room);
                if (GetClassNameW(child, kind, 16) && std::wstring(kind) == L"Static" && length)
                {
                    EXPECT_GE(room.right, tkit::textExtent(child, text, length).cx) << text;
                }
            }
            PostMessageW(edit, WM_COMMAND, IDCANCEL, 0);
        });
    EXPECT_EQ(shownName, dir / L"b.txt");
    const std::vector<WORD> fields = {shown.wYear, shown.wMonth,  shown.wDay,
                                      shown.wHour, shown.wMinute, shown.wSecond};
    EXPECT_EQ(fields, (std::vector<WORD>{2024, 1, 2, 3, 4, 5}));
    EXPECT_EQ(shownMilliseconds, L"006");
}

TEST(EditEntry, WithoutASelectionNothingOpens)
{
    TempDir dir;
    EditRun run({dir.file(L"a.txt")});
    run.edit([] {}, nullptr);
    EXPECT_EQ(run.times.size(), 1u);
}

// The time text changes only where the user changed the date, the time or
// the milliseconds; a time the picker cannot show is kept, and said so.
TEST(EditEntry, OkKeepsTheTimeTextUnlessTheUserChangedIt)
{
    struct Case
    {
        const wchar_t* row;
        EntryStatus status;
        const wchar_t* shown;    // how the picker's date-time starts
        const wchar_t* afterUp;  // OK after Up in the millisecond field; nullptr: shown + .001
        const wchar_t* afterSet; // OK after the picker was set to 2030/05/06 07:08:09
    };
    const EntryStatus failed = EntryStatus::Failed, restored = EntryStatus::Restored;
    const Case cases[] = {
        {sampleTime, failed, L"2024/01/02 03:04:05", L"2024/01/02 03:04:05.007",
         L"2030/05/06 07:08:09.006"},
        {L"1752/09/14 00:00:00.000", restored, L"1752/09/14 00:00:00", L"1752/09/14 00:00:00.001",
         L"2030/05/06 07:08:09.000"},
        {L"1601/01/01 00:00:00.000", restored, L"1752/09/14 00:00:00", L"1601/01/01 00:00:00.001",
         L"2030/05/06 07:08:09.000"},
        {L"1700/06/15 12:34:56.789", restored, L"1752/09/14 00:00:00", L"1700/06/15 12:34:56.790",
         L"2030/05/06 07:08:09.789"},
        {L"1752/09/13 23:59:59.999", restored, L"1752/09/14 00:00:00", L"1752/09/13 23:59:59.000",
         L"2030/05/06 07:08:09.999"},
        {L"9999/12/31 12:00:00.000", restored, L"9999/12/31", L"9999/12/31 12:00:00.001",
         L"2030/05/06 07:08:09.000"},
        {L"9999/12/31 23:59:59.999", restored, L"9999/12/31", L"9999/12/31 23:59:59.000",
         L"2030/05/06 07:08:09.999"},
        // A row without a time: the picker starts at the current time.
        {L"", restored, L"", nullptr, L"2030/05/06 07:08:09.000"},
    };
    const std::function<void(HWND)> actions[] = {
        ok,
        [](HWND edit) { pressInField(edit, VK_UP), ok(edit); },
        [](HWND edit) {
            SYSTEMTIME st = {2030, 5, 0, 6, 7, 8, 9, 0};
            SendDlgItemMessageW(edit, IDC_EDIT_TIME, DTM_SETSYSTEMTIME, GDT_VALID,
                                reinterpret_cast<LPARAM>(&st));
            ok(edit);
        },
        [](HWND edit) { PostMessageW(edit, WM_COMMAND, IDCANCEL, 0); },
    };
    TempDir dir;
    const std::wstring file = dir.file(L"a.txt");
    for (const Case& c : cases)
        for (const auto& act : actions)
        {
            const auto action = &act - actions;
            SCOPED_TRACE(testing::PrintToString(std::wstring(c.row)) + " action " +
                         std::to_string(action));
            EditRun run({file});
            std::wstring shown, note;
            run.edit([&] { run.setRow(0, c.row, c.status), run.select(0); },
                     [&](HWND edit) {
                         shown = formatTimestamp(pickerTime(edit)).substr(0, 19);
                         note = GetWindowTextLengthW(GetDlgItem(edit, IDC_EDIT_NOTE)) ? L"+" : L"";
                         act(edit);
                     });
            const std::wstring row = c.row;
            const std::wstring expected[] = {row, c.afterUp ? c.afterUp : shown + L".001",
                                             c.afterSet, row};
            EXPECT_EQ(shown.substr(0, std::wcslen(c.shown)), c.shown);
            EXPECT_EQ(note, row.substr(0, 19) == shown ? L"" : L"+");
            EXPECT_EQ(run.times, (std::vector{expected[action]}));
            // OK without a change and Cancel keep the status and result; a change resets them.
            EXPECT_EQ(run.statuses,
                      (std::vector{action == 0 || action == 3 ? c.status : EntryStatus::Unset}));
            EXPECT_EQ(run.results[0], action == 0 || action == 3 ? L"復元しました" : L"");
        }
}

TEST(EditEntry, CancelEscapeAndCloseChangeNothing)
{
    TempDir dir;
    const std::wstring file = dir.file(L"a.txt");
    const std::function<void(HWND)> endings[] = {
        [](HWND edit) { PostMessageW(edit, WM_COMMAND, IDCANCEL, 0); },
        [](HWND edit) { PostMessageW(GetDlgItem(edit, IDC_EDIT_NAME), WM_KEYDOWN, VK_ESCAPE, 0); },
        [](HWND edit) { PostMessageW(edit, WM_CLOSE, 0, 0); },
    };
    for (const auto& end : endings)
    {
        EditRun run({file});
        run.edit([&] { run.setRow(0, sampleTime, EntryStatus::Restored), run.select(0); },
                 [&](HWND edit) {
                     pressInField(edit, VK_UP);
                     SetDlgItemTextW(edit, IDC_EDIT_NAME, L"elsewhere.txt");
                     end(edit);
                 });
        SCOPED_TRACE(&end - endings);
        EXPECT_EQ(run.names, (std::vector{file}));
        EXPECT_EQ(run.times, (std::vector<std::wstring>{sampleTime}));
        EXPECT_EQ(run.statuses, (std::vector{EntryStatus::Restored}));
    }
}

TEST(EditEntry, TheMillisecondFieldStepsWrapsAndTakesDigits)
{
    struct Case
    {
        const wchar_t* start;
        std::vector<int> keys;
        std::vector<std::wstring> shown; // after each key
        const wchar_t* time;             // the row's time after OK
    };
    const Case cases[] = {
        {L"2024/01/02 03:04:05.999", {VK_UP}, {L"000"}, L"2024/01/02 03:04:05.000"},
        {L"2024/01/02 03:04:05.000", {VK_DOWN}, {L"999"}, L"2024/01/02 03:04:05.999"},
        {L"2024/01/02 03:04:05.500",
         {VK_UP, VK_DOWN, VK_DOWN},
         {L"501", L"500", L"499"},
         L"2024/01/02 03:04:05.499"},
        {L"2024/01/02 03:04:05.000",
         {'1', '2', '3', '4'},
         {L"001", L"012", L"123", L"004"},
         L"2024/01/02 03:04:05.004"},
        {L"2024/01/02 03:04:05.006", {'5'}, {L"065"}, L"2024/01/02 03:04:05.065"},
        {L"2024/01/02 03:04:05.042",
         {VK_NUMPAD1, 'A', VK_LEFT},
         {L"042", L"042", L"042"},
         L"2024/01/02 03:04:05.042"},
    };
    TempDir dir;
    const std::wstring file = dir.file(L"a.txt");
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.start)));
        EditRun run({file});
        std::vector<std::wstring> shown;
        run.edit([&] { run.setRow(0, c.start, EntryStatus::Unset), run.select(0); },
                 [&](HWND edit) {
                     for (int key : c.keys)
                     {
                         pressInField(edit, key);
                         shown.push_back(millisecondText(edit));
                     }
                     ok(edit);
                 });
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(run.times, (std::vector<std::wstring>{c.time}));
    }
}

TEST(EditEntry, TheMillisecondFieldIsMeasuredAsThreeDigits)
{
    TempDir dir;
    EditRun run({dir.file(L"a.txt")});
    SIZE field = {-1, -1};
    SIZE other = {-1, -1};
    run.edit([&] { run.select(0); },
             [&](HWND edit) {
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
             });
    EXPECT_GT(field.cx, 0);
    EXPECT_GT(field.cy, 0);
    EXPECT_EQ(other.cx, -1);
}

TEST(EditEntry, AnEmptyPathOpensEmptyWithTheRowsTimeAndOkKeepsIt)
{
    TempDir dir;
    EditRun run({dir.file(L"a.txt")});
    std::wstring shownName = L"?", before;
    SYSTEMTIME picker = {};
    run.edit(
        [&] {
            before = run.list().timeText(0), run.list().setPath(0, L""), run.select(0);
        },
        [&](HWND edit) {
            shownName = nameText(edit);
            picker = pickerTime(edit);
            ok(edit);
        });
    EXPECT_EQ(shownName, L"");
    EXPECT_EQ(formatTimestamp(picker).substr(0, 19), before.substr(0, 19));
    EXPECT_EQ(run.times, (std::vector{before}));
    EXPECT_EQ(run.names, (std::vector<std::wstring>{L""}));
}

TEST(EditEntry, AnEditedPathIsWhatTheNextRestoreWritesTo)
{
    TempDir dir;
    const std::wstring first = dir.file(L"first.txt");
    const std::wstring second = dir.file(L"second.txt");
    const auto firstBefore = testing_support::lastWriteTicks(first);
    EditRun run({first});
    run.edit([&] { run.setRow(0, L"2022/02/22 22:22:22.222", EntryStatus::Unset), run.select(0); },
             [&](HWND edit) {
                 SetDlgItemTextW(edit, IDC_EDIT_NAME, second.c_str());
                 ok(edit);
             },
             [&] { restoreCheckedRows(run.list()); });
    EXPECT_EQ(run.names, (std::vector{second}));
    EXPECT_EQ(run.statuses, (std::vector{EntryStatus::Restored}));
    EXPECT_EQ(testing_support::lastWriteTicks(second),
              testing_support::localTicks(2022, 2, 22, 22, 22, 22, 222));
    EXPECT_EQ(testing_support::lastWriteTicks(first), firstBefore);
}

} // namespace
