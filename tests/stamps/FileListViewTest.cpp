#include "stamps/FileListView.h"

#include "support/Drops.h"
#include "support/FolderLink.h"
#include "support/Hosts.h"
#include "support/TempDir.h"
#include "stamps/SelectChanged.h"
#include "stamps/EntryStatus.h"
#include "stamps/Timestamp.h"
#include "tkit/ui/Contrast.h"
#include "tkit/fs/FormatString.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <map>
#include <utility>
#include <vector>

using testing_support::ListDialog;
using testing_support::shownAs;
using testing_support::TempDir;
using testing_support::ticksPerMillisecond;

namespace
{

constexpr EntryStatus failed = EntryStatus::Failed;
constexpr EntryStatus restored = EntryStatus::Restored;
constexpr EntryStatus unset = EntryStatus::Unset;
constexpr COLORREF green = RGB(203, 255, 203);
constexpr COLORREF red = RGB(255, 203, 203);

class ListBehaviour : public testing::Test
{
protected:
    // Rows "row0".."rowN-1", all checked and Unset as capture leaves them.
    void addRows(int count)
    {
        for (int row = 0; row < count; ++row)
            list.addEntry(temp / (L"row" + std::to_wstring(row)));
    }

    std::vector<int> boxes() const
    {
        std::vector<int> images;
        for (int row = 0, count = list.itemCount(); row < count; ++row)
            images.push_back(list.stateImage(row));
        return images;
    }

    testing_support::TempDir temp;
    ListDialog host;
    FileListView& list = host.view();
};

TEST_F(ListBehaviour, CustomDrawColoursCheckedRowsByStatus)
{
    addRows(1);
    const COLORREF given = RGB(1, 2, 3);
    const struct
    {
        DWORD stage;
        int box;
        // The row's item data as the drawing gets it: -1 failed, 1 restored, 0 unset.
        LPARAM status;
        LRESULT answer;
        COLORREF background;
    } cases[] = {
        {CDDS_PREPAINT, 2, 0, CDRF_NOTIFYITEMDRAW, given},
        {CDDS_ITEMPREPAINT, 2, -1, CDRF_NEWFONT, red},
        {CDDS_ITEMPREPAINT, 2, 1, CDRF_NEWFONT, green},
        // An answer left from the row before must not leak into this one.
        {CDDS_ITEMPREPAINT, 1, -1, CDRF_DODEFAULT, given},
        {CDDS_ITEMPREPAINT, 2, 0, CDRF_NEWFONT, given},
        {CDDS_ITEMPREPAINT, 1, 1, CDRF_DODEFAULT, given},
        {CDDS_ITEMPREPAINT, 2, 7, CDRF_NEWFONT, given},
        {CDDS_POSTPAINT, 2, -1, CDRF_DODEFAULT, given},
        {CDDS_ITEMPOSTPAINT, 2, -1, CDRF_DODEFAULT, given},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message()
                     << "stage " << c.stage << ", box " << c.box << ", status " << c.status);
        list.setStateImage(0, c.box);
        NMLVCUSTOMDRAW draw = {};
        draw.nmcd.hdr.hwndFrom = host.listWindow();
        draw.nmcd.hdr.idFrom = IDC_FILE_LIST;
        draw.nmcd.hdr.code = NM_CUSTOMDRAW;
        draw.nmcd.dwDrawStage = c.stage;
        draw.nmcd.dwItemSpec = 0;
        draw.nmcd.lItemlParam = c.status;
        draw.clrText = given;
        draw.clrTextBk = given;
        const LRESULT answer =
            SendMessageW(host.window, WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&draw));
        EXPECT_EQ(answer, c.answer);
        EXPECT_EQ(draw.clrTextBk, c.background);
        EXPECT_EQ(draw.clrText, given);
    }
}

