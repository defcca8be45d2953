#include "stamps/ListFile.h"

#include "support/Hosts.h"
#include "support/TempDir.h"
#include "stamps/FileListView.h"
#include "stamps/Restore.h"
#include "stamps/Timestamp.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

using testing_support::lastWriteTicks;
using testing_support::setLastWriteTicks;

namespace
{

std::string bytesOf(const std::wstring& path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Captured, saved, the window closed, the list opened again and restored in a
// new one: every file gets its whole time back, to the 100 ns. A time the file
// system here cannot hold (Wine on ext4 ends in 2446) is listed, not captured,
// and goes through the list whole. A list saved where the clock was nine hours
// ahead has local times nine hours off: its UTC column is the time. (Wine reads
// the zone once per process, from the Unix TZ, so one test process cannot save
// and open in two zones.)
TEST(ListFile, ARestoreFromASavedListPutsBackTheWholeTime)
{
    const struct
    {
        const char* name;
        unsigned long long ticks;
        bool otherZone = false;
    } cases[] = {
        {"digits below the millisecond",
         testing_support::localTicks(2023, 6, 7, 8, 9, 10, 7, 4321)},
        {"before 1970", testing_support::localTicks(1969, 7, 20, 20, 17, 40, 123, 4567)},
        {"in the year 9999", testing_support::localTicks(9999, 12, 31, 12, 0, 0, 999, 9999)},
        {"saved in another zone", testing_support::localTicks(2024, 7, 1, 1, 0, 0, 123, 4567),
         true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        testing_support::TempDir dir;
        const std::wstring file = dir.file(L"写真.jpg");
        const std::wstring saved = dir / L"一覧.txt";
        const bool held = setLastWriteTicks(file, c.ticks) && lastWriteTicks(file) == c.ticks;
        const FILETIME whole = testing_support::fileTimeOf(c.ticks);
        {
            testing_support::ListDialog host;
            if (held)
                host.view().addPath(file, false);
            else
                host.view().addRemembered(file, timestampText(whole), whole);
            ASSERT_EQ(saveList(host.view(), saved), DWORD{ERROR_SUCCESS});
        }
        if (c.otherZone)
        {
            const std::wstring here = timestampText(whole);
            const std::wstring there =
                timestampText(testing_support::fileTimeOf(c.ticks + 9 * 3600 * 10'000'000ULL));
            std::string bytes = bytesOf(saved);
            bytes.replace(bytes.find(std::string(here.begin(), here.end())), here.size(),
                          std::string(there.begin(), there.end()));
            std::ofstream(std::filesystem::path(saved), std::ios::binary) << bytes;
        }
        const unsigned long long before = lastWriteTicks(file);
        EXPECT_TRUE(!held || before == c.ticks) << "saving changes no listed file";
        ASSERT_TRUE(setLastWriteTicks(file, c.ticks / 2));
        testing_support::ListDialog host;
        Skipped refused;
        ASSERT_EQ(openList(host.view(), saved, false, refused), DWORD{ERROR_SUCCESS});
        EXPECT_EQ(refused.count, 0) << refused.first;
        EXPECT_EQ(testing_support::ticksOf(host.view().rowTime(0)->utc), c.ticks);
        EXPECT_EQ(host.view().timeText(0), timestampText(whole)) << "shown in the zone here";
        restoreCheckedRows(host.view());
        EXPECT_TRUE(!held || lastWriteTicks(file) == c.ticks) << lastWriteTicks(file);
        EXPECT_EQ(bytesOf(saved).substr(0, 3), "\xEF\xBB\xBF");
    }
}

TEST(ListFile, ASaveThatCannotReplaceTheFileLeavesItWhole)
{
    testing_support::TempDir dir;
    const std::wstring saved = dir.file(L"一覧.txt");
    {
        std::ofstream(std::filesystem::path(saved)) << "old";
    }
    SetFileAttributesW(saved.c_str(), FILE_ATTRIBUTE_READONLY);
    testing_support::ListDialog host;
    host.view().addPath(dir.file(L"a.txt"), false);
    EXPECT_EQ(saveList(host.view(), saved), DWORD{ERROR_ACCESS_DENIED});
    EXPECT_EQ(bytesOf(saved), "old");
    EXPECT_EQ(testing_support::platformOrder(dir.path()).size(), 2u) << "no temporary file is left";
    SetFileAttributesW(saved.c_str(), FILE_ATTRIBUTE_NORMAL);
}

} // namespace
