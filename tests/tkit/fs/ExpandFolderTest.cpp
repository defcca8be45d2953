#include "tkit/fs/ExpandFolder.h"

#include "support/FolderLink.h"
#include "support/TempDir.h"
#include "tkit/fs/Attributes.h"

#include <gtest/gtest.h>

#include <algorithm>

using testing_support::platformOrder;
using testing_support::sorted;
using testing_support::TempDir;

namespace
{

tkit::StringList expanded(const std::wstring& folder)
{
    tkit::StringList list;
    tkit::expandFolder(&list, folder.c_str());
    return list;
}

TEST(ExpandFolder, ListsEachFolderDirectlyBeforeItsContents)
{
    TempDir dir;
    const std::wstring a = dir.folder(L"A");
    dir.file(L"A\\f");
    dir.file(L"A\\B\\g");
    dir.file(L"A\\B\\C\\h");
    dir.folder(L"A\\B\\D");
    dir.file(L"A\\E\\i");

    // Pre-order built from the platform's own sibling order.
    tkit::StringList expected;
    struct Walk
    {
        static void into(tkit::StringList& out, const std::wstring& folder)
        {
            for (const std::wstring& name : platformOrder(folder))
            {
                out.push_back(folder + L"\\" + name);
                if (tkit::isDirectory(out.back().c_str()))
                    into(out, folder + L"\\" + name);
            }
        }
    };
    Walk::into(expected, a);
    ASSERT_EQ(expected.size(), 8u);

    const tkit::StringList list = expanded(a);
    EXPECT_EQ(list, expected);
    const auto b = std::find(list.begin(), list.end(), a + L"\\B");
    ASSERT_NE(b, list.end());
    EXPECT_EQ(std::find(list.begin(), list.end(), a), list.end());

    // The list is appended to; the separator is never doubled.
    tkit::StringList appended = {L"kept"};
    tkit::expandFolder(&appended, (a + L"\\").c_str());
    ASSERT_EQ(appended.size(), expected.size() + 1);
    EXPECT_EQ(appended.front(), L"kept");
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), appended.begin() + 1));
}

TEST(ExpandFolder, ForwardSlashFoldersJoinWithForwardSlashes)
{
    TempDir dir;
    dir.file(L"A\\B\\g");
    std::wstring forward = dir / L"A";
    std::replace(forward.begin(), forward.end(), L'\\', L'/');
    EXPECT_EQ(expanded(forward), (tkit::StringList{forward + L"/B", forward + L"/B/g"}));
    EXPECT_EQ(expanded(forward + L"/"), (tkit::StringList{forward + L"/B", forward + L"/B/g"}));
}

TEST(ExpandFolder, AppendsNothingWithoutAFolder)
{
    TempDir dir;
    const std::wstring file = dir.file(L"f");
    const std::wstring missing = dir / L"missing";
    const std::wstring empty = dir.folder(L"empty");
    const wchar_t* cases[] = {nullptr, file.c_str(), missing.c_str(), empty.c_str()};
    for (const wchar_t* path : cases)
    {
        tkit::StringList list;
        tkit::expandFolder(&list, path);
        EXPECT_TRUE(list.empty()) << (path ? path : L"(null)");
    }
    tkit::expandFolder(nullptr, dir.path().c_str());
}

TEST(ExpandFolder, ReachesEntriesPastTheLongPathThreshold)
{
    TempDir dir;
    std::wstring relative = L"top";
    while ((dir / relative).size() < 320)
        relative += L"\\深い階層のフォルダ";
    dir.file(relative + L"\\deep.txt");
    dir.folder(relative + L"\\deepest");
    const std::wstring top = dir / L"top";

    // Every folder on the way down and the two deepest entries, none prefixed,
    // whichever spelling of the start folder is used.
    tkit::StringList expected = {dir / relative + L"\\deep.txt", dir / relative + L"\\deepest"};
    for (size_t at = relative.find(L'\\'); at != std::wstring::npos;
         at = relative.find(L'\\', at + 1))
        expected.push_back(dir / relative.substr(0, relative.find(L'\\', at + 1)));
    ASSERT_GT(expected.front().size(), 330u);
    std::wstring forward = top;
    std::replace(forward.begin(), forward.end(), L'\\', L'/');
    const std::wstring starts[] = {top, top + L"\\", L"\\\\?\\" + top};
    for (const std::wstring& start : starts)
        EXPECT_EQ(sorted(expanded(start)), sorted(expected)) << start;

    // A forward-slash start keeps its forward slashes all the way down.
    const tkit::StringList list = expanded(forward);
    std::wstring deepForward = dir / relative + L"\\deep.txt";
    std::replace(deepForward.begin(), deepForward.end(), L'\\', L'/');
    EXPECT_NE(std::find(list.begin(), list.end(), deepForward), list.end());
}