TEST_F(ListBehaviour, TheHeaderDrawsInTheDefaultWayAndItsRecordIsLeftAlone)
{
    addRows(1);
    const HWND header = ListView_GetHeader(host.listWindow());
    ASSERT_NE(header, nullptr);
    // The header's record is the smaller NMCUSTOMDRAW: nothing past it may be written.
    struct
    {
        NMCUSTOMDRAW draw;
        unsigned char guard[64];
    } record = {};
    std::memset(record.guard, 0xA5, sizeof(record.guard));
    record.draw.hdr.hwndFrom = header;
    record.draw.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(header));
    record.draw.hdr.code = NM_CUSTOMDRAW;
    record.draw.lItemlParam = -1;
    SetWindowLongPtrW(host.window, DWLP_MSGRESULT, 12345);

    for (const DWORD stage : {DWORD{CDDS_PREPAINT}, DWORD{CDDS_ITEMPREPAINT}})
    {
        record.draw.dwDrawStage = stage;
        EXPECT_EQ(SendMessageW(host.listWindow(), WM_NOTIFY, record.draw.hdr.idFrom,
                               reinterpret_cast<LPARAM>(&record)),
                  CDRF_DODEFAULT);
    }
    for (const unsigned char byte : record.guard)
        ASSERT_EQ(byte, 0xA5);
    EXPECT_EQ(GetWindowLongPtrW(host.window, DWLP_MSGRESULT), 12345);
}

// The pixel in the middle of a row, right of its text, as drawn on the screen.
COLORREF drawnBackground(HWND list, int row)
{
    RECT bounds = {};
    ListView_GetItemRect(list, row, &bounds, LVIR_BOUNDS);
    RECT client = {};
    GetClientRect(list, &client);
    POINT point = {(bounds.left + client.right) / 2 + 40, (bounds.top + bounds.bottom) / 2};
    ClientToScreen(list, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

// How the text of a row reads on its background as drawn: the contrast of the
// text pixel that stands out most (the label's inside, clear of grid lines).
double drawnTextContrast(const ListDialog& host, int row)
{
    RECT label = {};
    ListView_GetItemRect(host.listWindow(), row, &label, LVIR_LABEL);
    MapWindowPoints(host.listWindow(), nullptr, reinterpret_cast<POINT*>(&label), 2);
    const COLORREF background = drawnBackground(host.listWindow(), row);
    HDC screen = GetDC(nullptr);
    double most = 1;
    for (int y = label.top + 2; y < label.bottom - 2; ++y)
        for (int x = label.left + 2; x < label.left + 120; ++x)
            most = std::max(most, tkit::contrastRatio(GetPixel(screen, x, y), background));
    ReleaseDC(nullptr, screen);
    return most;
}

// The pixels of a row's mark that read on its square at 4.5:1 or better, and
// of them those in the top-left corner of their bounds, where a cross starts
// and a tick does not reach.
std::pair<int, int> strokesOf(HWND list, int row)
{
    RECT icon = {};
    ListView_GetItemRect(list, row, &icon, LVIR_ICON);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&icon), 2);
    RECT bounds = {icon.right, icon.bottom, icon.left, icon.top};
    HDC screen = GetDC(nullptr);
    const COLORREF square = GetPixel(screen, icon.left + 1, icon.top + 1);
    std::vector<POINT> points;
    for (LONG y = icon.top; y < icon.bottom; ++y)
        for (LONG x = icon.left; x < icon.right; ++x)
            if (tkit::contrastRatio(GetPixel(screen, x, y), square) >= 4.5)
                points.push_back({x, y}),
                    bounds = {std::min(bounds.left, x), std::min(bounds.top, y),
                              std::max(bounds.right, x), std::max(bounds.bottom, y)};
    ReleaseDC(nullptr, screen);
    return {static_cast<int>(points.size()),
            static_cast<int>(std::count_if(points.begin(), points.end(), [&](POINT at) {
                return (at.x - bounds.left) * 4 < bounds.right - bounds.left &&
                       (at.y - bounds.top) * 4 < bounds.bottom - bounds.top;
            }))};
}

