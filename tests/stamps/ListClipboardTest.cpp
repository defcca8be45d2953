#include "stamps/ListClipboard.h"

#include "support/Drops.h"
#include "support/Hosts.h"
#include "support/TempDir.h"
#include "stamps/FileListView.h"
#include "stamps/ListText.h"
#include "stamps/Timestamp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing_support::lastWriteTicks;
using testing_support::shownAs;

namespace
{

// Each line of a text, or copied files, pasted into a list; "copy" first copies the
// rows the text made (all selected), empties the list and pastes the copy.
// Relative paths are taken against the temporary folder.
TEST(ListClipboard, PastesGoodLinesAndCopiedFilesAndCountsTheLinesNotTaken)
{
    testing_support::TempDir dir;
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    SetCurrentDirectoryW(dir.path().c_str());
    const std::wstring a = dir.file(L"a.txt");
    const std::wstring tree = dir.folder(L"tree");
    const std::wstring b = dir.file(L"tree\\b.txt");
    const std::wstring gone = dir / L"gone.txt";
    const std::wstring aTime = shownAs(lastWriteTicks(a));
    const std::wstring bTime = shownAs(lastWriteTicks(b));
    const std::wstring treeTime = shownAs(lastWriteTicks(tree));
    const std::wstring some = L"2020/01/02 03:04:05.678";
    const std::wstring zoned = shownAs(133'486'058'456'780'000); // 2024-01-01 18:04:05.678 UTC
    const struct
    {
        const char* name;
        std::wstring text;
        std::vector<std::wstring> files;
        bool copy;
        std::vector<std::wstring> rows; // path, time, path, time ...
        int refused;
        std::wstring first;
        unsigned long long exact = 0; // the first row's whole time, where it holds one
    } cases[] = {
        {"good: a gone file keeps its time, a path alone or with no time reads it",
         gone + L"\t" + some + L"\r\n\r\n" + a + L"\n \n" + a + L"\t\r\n",
         {},
         false,
         {gone, some, a, aTime, a, aTime},
         0,
         L""},
        {"bad: no real date, no such path, no path, two tabs",
         L"x\t2023/02/30 12:00:00.000\r\n" + gone + L"\r\n\t" + some + L"\r\n" + a + L"\t" + some +
             L"\tmore",
         {},
         false,
         {},
         4,
         L"x\t2023/02/30 12:00:00.000"},
        {"mixed: the good lines are added, the folder with its tree",
         a + L"\tgarbage\n" + tree + L"\n" + a + L"\t2020-01-02T03:04:05.678",
         {},
         false,
         {tree, treeTime, b, bTime, a, some},
         1,
         a + L"\tgarbage",
         lastWriteTicks(tree)},
        {"a time with a zone names that instant; a zone that is none is refused; the UTC "
         "column wins over the local one, whole, and is never read as local time; the header",
         gone + L"\t1999/01/01 00:00:00.000\t2024-01-01T18:04:05.6789012Z\n" +
             std::wstring(listHeader) + L"\n" + gone + L"\t2024-01-01T18:04:05.678Z\n" + gone +
             L"\t2024-01-02T03:04:05.678+09:00\n" + gone + L"\t 2024-01-01 13:04:05.678 -0500 \n" +
             gone + L"\t2024-01-01T18:04:05.678+9\n" + gone + L"\t" + some + L"\t2024-01-01 18:04",
         {},
         false,
         {gone, zoned, gone, zoned, gone, zoned, gone, zoned},
         2,
         gone + L"\t2024-01-01T18:04:05.678+9",
         133'486'058'456'789'012},
        {"paths as Explorer copies them, in quotes; a byte-order mark; lines ended by CR",
         L"\xFEFF\"" + a + L"\"\r\"" + gone + L"\"\t" + some + L"\r" + a,
         {},
         false,
         {a, aTime, gone, some, a, aTime},
         0,
         L"",
         lastWriteTicks(a)},
        {"files copied in the shell, as a drop",
         L"",
         {tree, a},
         false,
         {tree, treeTime, b, bTime, a, aTime},
         0,
         L"",
         lastWriteTicks(tree)},
        {"copied rows come back, one without a time too, a relative one full",
         gone + L"\t" + some + L"\n" + a + L"\na.txt\t" + some,
         {},
         true,
         {gone, some, a, aTime, a, some},
         0,
         L"",
         testing_support::ticksOf(*timestampTime(some))},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        testing_support::ListDialog host;
        FileListView& list = host.view();
        const ListClipboard clipboard(list, host.window);
        testing_support::putOnClipboard(host.window, c.text, c.files);
        Skipped refused = clipboard.paste(true);
        if (c.copy)
        {
            list.setTimeText(1, L"");
            list.setStatus(0, EntryStatus::Failed);
            list.setResult(0, {RowOutcome::fileMissing});
            host.select({0, 1, 2}, 0);
            clipboard.copy();
            const std::wstring utc = utcTimestampText(*timestampTime(some));
            EXPECT_EQ(testing_support::clipboardText(), gone + L"\t" + some + L"\t" + utc +
                                                            L"\r\n" + a + L"\t\t\r\n" + a + L"\t" +
                                                            some + L"\t" + utc + L"\r\n");
            list.deleteAllItems();
            refused = clipboard.paste(true);
        }
        std::vector<std::wstring> rows;
        for (int row = 0; row < list.itemCount(); ++row)
            rows.insert(rows.end(), {list.path(row), list.timeText(row)});
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(host.column(2), std::vector<std::wstring>(rows.size() / 2, L"")) << "no result";
        EXPECT_EQ(refused.count, c.refused);
        EXPECT_EQ(refused.first, c.first);
        const std::optional<RowTime> held = list.itemCount() > 0 ? list.rowTime(0) : std::nullopt;
        EXPECT_EQ(held && held->exact ? testing_support::ticksOf(held->utc) : 0, c.exact);
    }
    SetCurrentDirectoryW(current);
}

} // namespace
