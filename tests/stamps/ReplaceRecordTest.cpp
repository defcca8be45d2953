#include "stamps/ReplaceRecord.h"

#include "support/Hosts.h"
#include "support/TempDir.h"
#include "stamps/FileListView.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// A replacement keeps each row's time and box and resets its colour; its undo
// finds the rows by identity after rows were deleted and added, leaves a row
// whose path was edited since, and when stopped keeps the rest for the next.
TEST(ReplaceRecord, UndoFindsItsRowsWhereverTheyMovedAndLeavesRowsEditedSince)
{
    testing_support::TempDir dir;
    testing_support::ListDialog host;
    FileListView& list = host.view();
    const auto at = [&](const wchar_t* name) { return dir / name; };
    const std::wstring time = L"2024/01/02 03:04:05.006";
    for (const wchar_t* name : {L"a", L"b", L"c", L"d"})
        list.addRemembered(at(name), time);
    list.setStatus(1, EntryStatus::Restored);
    list.setResult(1, {RowOutcome::unchanged});
    list.setChecked(2, false);
    ReplaceRecord record =
        ReplaceRecord::apply(list, {{1, at(L"B")}, {2, at(L"C")}, {3, at(L"D")}});
    EXPECT_EQ(host.column(0), (std::vector{at(L"a"), at(L"B"), at(L"C"), at(L"D")}));
    EXPECT_EQ(host.column(1), std::vector<std::wstring>(4, time));
    EXPECT_EQ((std::vector{list.status(1), list.status(3)}),
              (std::vector{EntryStatus::Unset, EntryStatus::Unset}));
    EXPECT_EQ((std::vector{list.isChecked(1), list.isChecked(2)}), (std::vector{true, false}));
    EXPECT_EQ(host.column(2), std::vector<std::wstring>(4, L"")) << "results go with the colour";

    list.deleteItem(0);
    list.addRemembered(at(L"C"), time);
    list.setPath(2, at(L"edited"));
    // Stopped after its first row, an undo keeps the rows it did not reach.
    struct : Steps
    {
        void setTotal(size_t) override {}
        bool advance() override { return false; }
    } stop;
    EXPECT_EQ(record.undo(list, stop).count, 0);
    EXPECT_EQ(host.column(0), (std::vector{at(L"b"), at(L"C"), at(L"edited"), at(L"C")}));
    const Skipped left = record.undo(list);
    EXPECT_EQ(host.column(0), (std::vector{at(L"b"), at(L"c"), at(L"edited"), at(L"C")}));
    EXPECT_EQ(list.status(0), EntryStatus::Restored);
    EXPECT_EQ(list.itemText(0, 2), L"変更なし") << "and come back with it";
    EXPECT_EQ(left.count, 1);
    EXPECT_EQ(left.first, at(L"edited"));
    EXPECT_TRUE(record.empty());
}

} // namespace