// Green and red in the normal colours and in high contrast (window black, text
// white); every row, the selected one too, reads at 4.5:1 or better, and so
// does the mark in front of a restored (a tick) or failed (a cross) row.
TEST(ListOnScreen, RestoredAndFailedRowsAreDrawnGreenAndRedOnScreen)
{
    const int elements[] = {COLOR_WINDOW,        COLOR_WINDOWTEXT, COLOR_HIGHLIGHT,
                            COLOR_HIGHLIGHTTEXT, COLOR_BTNFACE,    COLOR_BTNTEXT};
    const COLORREF highContrast[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(26, 235, 255),
                                     RGB(0, 0, 0), RGB(0, 0, 0),       RGB(255, 255, 255)};
    COLORREF normal[std::size(elements)];
    std::transform(std::begin(elements), std::end(elements), normal, GetSysColor);
    for (const COLORREF* scheme : {static_cast<const COLORREF*>(normal), highContrast})
    {
        testing_support::TempDir temp;
        SetSysColors(static_cast<int>(std::size(elements)), elements, scheme);
        ListDialog host(true);
        SendMessageW(host.listWindow(), WM_SYSCOLORCHANGE, 0, 0);
        FileListView& list = host.view();
        for (int row = 0; row < 5; ++row)
            list.addEntry(temp / (L"row" + std::to_wstring(row)));
        list.setStatus(0, restored);
        list.setStatus(1, failed);
        list.setStatus(2, failed);
        list.setChecked(2, false);
        list.setStatus(2, failed); // unchecked but still marked failed
        list.setStatus(4, restored);
        host.select({4}, 4);
        RedrawWindow(host.window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        host.pump();
        GdiFlush();
        if (GetForegroundWindow() != host.window && !testing_support::runningUnderWine())
        {
            SetSysColors(static_cast<int>(std::size(elements)), elements, normal);
            GTEST_SKIP() << "the list cannot come to the front here, so the screen may show "
                            "another program's window over it";
        }

        EXPECT_EQ(drawnBackground(host.listWindow(), 0), green);
        EXPECT_EQ(drawnBackground(host.listWindow(), 1), red);
        const COLORREF plain = drawnBackground(host.listWindow(), 3);
        EXPECT_NE(plain, green);
        EXPECT_NE(plain, red);
        EXPECT_EQ(drawnBackground(host.listWindow(), 2), plain) << "an unchecked row has no colour";
        // The selected row has the scheme's selection colours; Wine's own
        // (white on RGB(48, 150, 250)) reach only 3.1:1.
        for (const int row :
             scheme == highContrast ? std::vector{0, 1, 3, 4} : std::vector{0, 1, 3})
            EXPECT_GE(drawnTextContrast(host, row), 4.5) << "row " << row;
        const auto tick = strokesOf(host.listWindow(), 0), cross = strokesOf(host.listWindow(), 1);
        EXPECT_TRUE(tick.first > 0 && tick.second == 0) << tick.first << " pixels";
        EXPECT_TRUE(cross.first > 0 && cross.second > 0) << cross.first << " pixels";
        EXPECT_EQ(strokesOf(host.listWindow(), 3).first, 0) << "no mark without a result";
    }
    SetSysColors(static_cast<int>(std::size(elements)), elements, normal);
}

TEST_F(ListBehaviour, UncheckingResetsTheStatusAndCheckingKeepsIt)
{
    addRows(2);
    for (const EntryStatus status : {failed, restored})
    {
        list.setStatus(0, status);
        list.setResult(0, {RowOutcome::fileMissing});
        list.setChecked(0, false);
        EXPECT_EQ(list.status(0), unset);
        EXPECT_EQ(list.result(0), RowResult{}) << "the result and the mark go with the colour";
        EXPECT_EQ(host.column(2)[0], L"");
        EXPECT_EQ(testing_support::markOf(list, 0), 0);
        list.setChecked(0, true);
        EXPECT_EQ(list.status(0), unset) << "checking again does not bring the colour back";
    }
    // Checking an unchecked row leaves whatever status it holds; so does a
    // change that does not touch the box.
    list.setChecked(1, false);
    list.setStatus(1, failed);
    list.setResult(1, {RowOutcome::inUse});
    list.setChecked(1, true);
    EXPECT_EQ(list.status(1), failed);
    EXPECT_EQ(host.column(2)[1], L"ほかのプログラムが使用中です");
    list.setItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    list.setTimeText(1, L"2024/01/02 03:04:05.006");
    EXPECT_EQ(list.status(1), failed);
    EXPECT_EQ(list.status(0), unset) << "row 0 untouched by row 1's changes";
}

// Hovering a row shows its result; where the control shows the row's text cut,
// the tip holds that text whole, and the result follows it.
TEST_F(ListBehaviour, ARowsTooltipIsItsResult)
{
    addRows(2);
    list.setStatus(0, failed);
    list.setResult(0, {RowOutcome::fileMissing});
    const struct
    {
        int row;
        DWORD flags;
        const wchar_t* given;
        int room;
        const wchar_t* tip;
    } cases[] = {
        {0, LVGIT_UNFOLDED, L"", 80, L"ファイルが見つかりません"},
        {0, 0, L"C:\\a.txt", 80, L"C:\\a.txt\nファイルが見つかりません"},
        {0, LVGIT_UNFOLDED, L"", 5, L"ファイル"},
        {1, 0, L"C:\\b.txt", 80, L"C:\\b.txt"},
    };
    for (const auto& c : cases)
    {
        std::wstring buffer(80, L'\0');
        buffer.replace(0, std::wcslen(c.given), c.given);
        NMLVGETINFOTIPW tip = {{host.listWindow(), IDC_FILE_LIST, LVN_GETINFOTIPW},
                               c.flags,
                               buffer.data(),
                               c.room,
                               c.row,
                               0,
                               0};
        SendMessageW(host.window, WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&tip));
        EXPECT_EQ(std::wstring(buffer.c_str()), c.tip);
    }
}

