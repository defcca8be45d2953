#include "tkit/fs/FileSearch.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

using testing_support::platformOrder;
using testing_support::sorted;
using testing_support::TempDir;

namespace
{

// The names a search hands out through next(), in order.
tkit::StringList namesFrom(tkit::FileSearch& search)
{
    tkit::StringList names;
    while (const WIN32_FIND_DATAW* entry = search.next())
        names.push_back(entry->cFileName);
    return names;
}

TEST(FileSearch, YieldsNothingWithoutAListableFolder)
{
    TempDir dir;
    const std::wstring file = dir.file(L"f.txt");
    const std::wstring empty = dir.folder(L"empty");
    const std::wstring missing = dir / L"missing";
    const std::wstring full = dir.path();
    const struct
    {
        const wchar_t* folder;
        const wchar_t* patterns;
    } cases[] = {
        {nullptr, L"*"},       {file.c_str(), L"*"}, {missing.c_str(), L"*"},
        {empty.c_str(), L"*"}, {full.c_str(), L""},  {full.c_str(), L";;"},
    };
    for (const auto& c : cases)
    {
        tkit::FileSearch search;
        EXPECT_EQ(search.first(c.folder, c.patterns), nullptr) << (c.folder ? c.folder : L"(null)");
        EXPECT_EQ(search.next(), nullptr);
    }

    tkit::FileSearch unused;
    EXPECT_EQ(unused.next(), nullptr);
}

TEST(FileSearch, HandsOutEveryEntryOnceFirstOneFromNext)
{
    TempDir dir;
    dir.file(L"a.txt");
    dir.file(L"b.log");
    dir.file(L"c");
    dir.folder(L"sub.txt");

    tkit::FileSearch search;
    const WIN32_FIND_DATAW* first = search.first(dir.path().c_str(), L"*");
    ASSERT_NE(first, nullptr);
    const std::wstring firstName = first->cFileName;
    const tkit::StringList names = namesFrom(search);
    EXPECT_EQ(names, platformOrder(dir.path()));
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), firstName);
    EXPECT_EQ(search.folder(), dir.path() + L"\\");
    // Running out leaves the search open, yet it keeps yielding nothing.
    EXPECT_EQ(search.next(), nullptr);

    search.close();
    EXPECT_EQ(search.next(), nullptr);
    EXPECT_EQ(search.folder(), dir.path() + L"\\");
}

TEST(FileSearch, KeepsNamesMatchingAnyPattern)
{
    TempDir dir;
    dir.file(L"a.txt");
    dir.file(L"B.TXT");
    dir.file(L"c.log");
    dir.file(L"d.ini");
    dir.file(L"txt");
    const struct
    {
        const wchar_t* patterns;
        tkit::StringList expected;
    } cases[] = {
        {L"*.txt", {L"B.TXT", L"a.txt"}},
        {L"*.txt;*.log", {L"B.TXT", L"a.txt", L"c.log"}},
        {L";*.log;;*.LOG;", {L"c.log"}},
        {L"?", {}},
        {L"*", {L"B.TXT", L"a.txt", L"c.log", L"d.ini", L"txt"}},
        {L"*.ini;*", {L"B.TXT", L"a.txt", L"c.log", L"d.ini", L"txt"}},
    };
    for (const auto& c : cases)
    {
        tkit::FileSearch search;
        search.first(dir.path().c_str(), c.patterns);
        EXPECT_EQ(sorted(namesFrom(search)), c.expected) << c.patterns;
    }
}

} // namespace