TEST(ExpandFolder, HiddenAndSystemEntriesAreListed)
{
    TempDir dir;
    const std::wstring hidden = dir.file(L"hidden.txt");
    const std::wstring system = dir.file(L"system.txt");
    const std::wstring folder = dir.folder(L"secret");
    const std::wstring inside = dir.file(L"secret\\inside.txt");
    ASSERT_TRUE(tkit::setFileAttributes(tkit::PlatformPath(hidden), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(tkit::setFileAttributes(tkit::PlatformPath(system), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(tkit::setFileAttributes(
        tkit::PlatformPath(folder), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(sorted(expanded(dir.path())), sorted({hidden, system, folder, inside}));
}

TEST(ExpandFolder, ALinkBackToAnAncestorIsListedButNotEntered)
{
    TempDir dir;
    const std::wstring top = dir.folder(L"top");
    dir.file(L"top\\f");
    dir.file(L"top\\sub\\g");
    testing_support::FolderLink up(dir / L"top\\sub\\up", top);
    testing_support::FolderLink self(dir / L"top\\self", top);
    if (!up.refusal().empty())
        GTEST_SKIP() << up.refusal();
    ASSERT_TRUE(up.exists() && self.exists());

    EXPECT_EQ(sorted(expanded(top)), sorted({top + L"\\f", top + L"\\sub", top + L"\\sub\\g",
                                             top + L"\\sub\\up", top + L"\\self"}));
    // Started below the link's target, the cycle is cut where it closes.
    const std::wstring sub = top + L"\\sub";
    const tkit::StringList fromSub = expanded(sub);
    EXPECT_EQ(std::count(fromSub.begin(), fromSub.end(), sub + L"\\up\\sub"), 1);
    EXPECT_EQ(std::count(fromSub.begin(), fromSub.end(), sub + L"\\up\\sub\\g"), 0);
    EXPECT_EQ(std::count(fromSub.begin(), fromSub.end(), sub + L"\\up\\self"), 1);
    EXPECT_EQ(std::count(fromSub.begin(), fromSub.end(), sub + L"\\up\\f"), 1);
    EXPECT_EQ(fromSub.size(), 5u);
}

TEST(ExpandFolder, TwoLinksToTheSameNonAncestorAreBothEntered)
{
    TempDir dir;
    const std::wstring target = dir.file(L"target\\t");
    const std::wstring top = dir.folder(L"top");
    testing_support::FolderLink one(top + L"\\one", dir / L"target");
    testing_support::FolderLink two(top + L"\\two", dir / L"target");
    if (!one.refusal().empty())
        GTEST_SKIP() << one.refusal();
    ASSERT_TRUE(one.exists() && two.exists());
    EXPECT_EQ(sorted(expanded(top)),
              sorted({top + L"\\one", top + L"\\one\\t", top + L"\\two", top + L"\\two\\t"}));
}

TEST(ExpandFolder, DeepTreesDoNotExhaustTheStack)
{
    TempDir dir;
    std::wstring relative = L"d";
    for (int level = 1; level < 200; ++level)
        relative += L"\\d";
    dir.file(relative + L"\\leaf");
    const tkit::StringList list = expanded(dir.path());
    ASSERT_EQ(list.size(), 201u);
    // Pre-order of a chain: every entry extends the one before it.
    for (size_t i = 1; i < list.size(); ++i)
        EXPECT_EQ(list[i].substr(0, list[i - 1].size() + 1), list[i - 1] + L"\\") << i;
    EXPECT_EQ(list.back(), dir / relative + L"\\leaf");
}

} // namespace