// At every scale the marks are a small icon's size and the result column shows
// its widest text whole (with Wine's cell padding of 12 pixels at 100 %).
TEST_F(ListBehaviour, TheMarksAndTheResultColumnFollowTheScale)
{
    addRows(2);
    list.setResult(1, {RowOutcome::systemError, ERROR_INVALID_NAME});
    const std::wstring widest = tkit::systemMessage(ERROR_INVALID_NAME);
    for (const int dpi : {96, 144, 192})
    {
        list.fitResultColumn(static_cast<UINT>(dpi));
        list.showMarks(static_cast<UINT>(dpi));
        int width = 0, height = 0;
        ImageList_GetIconSize(ListView_GetImageList(host.listWindow(), LVSIL_SMALL), &width,
                              &height);
        EXPECT_EQ(std::vector({width, height}), std::vector({dpi / 6, dpi / 6}));
        EXPECT_GE(list.columnWidth(2), list.stringWidth(widest.c_str()) + dpi / 8) << dpi;
    }
    list.setChecked(1, false);
    list.fitResultColumn(96);
    EXPECT_LT(list.columnWidth(2), list.stringWidth(widest.c_str())) << "narrow once it is gone";
}

TEST_F(ListBehaviour, DeleteRemovesTheSelectedRowsOnly)
{
    const struct
    {
        std::vector<int> selected;
        std::vector<std::wstring> left;
    } cases[] = {
        {{}, {L"row0", L"row1", L"row2", L"row3", L"row4"}},
        {{1, 3}, {L"row0", L"row2", L"row4"}},
        {{0, 1, 2, 3, 4}, {}},
        {{4}, {L"row0", L"row1", L"row2", L"row3"}},
    };
    for (const auto& c : cases)
    {
        list.deleteAllItems();
        addRows(5);
        host.select(c.selected, -1);
        host.pressKey(VK_DELETE);
        std::vector<std::wstring> left;
        for (const std::wstring& path : host.column(0))
            left.push_back(path.substr(path.find_last_of(L'\\') + 1));
        EXPECT_EQ(left, c.left) << c.selected.size() << " rows selected";
    }
}

TEST_F(ListBehaviour, SpaceFlipsEverySelectedRowAndTheFocusedRowOnce)
{
    const struct
    {
        const char* name;
        std::vector<int> before;
        std::vector<int> selected;
        int focused;
        std::vector<int> after;
    } cases[] = {
        {"two checked and one unchecked selected, focus on a checked one",
         {2, 2, 1, 2},
         {0, 1, 2},
         1,
         {1, 1, 2, 2}},
        {"focus on a row outside the selection", {2, 1, 2, 2}, {0, 1}, 3, {1, 2, 2, 1}},
        {"the focused row alone", {2, 2, 1, 2}, {}, 2, {2, 2, 2, 2}},
        {"selection without focus", {1, 2, 2, 2}, {0, 3}, -1, {2, 2, 2, 1}},
        {"nothing selected or focused", {2, 1, 2, 1}, {}, -1, {2, 1, 2, 1}},
    };
    addRows(4);
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        for (int row = 0; row < 4; ++row)
            list.setStateImage(row, c.before[static_cast<size_t>(row)]);
        host.select(c.selected, c.focused);

        host.pressKey(VK_SPACE);
        EXPECT_EQ(boxes(), c.after);
        EXPECT_EQ(host.selectedRows(), c.selected) << "the selection stays as it was";

        host.pressKey(VK_SPACE);
        EXPECT_EQ(boxes(), c.before) << "a second press flips every row back";
    }
}

TEST_F(ListBehaviour, SpaceUncheckingARowResetsItsStatus)
{
    addRows(3);
    list.setStatus(0, failed);
    list.setStatus(1, restored);
    list.setStatus(2, failed);
    host.select({0, 1}, 1);
    host.pressKey(VK_SPACE);
    EXPECT_EQ(boxes(), (std::vector<int>{1, 1, 2}));
    EXPECT_EQ(list.status(0), unset);
    EXPECT_EQ(list.status(1), unset);
    EXPECT_EQ(list.status(2), failed);
}

