#include "tkit/ui/ListView.h"

#include "support/Hosts.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing_support::HostDialog;
using testing_support::RecordingList;

namespace
{

class ListViewTest : public testing::Test
{
protected:
    // The list as the program wraps it: every message goes on to the control.
    ListViewTest() : list(host.window, IDC_FILE_LIST, true)
    {
        list.insertColumn(0, L"name", 200);
        list.insertColumn(1, L"time", 100);
    }

    HostDialog host;
    RecordingList list;
};

TEST_F(ListViewTest, ItemTextComesBackWholeHoweverLong)
{
    // Around the first buffer's size and well beyond it, with a non-ASCII tail
    // so that a cut shows.
    for (size_t length : {size_t{0}, size_t{1}, size_t{2046}, size_t{2047}, size_t{2048},
                          size_t{2049}, size_t{4095}, size_t{4096}, size_t{5000}, size_t{40000}})
    {
        SCOPED_TRACE(length);
        std::wstring text(length, L'a');
        if (length > 0)
            text.back() = L'\x65E5';
        list.deleteAllItems();
        ASSERT_EQ(list.insertItem(0, text.c_str()), 0);
        list.setItemText(0, 1, text.c_str());
        EXPECT_EQ(list.itemText(0, 0), text);
        EXPECT_EQ(list.itemText(0, 1), text);
    }
    EXPECT_EQ(list.itemText(5, 0), L"") << "a row that does not exist";
}

TEST_F(ListViewTest, InsertColumnSetsLeftFormatTextAndWidthOnlyWhenGiven)
{
    EXPECT_EQ(list.insertColumn(2, L"third", -1), 2);
    EXPECT_EQ(list.insertColumn(0, L"first", 77), 0);
    const struct
    {
        int column;
        const wchar_t* text;
        int width; // -1: not checked
    } columns[] = {{0, L"first", 77}, {1, L"name", 200}, {2, L"time", 100}, {3, L"third", -1}};
    for (const auto& c : columns)
    {
        SCOPED_TRACE(c.column);
        wchar_t text[32] = {};
        LVCOLUMNW info = {};
        info.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
        info.pszText = text;
        info.cchTextMax = 32;
        ASSERT_TRUE(SendMessageW(list.window, LVM_GETCOLUMNW, static_cast<WPARAM>(c.column),
                                 reinterpret_cast<LPARAM>(&info)));
        EXPECT_STREQ(text, c.text);
        EXPECT_EQ(info.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
        if (c.width != -1)
        {
            EXPECT_EQ(info.cx, c.width);
        }
    }
}

TEST_F(ListViewTest, RowHelpersReadBackWhatTheyWrote)
{
    list.setExtendedStyle(list.extendedStyle() | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    EXPECT_EQ(list.extendedStyle() & (LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT),
              static_cast<DWORD>(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT));

    EXPECT_EQ(list.insertItem(0, L"b"), 0);
    EXPECT_EQ(list.insertItem(1, L"c"), 1);
    EXPECT_EQ(list.insertItem(0, L"a"), 0);
    EXPECT_EQ(list.itemCount(), 3);
    EXPECT_EQ(list.itemText(1, 0), L"b");

    // Item data keeps all 64 bits and negative values.
    const LPARAM values[] = {-1, 1, static_cast<LPARAM>(0x123456789LL)};
    for (int row = 0; row < 3; ++row)
        list.setItemData(row, values[row]);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(list.itemData(row), values[row]) << row;
    EXPECT_EQ(list.itemData(7), 0) << "a row that does not exist";

    // New rows start unchecked; the box flips by its state image.
    EXPECT_EQ(list.stateImage(0), 1);
    list.setStateImage(2, 2);
    EXPECT_EQ(list.stateImage(2), 2);
    EXPECT_EQ(list.stateImage(1), 1);
    EXPECT_EQ(list.itemState(2, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2));

    // Row -1 selects every row; nextItem walks them from the start.
    list.setItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    std::vector<int> selected;
    for (int row = list.nextItem(-1, LVNI_SELECTED); row != -1;
         row = list.nextItem(row, LVNI_SELECTED))
        selected.push_back(row);
    EXPECT_EQ(selected, (std::vector<int>{0, 1, 2}));
    list.setItemState(1, 0, LVIS_SELECTED);
    EXPECT_EQ(list.itemState(1, LVIS_SELECTED), 0u);
    EXPECT_EQ(list.nextItem(0, LVNI_SELECTED), 2);
    EXPECT_EQ(list.stateImage(2), 2) << "selecting left the check box alone";

    list.setRedraw(false);
    list.deleteItem(0);
    list.setRedraw(true);
    EXPECT_EQ(list.itemCount(), 2);
    EXPECT_EQ(list.itemText(0, 0), L"b");
    EXPECT_EQ(list.itemData(0), 1);
    list.deleteAllItems();
    EXPECT_EQ(list.itemCount(), 0);
    EXPECT_EQ(list.nextItem(-1, LVNI_ALL), -1);
}

// Making room is only a hint: whatever size is named, even one below the rows
// already there, the rows keep their texts, boxes, data and selection.
TEST_F(ListViewTest, ReservingRowsLeavesTheRowsAsTheyWere)
{
    list.setExtendedStyle(list.extendedStyle() | LVS_EX_CHECKBOXES);
    for (int row = 0; row < 3; ++row)
    {
        list.insertItem(row, (L"row " + std::to_wstring(row)).c_str());
        list.setItemText(row, 1, L"2024/05/03 10:23:36.123");
        list.setItemData(row, row - 1);
    }
    list.setStateImage(1, 2);
    list.setItemState(2, LVIS_SELECTED, LVIS_SELECTED);

    for (size_t rows : {size_t{100000}, size_t{1}, size_t{0x100000000}})
    {
        list.reserveItems(rows);
        ASSERT_EQ(list.itemCount(), 3) << rows;
        for (int row = 0; row < 3; ++row)
        {
            EXPECT_EQ(list.itemText(row, 0), L"row " + std::to_wstring(row)) << rows;
            EXPECT_EQ(list.itemText(row, 1), L"2024/05/03 10:23:36.123") << rows;
            EXPECT_EQ(list.itemData(row), row - 1) << rows;
            EXPECT_EQ(list.stateImage(row), row == 1 ? 2 : 1) << rows;
        }
        EXPECT_EQ(list.nextItem(-1, LVNI_SELECTED), 2) << rows;
        EXPECT_EQ(list.nextItem(2, LVNI_SELECTED), -1) << rows;
    }
    EXPECT_EQ(list.insertItem(list.itemCount(), L"next"), 3);
}

} // namespace
