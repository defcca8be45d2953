#include "ListDialog.h"

#include "res/resource.h"
#include "stamps/EntryStatus.h"
#include "support/Drops.h"
#include "support/TempDir.h"
#include "tkit/ui/Contrast.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <iterator>

using testing_support::ListDialog;

namespace
{

constexpr LPARAM failed = static_cast<LPARAM>(EntryStatus::Failed);
constexpr LPARAM restored = static_cast<LPARAM>(EntryStatus::Restored);
constexpr LPARAM unset = static_cast<LPARAM>(EntryStatus::Unset);
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
        LPARAM status;
        LRESULT answer;
        COLORREF background;
    } cases[] = {
        {CDDS_PREPAINT, 2, unset, CDRF_NOTIFYITEMDRAW, given},
        {CDDS_ITEMPREPAINT, 2, failed, CDRF_NEWFONT, red},
        {CDDS_ITEMPREPAINT, 2, restored, CDRF_NEWFONT, green},
        // An answer left from the row before must not leak into this one.
        {CDDS_ITEMPREPAINT, 1, failed, CDRF_DODEFAULT, given},
        {CDDS_ITEMPREPAINT, 2, unset, CDRF_NEWFONT, given},
        {CDDS_ITEMPREPAINT, 1, restored, CDRF_DODEFAULT, given},
        {CDDS_ITEMPREPAINT, 2, 7, CDRF_NEWFONT, given},
        {CDDS_POSTPAINT, 2, failed, CDRF_DODEFAULT, given},
        {CDDS_ITEMPOSTPAINT, 2, failed, CDRF_DODEFAULT, given},
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
            SendMessageW(host.window(), WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&draw));
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
    record.draw.lItemlParam = failed;
    SetWindowLongPtrW(host.window(), DWLP_MSGRESULT, 12345);

    for (const DWORD stage : {DWORD{CDDS_PREPAINT}, DWORD{CDDS_ITEMPREPAINT}})
    {
        record.draw.dwDrawStage = stage;
        EXPECT_EQ(SendMessageW(host.listWindow(), WM_NOTIFY, record.draw.hdr.idFrom,
                               reinterpret_cast<LPARAM>(&record)),
                  CDRF_DODEFAULT);
    }
    for (const unsigned char byte : record.guard)
        ASSERT_EQ(byte, 0xA5);
    EXPECT_EQ(GetWindowLongPtrW(host.window(), DWLP_MSGRESULT), 12345);
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

// Green and red in the normal colours and in high contrast (window black, text
// white); every row, the selected one too, reads at 4.5:1 or better.
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
        list.setItemData(0, restored);
        list.setItemData(1, failed);
        list.setItemData(2, failed);
        list.setStateImage(2, 1);
        list.setItemData(2, failed); // unchecked but still marked failed
        list.setItemData(4, restored);
        host.select({4}, 4);
        RedrawWindow(host.window(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        host.pump();
        GdiFlush();

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
    }
    SetSysColors(static_cast<int>(std::size(elements)), elements, normal);
}

TEST_F(ListBehaviour, UncheckingResetsTheStatusAndCheckingKeepsIt)
{
    addRows(2);
    for (const LPARAM status : {failed, restored})
    {
        list.setItemData(0, status);
        list.setStateImage(0, 1);
        EXPECT_EQ(list.itemData(0), unset);
        list.setStateImage(0, 2);
        EXPECT_EQ(list.itemData(0), unset) << "checking again does not bring the colour back";
    }
    // Checking an unchecked row leaves whatever status it holds; so does a
    // change that does not touch the box.
    list.setStateImage(1, 1);
    list.setItemData(1, failed);
    list.setStateImage(1, 2);
    EXPECT_EQ(list.itemData(1), failed);
    list.setItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    list.setItemText(1, 1, L"2024/01/02 03:04:05.006");
    EXPECT_EQ(list.itemData(1), failed);
    EXPECT_EQ(list.itemData(0), unset) << "row 0 untouched by row 1's changes";
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

// Typed while the window is busy: every key is down and up again before the
// list handles any of them, so only the state of each key message tells.
TEST(ListOnScreen, CtrlASelectsEveryRowOnlyWithoutShiftOrAlt)
{
    const struct
    {
        std::vector<WORD> held;
        size_t selected;
    } cases[] = {
        {{VK_CONTROL}, 4},
        {{VK_CONTROL, VK_SHIFT}, 1},
        {{VK_CONTROL, VK_MENU}, 1},
        {{}, 1},
    };
    testing_support::TempDir temp;
    ListDialog host(true);
    for (int row = 0; row < 4; ++row)
        host.view().addEntry(temp / (L"row" + std::to_wstring(row)));
    for (const auto& c : cases)
    {
        host.select({2}, 2);
        host.type(c.held, 'A');
        host.pump();
        EXPECT_EQ(host.selectedRows().size(), c.selected) << c.held.size() << " keys held";
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
    list.setItemData(0, failed);
    list.setItemData(1, restored);
    list.setItemData(2, failed);
    host.select({0, 1}, 1);
    host.pressKey(VK_SPACE);
    EXPECT_EQ(boxes(), (std::vector<int>{1, 1, 2}));
    EXPECT_EQ(list.itemData(0), unset);
    EXPECT_EQ(list.itemData(1), unset);
    EXPECT_EQ(list.itemData(2), failed);
}

TEST_F(ListBehaviour, F2AsksTheParentToEditBeforeItReturns)
{
    addRows(2);
    for (const std::vector<int>& selected : {std::vector<int>{1}, std::vector<int>{}})
    {
        host.commands.clear();
        host.select(selected, selected.empty() ? -1 : selected[0]);
        SendMessageW(host.listWindow(), WM_KEYDOWN, VK_F2, 0x003C0001);
        EXPECT_EQ(host.commands, std::vector<WPARAM>{IDM_EDIT});
        SendMessageW(host.listWindow(), WM_KEYUP, VK_F2, 0xC03C0001);
    }
    EXPECT_EQ(list.itemCount(), 2);
}

TEST_F(ListBehaviour, ADropOnTheListIsPostedToTheParent)
{
    const std::wstring name = temp.file(L"dropped.txt");
    const WPARAM drop = reinterpret_cast<WPARAM>(testing_support::makeDrop({name}));

    SendMessageW(host.listWindow(), WM_DROPFILES, drop, 0);
    EXPECT_TRUE(host.drops.empty()) << "posted, not sent";
    host.pump();
    EXPECT_EQ(host.drops, std::vector<WPARAM>{drop});
    EXPECT_EQ(list.itemCount(), 0) << "the list itself adds nothing";

    wchar_t dropped[MAX_PATH] = {};
    DragQueryFileW(reinterpret_cast<HDROP>(drop), 0, dropped, MAX_PATH);
    EXPECT_EQ(std::wstring(dropped), name);
    DragFinish(reinterpret_cast<HDROP>(drop));
}

} // namespace