TEST_F(ListBehaviour, F2AsksTheParentToEditBeforeItReturns)
{
    addRows(2);
    for (const std::vector<int>& selected : {std::vector<int>{1}, std::vector<int>{}})
    {
        host.calls.clear();
        host.select(selected, selected.empty() ? -1 : selected[0]);
        SendMessageW(host.listWindow(), WM_KEYDOWN, VK_F2, 0x003C0001);
        EXPECT_EQ(host.wParams(WM_COMMAND), std::vector<WPARAM>{IDM_EDIT});
        SendMessageW(host.listWindow(), WM_KEYUP, VK_F2, 0xC03C0001);
    }
    EXPECT_EQ(list.itemCount(), 2);
}

TEST_F(ListBehaviour, ADropOnTheListIsPostedToTheParent)
{
    const std::wstring name = temp.file(L"dropped.txt");
    const WPARAM drop = reinterpret_cast<WPARAM>(testing_support::makeDrop({name}));

    SendMessageW(host.listWindow(), WM_DROPFILES, drop, 0);
    EXPECT_TRUE(host.wParams(WM_DROPFILES).empty()) << "posted, not sent";
    host.pump();
    EXPECT_EQ(host.wParams(WM_DROPFILES), std::vector<WPARAM>{drop});
    EXPECT_EQ(list.itemCount(), 0) << "the list itself adds nothing";

    wchar_t dropped[MAX_PATH] = {};
    DragQueryFileW(reinterpret_cast<HDROP>(drop), 0, dropped, MAX_PATH);
    EXPECT_EQ(std::wstring(dropped), name);
    DragFinish(reinterpret_cast<HDROP>(drop));
}

// Typed while the window is busy: every key is down and up again before the
// list handles any of them, so only the state of each key message tells.
TEST(ListOnScreen, CtrlKeysAndF5ActOnlyWithCtrlAloneAsTypedAndGoToTheWindowAsCommands)
{
    testing_support::TempDir temp;
    ListDialog host(true);
    FileListView& list = host.view();
    for (int row = 0; row < 4; ++row)
        list.addEntry(temp / (L"row" + std::to_wstring(row)));
    if (GetForegroundWindow() != host.window && !testing_support::runningUnderWine())
        GTEST_SKIP() << "the list cannot come to the front here, so typed keys go to another "
                        "program (a hosted runner's console)";
    const struct
    {
        std::vector<WORD> held;
        WORD key;
        std::vector<int> selected;
        std::vector<WPARAM> commands;
        size_t selectedAfter;
    } cases[] = {
        {{VK_CONTROL}, 'A', {2}, {}, 4},
        {{VK_CONTROL, VK_SHIFT}, 'A', {2}, {}, 1},
        {{VK_CONTROL, VK_MENU}, 'A', {2}, {}, 1},
        {{}, 'A', {2}, {}, 1},
        {{VK_CONTROL}, 'C', {0, 1}, {IDM_COPY}, 2},
        {{VK_CONTROL, VK_SHIFT}, 'C', {0}, {}, 1},
        {{VK_CONTROL}, 'V', {}, {IDM_PASTE}, 0},
        {{VK_CONTROL}, 'Z', {}, {IDM_UNDO}, 0},
        {{VK_CONTROL, VK_MENU}, 'Z', {}, {}, 0},
        {{VK_CONTROL}, 'H', {0}, {IDM_REPLACE_PATHS}, 1},
        {{VK_CONTROL, VK_SHIFT}, 'H', {}, {}, 0},
        {{VK_CONTROL}, 'E', {1}, {IDM_SELECT_FAILED}, 1},
        {{VK_CONTROL}, 'R', {}, {IDM_RETRY_FAILED}, 0},
        {{VK_CONTROL, VK_SHIFT}, 'R', {}, {}, 0},
        {{}, 'V', {}, {}, 0},
        {{}, VK_F5, {}, {IDM_SELECT_CHANGED}, 0},
        {{}, VK_F2, {}, {IDM_EDIT}, 0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "key " << c.key << ", " << c.held.size() << " held");
        host.calls.clear();
        host.select(c.selected, c.selected.empty() ? -1 : c.selected[0]);
        host.type(c.held, c.key);
        host.pump();
        EXPECT_EQ(host.wParams(WM_COMMAND), c.commands);
        EXPECT_EQ(host.selectedRows().size(), c.selectedAfter);
    }
}

