#include "ListDialog.h"

#include "stamps/EntryStatus.h"
#include "stamps/Timestamp.h"
#include "support/FolderLink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using testing_support::ListDialog;
using testing_support::shownAs;
using testing_support::TempDir;
using testing_support::ticksPerMillisecond;

namespace
{

void expectNewRow(FileListView& list, int row)
{
    EXPECT_EQ(list.stateImage(row), 2) << "row " << row << " is checked";
    EXPECT_EQ(list.itemData(row), static_cast<LPARAM>(EntryStatus::Unset)) << "row " << row;
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
        EXPECT_EQ(list.itemText(row, 0), path);
        EXPECT_EQ(list.itemText(row, 1), c.text);
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
    EXPECT_EQ(list.itemText(0, 1), L"2020/06/15 10:20:30.040");
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
        EXPECT_EQ(list.itemText(static_cast<int>(row), 1), shownAs(times[paths[row]]));
        expectNewRow(list, static_cast<int>(row));
    }
}

TEST_F(Capture, AnEmptyFolderWithRecursionIsJustItsOwnRow)
{
    const std::wstring folder = temp.folder(L"empty");
    list.addPath(folder, true);
    EXPECT_EQ(host.column(0), std::vector<std::wstring>{folder});
    EXPECT_EQ(list.itemText(0, 1), shownAs(testing_support::lastWriteTicks(folder)));
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
    EXPECT_EQ(list.itemText(0, 1), list.itemText(1, 1));
    EXPECT_FALSE(list.itemText(1, 1).empty());
    expectNewRow(list, 0);
    expectNewRow(list, 1);

    list.setStateImage(0, 1);
    EXPECT_EQ(list.stateImage(0), 1);
    EXPECT_EQ(list.stateImage(1), 2) << "the other row keeps its own box";
}

TEST_F(Capture, AFileThatCannotBeOpenedGetsACheckedRowWithoutATime)
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
    EXPECT_EQ(host.column(1), (std::vector<std::wstring>{
                                  L"", L"", shownAs(testing_support::lastWriteTicks(good))}));
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
        EXPECT_EQ(list.itemText(static_cast<int>(i), 1), L"2022/02/22 22:22:22.222");
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
        EXPECT_EQ(list.itemText(static_cast<int>(row), 1), L"2022/02/22 22:22:22.222");
}

} // namespace