TEST_F(ListBehaviour, SelectChangedSelectsExactlyTheRowsWhoseFileChangedOrIsGone)
{
    const struct
    {
        const char* name;
        // Per row: 0 same, 1 newer by a millisecond, 2 gone, 3 no time, 4 no time and gone,
        // 5 held open without sharing, 6 on a share that does not answer.
        std::vector<int> rows;
        std::vector<int> selected;
    } cases[] = {
        {"all the same", {0, 0}, {}},
        {"newer, gone, and a time where the row has none", {0, 1, 0, 2, 3}, {1, 3, 4}},
        {"a row without a time whose file is gone", {4, 0}, {0}},
        {"held open, and one that cannot be read", {5, 6, 0}, {1}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        list.deleteAllItems();
        for (size_t row = 0; row < c.rows.size(); ++row)
            list.addEntry(temp.file(std::wstring(c.name, c.name + 3) + std::to_wstring(row)));
        host.select({0}, 0);
        HANDLE held = nullptr;
        for (int row = 0; row < list.itemCount(); ++row)
        {
            const std::wstring path = list.path(row);
            const int kind = c.rows[static_cast<size_t>(row)];
            if (kind == 1)
                testing_support::setLastWriteTicks(path,
                                                   testing_support::lastWriteTicks(path) + 10'000);
            if (kind == 3 || kind == 4)
                list.setTimeText(row, L"");
            if (kind == 2 || kind == 4)
                DeleteFileW(path.c_str());
            if (kind == 5)
                held =
                    CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            if (kind == 6)
                list.setPath(row, L"\\\\localhost\\no-such-share\\" + std::to_wstring(row));
        }
        const auto texts = host.column(1);
        const ChangedRows changed = selectChanged(list);
        CloseHandle(held);
        EXPECT_EQ(changed.selected, static_cast<int>(c.selected.size()));
        EXPECT_EQ(changed.unreadable.count, std::count(c.rows.begin(), c.rows.end(), 6));
        EXPECT_EQ(host.selectedRows(), c.selected);
        EXPECT_EQ(host.column(1), texts) << "no text changes";
        EXPECT_EQ(list.nextItem(-1, LVNI_FOCUSED), c.selected.empty() ? 0 : c.selected[0]);
    }
}

void expectNewRow(FileListView& list, int row)
{
    EXPECT_TRUE(list.isChecked(row)) << "row " << row;
    EXPECT_EQ(list.status(row), EntryStatus::Unset) << "row " << row;
}

class Capture : public testing::Test
{
protected:
    ListDialog host;
    FileListView& list = host.view();
    TempDir temp;
};

TEST_F(Capture, ShowsTheLastWriteTimeInLocalTimeToTheMillisecond)
{
    using testing_support::localTicks;
    const struct
    {
        unsigned long long ticks;
        const wchar_t* text;
    } cases[] = {
        // The sub-millisecond remainder is dropped, never rounded up.
        {localTicks(2024, 3, 5, 12, 34, 56, 7), L"2024/03/05 12:34:56.007"},
        {localTicks(2024, 3, 5, 12, 34, 56, 7, ticksPerMillisecond - 1),
         L"2024/03/05 12:34:56.007"},
        {localTicks(2023, 12, 31, 23, 59, 59, 999, ticksPerMillisecond - 1),
         L"2023/12/31 23:59:59.999"},
        {localTicks(2024, 7, 1, 0, 0, 0, 0, 1), L"2024/07/01 00:00:00.000"},
        {localTicks(1999, 2, 28, 8, 9, 10, 500, 5000), L"1999/02/28 08:09:10.500"},
    };
    for (const auto& c : cases)
    {
        const std::wstring path = temp.file(L"stamped-" + std::to_wstring(&c - cases) + L".txt");
        ASSERT_TRUE(testing_support::setLastWriteTicks(path, c.ticks));
        const int row = list.itemCount();
        list.addPath(path, true);
        ASSERT_EQ(list.itemCount(), row + 1) << "a file gives one row, recursive or not";
        EXPECT_EQ(list.path(row), path);
        EXPECT_EQ(list.timeText(row), c.text);
        expectNewRow(list, row);
    }
}

TEST_F(Capture, AFolderWithoutRecursionIsOneRowWithItsOwnTime)
{
    const std::wstring folder = temp.folder(L"folder");
    temp.file(L"folder\\inside.txt");
    const unsigned long long ticks = testing_support::localTicks(2020, 6, 15, 10, 20, 30, 40);
    ASSERT_TRUE(testing_support::setLastWriteTicks(folder, ticks));

    list.addPath(folder, false);

    ASSERT_EQ(host.column(0), std::vector<std::wstring>{folder});
    EXPECT_EQ(list.timeText(0), L"2020/06/15 10:20:30.040");
    expectNewRow(list, 0);
}

TEST_F(Capture, AFolderWithRecursionIsItsRowThenItsTreeEachFolderBeforeItsContents)
{
    const std::wstring root = temp.folder(L"root");
    const std::vector<std::wstring> relative = {
        L"a.txt",      L"sub",  L"sub\\b.txt", L"sub\\deeper", L"sub\\deeper\\c.txt",
        L"sub\\empty", L"z.txt"};
    for (const std::wstring& name : relative)
    {
        if (name.find(L'.') == std::wstring::npos)
            temp.folder(L"root\\" + name);
        else
            temp.file(L"root\\" + name);
    }
    // Distinct times, set after the tree is complete so that no later change
    // to a folder's contents moves its time.
    std::map<std::wstring, unsigned long long> times;
    times[root] = testing_support::localTicks(2010, 1, 1, 1, 1, 1, 1);
    for (size_t i = 0; i < relative.size(); ++i)
        times[root + L"\\" + relative[i]] =
            testing_support::localTicks(2011, 2, 3, 4, 5, 6, static_cast<int>(100 + i), 1234);
    for (const auto& [path, ticks] : times)
        ASSERT_TRUE(testing_support::setLastWriteTicks(path, ticks));

    list.addPath(root, true);

    const std::vector<std::wstring> paths = host.column(0);
    ASSERT_EQ(paths.size(), relative.size() + 1);
    EXPECT_EQ(paths[0], root);
    // Pre-order: every row lies inside the folder of some earlier row that is
    // still open, and a folder's contents follow it without a gap.
    std::vector<std::wstring> open = {root};
    for (size_t row = 1; row < paths.size(); ++row)
    {
        while (!open.empty() && paths[row].rfind(open.back() + L"\\", 0) != 0)
            open.pop_back();
        ASSERT_FALSE(open.empty()) << "row " << row << " is outside every open folder";
        EXPECT_EQ(paths[row].find(L'\\', open.back().size() + 1), std::wstring::npos)
            << "row " << row << " comes before its own folder's row";
        open.push_back(paths[row]);
    }
    for (size_t row = 0; row < paths.size(); ++row)
    {
        ASSERT_TRUE(times.count(paths[row])) << "unexpected row " << row;
        EXPECT_EQ(list.timeText(static_cast<int>(row)), shownAs(times[paths[row]]));
        expectNewRow(list, static_cast<int>(row));
    }
}

TEST_F(Capture, AnEmptyFolderWithRecursionIsJustItsOwnRow)
{
    const std::wstring folder = temp.folder(L"empty");
    list.addPath(folder, true);
    EXPECT_EQ(host.column(0), std::vector<std::wstring>{folder});
    EXPECT_EQ(list.timeText(0), shownAs(testing_support::lastWriteTicks(folder)));
}

// A drive-relative folder (a mapped drive "X:" whose current folder is work,
// "x:", "X:sub", and the current drive's own "C:") brings the folder it names,
// the one Windows resolves it to, not the drive's root; its rows keep the form
// given, the entry's name joined on.
TEST_F(Capture, ADriveRelativeFolderBringsTheFolderItNamesNotTheRoot)
{
    const std::wstring work = temp.folder(L"work");
    temp.file(L"root.txt");
    temp.file(L"work\\sub\\b.txt");
    for (const auto& [path, year] :
         {std::pair{temp.path(), 2001}, {work, 2002}, {work + L"\\sub", 2003}})
        ASSERT_TRUE(testing_support::setLastWriteTicks(
            path, testing_support::localTicks(year, 1, 1, 0, 0, 0, 0)));
    testing_support::MappedDrive mapped(temp.path());
    ASSERT_FALSE(mapped.drive().empty());
    const std::wstring x = mapped.drive(), here = work.substr(0, 2);
    const std::wstring lower = {static_cast<wchar_t>(x[0] | 0x20), L':'};
    SetEnvironmentVariableW((L"=" + x).c_str(), (x + L"\\work").c_str());
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    SetCurrentDirectoryW(work.c_str());
    const struct
    {
        std::wstring path, folder;
        std::vector<std::wstring> rows;
    } cases[] = {
        {x, work, {x, x + L"sub", x + L"sub\\b.txt"}},
        {lower, work, {lower, lower + L"sub", lower + L"sub\\b.txt"}},
        {x + L"sub", work + L"\\sub", {x + L"sub", x + L"sub\\b.txt"}},
        {here, work, {here, here + L"sub", here + L"sub\\b.txt"}},
    };
    for (const auto& c : cases)
    {
        list.deleteAllItems();
        list.addPath(c.path, true);
        EXPECT_EQ(host.column(0), c.rows);
        EXPECT_EQ(list.timeText(0), shownAs(testing_support::lastWriteTicks(c.folder))) << c.path;
    }
    SetCurrentDirectoryW(current);
    SetEnvironmentVariableW((L"=" + x).c_str(), nullptr);
}

TEST_F(Capture, TheSamePathTwiceGivesTwoIndependentRows)
{
    const std::wstring path = temp.file(L"twice.txt");
    list.addPath(path, false);
    list.addPath(path, false);

    ASSERT_EQ(host.column(0), (std::vector<std::wstring>{path, path}));
    EXPECT_EQ(list.timeText(0), list.timeText(1));
    EXPECT_FALSE(list.timeText(1).empty());
    expectNewRow(list, 0);
    expectNewRow(list, 1);

    list.setChecked(0, false);
    EXPECT_FALSE(list.isChecked(0));
    EXPECT_TRUE(list.isChecked(1)) << "the other row keeps its own box";
}

TEST_F(Capture, AFileHeldOpenWithoutSharingGetsItsTimeAndAMissingOneARowWithoutATime)
{
    const std::wstring missing = temp / L"missing.txt";
    const std::wstring locked = temp.file(L"locked.txt");
    HANDLE holder = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);

    list.addPath(missing, true);
    list.addPath(locked, false);
    CloseHandle(holder);
    // A good file after them is captured as usual.
    const std::wstring good = temp.file(L"good.txt");
    list.addPath(good, false);

    ASSERT_EQ(host.column(0), (std::vector<std::wstring>{missing, locked, good}));
    EXPECT_EQ(host.column(1),
              (std::vector<std::wstring>{L"", shownAs(testing_support::lastWriteTicks(locked)),
                                         shownAs(testing_support::lastWriteTicks(good))}));
    for (int row = 0; row < 3; ++row)
        expectNewRow(list, row);
}

TEST_F(Capture, NamesOutsideTheBasicPlaneSurviveUnchanged)
{
    // Japanese in the basic plane, and characters that need surrogate pairs.
    const std::vector<std::wstring> names = {L"更新日時のテスト.txt", L"\U00020BB7野家.txt",
                                             L"絵文字\U0001F389\U0001F600.txt",
                                             L"\U00020B9F\U00020BB7"};
    const std::wstring folder = temp.folder(L"名前");
    for (const std::wstring& name : names)
        temp.file(L"名前\\" + name);
    const unsigned long long ticks = testing_support::localTicks(2022, 2, 22, 22, 22, 22, 222);
    for (const std::wstring& name : names)
        ASSERT_TRUE(testing_support::setLastWriteTicks(folder + L"\\" + name, ticks));

    for (const std::wstring& name : names)
        list.addPath(folder + L"\\" + name, false);
    list.addPath(folder, true);

    const std::vector<std::wstring> paths = host.column(0);
    ASSERT_EQ(paths.size(), 2 * names.size() + 1);
    for (size_t i = 0; i < names.size(); ++i)
    {
        EXPECT_EQ(paths[i], folder + L"\\" + names[i]);
        EXPECT_EQ(list.timeText(static_cast<int>(i)), L"2022/02/22 22:22:22.222");
    }
    EXPECT_EQ(paths[names.size()], folder);
    std::vector<std::wstring> expanded(paths.begin() + static_cast<long>(names.size()) + 1,
                                       paths.end());
    std::vector<std::wstring> expected;
    for (const std::wstring& name : names)
        expected.push_back(folder + L"\\" + name);
    std::sort(expanded.begin(), expanded.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expanded, expected);
    for (size_t row = names.size() + 1; row < paths.size(); ++row)
        EXPECT_EQ(list.timeText(static_cast<int>(row)), L"2022/02/22 22:22:22.222");
}

} // namespace
