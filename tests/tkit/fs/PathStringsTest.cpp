#include "tkit/fs/Attributes.h"
#include "tkit/fs/PathStrings.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

using testing_support::TempDir;

namespace
{

const std::wstring prefix = L"\\\\?\\";

// An absolute path of exactly the given length.
std::wstring pathOfLength(size_t length)
{
    std::wstring path = L"C:\\";
    while (path.size() < length)
        path += (path.size() % 10 == 9) ? L'\\' : L'a';
    if (path.back() == L'\\')
        path.back() = L'b';
    return path;
}

TEST(LongPathPrefix, DetectsOnlyTheWholePrefixAtTheStart)
{
    const struct
    {
        std::wstring path;
        bool expected;
    } cases[] = {
        {L"", false},           {L"\\\\?", false},      {L"\\\\?\\", true},
        {L"\\\\?\\C:\\", true}, {L"C:\\\\?\\x", false}, {L"\\\\.\\C:\\", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tkit::hasLongPathPrefix(c.path), c.expected) << c.path;
}

TEST(LongPathPrefix, IsAddedOnlyPastTheThresholdAndNeverTwice)
{
    const std::wstring at260 = pathOfLength(260);
    const std::wstring at261 = pathOfLength(261);
    const std::wstring prefixedLong = prefix + pathOfLength(400);
    ASSERT_EQ(at260.size(), 260u);
    ASSERT_EQ(at261.size(), 261u);

    EXPECT_EQ(tkit::withLongPathPrefix(at260), at260);
    EXPECT_EQ(tkit::withLongPathPrefix(at261), prefix + at261);
    EXPECT_EQ(tkit::withLongPathPrefix(prefixedLong), prefixedLong);
    EXPECT_EQ(tkit::withLongPathPrefix(L"\\\\?\\C:\\x"), L"\\\\?\\C:\\x");
    EXPECT_EQ(tkit::withLongPathPrefix(L""), L"");

    EXPECT_EQ(tkit::withoutLongPathPrefix(prefix + at261), at261);
    EXPECT_EQ(tkit::withoutLongPathPrefix(at261), at261);
    EXPECT_EQ(tkit::withoutLongPathPrefix(prefix), L"");
    EXPECT_EQ(tkit::withoutLongPathPrefix(L"\\\\?"), L"\\\\?");
}

// Behind the prefix the platform resolves nothing, so a long path is put into
// its absolute backslash form before the prefix goes in front.
TEST(LongPathPrefix, LongPathsAreResolvedBeforeThePrefixGoesOn)
{
    const std::wstring tail = pathOfLength(300).substr(3);
    std::wstring forward = L"C:/" + tail;
    for (wchar_t& ch : forward)
        ch = ch == L'\\' ? L'/' : ch;
    EXPECT_EQ(tkit::withLongPathPrefix(forward), prefix + L"C:\\" + tail);
    EXPECT_EQ(tkit::withLongPathPrefix(L"C:\\x\\.\\..\\" + tail), prefix + L"C:\\" + tail);
    EXPECT_EQ(tkit::withLongPathPrefix(L"\\\\server\\share\\" + tail),
              prefix + L"UNC\\server\\share\\" + tail);

    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    const std::wstring relative = tkit::withLongPathPrefix(tail);
    EXPECT_EQ(relative, prefix + tkit::addTrailingSeparator(current) + tail);
}

TEST(TrailingSeparator, FollowsTheLastSeparatorKind)
{
    const struct
    {
        std::wstring path;
        std::wstring expected;
    } cases[] = {
        {L"", L""},
        {L"C:\\dir", L"C:\\dir\\"},
        {L"C:\\dir\\", L"C:\\dir\\"},
        {L"C:", L"C:\\"},
        {L"name", L"name\\"},
        {L"a/b", L"a/b/"},
        {L"a/b/", L"a/b/"},
        {L"/", L"/"},
        {L"a\\b/", L"a\\b/\\"},
        {L"a/b\\c", L"a/b\\c\\"},
        {L"\\\\?\\C:/x", L"\\\\?\\C:/x\\"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tkit::addTrailingSeparator(c.path), c.expected) << c.path;
}

TEST(SplitAtAny, DropsEmptyPiecesAndKeepsWhatIsThere)
{
    const struct
    {
        std::wstring text;
        const wchar_t* separators;
        tkit::StringList expected;
    } cases[] = {
        {L";a;;b;", L";", {L"a", L"b"}},
        {L"", L";", {}},
        {L";;;", L";", {}},
        {L"whole text", L";", {L"whole text"}},
        {L"a;b", L"", {L"a;b"}},
        {L"a;b", nullptr, {L"a;b"}},
        {L" a ; b ", L";", {L" a ", L" b "}},
        {L"a;b,c d", L",; ", {L"a", L"b", L"c", L"d"}},
    };
    for (const auto& c : cases)
    {
        tkit::StringList list = {L"kept"};
        tkit::splitAtAny(&list, c.text, c.separators);
        tkit::StringList expected = {L"kept"};
        expected.insert(expected.end(), c.expected.begin(), c.expected.end());
        EXPECT_EQ(list, expected) << c.text;
    }
    tkit::splitAtAny(nullptr, L"a;b", L";");
}

TEST(WildcardMatch, StarQuestionMarkAndCase)
{
    const struct
    {
        const wchar_t* name;
        const wchar_t* pattern;
        bool expected;
    } cases[] = {
        {L"", L"*", true},
        {L"anything.txt", L"*", true},
        {L"README", L"*.*", false},
        {L"read.me", L"*.*", true},
        {L"ABC", L"a?c", true},
        {L"ac", L"a?c", false},
        {L"a.c", L"a?c", true},
        {L"abc", L"*c", true},
        {L"c", L"*c", true},
        {L"cb", L"*c", false},
        {L"a", L"a*", true},
        {L"", L"", true},
        {L"a", L"", false},
        {L"", L"?", false},
        {L"abcbcd", L"a*bcd", true},
        {L"abcbce", L"a*bcd", false},
        {L"mississippi", L"m*iss*ppi", true},
        {L"mississippi", L"m*iss*ppx", false},
        {L"ab", L"**b", true},
        {L"ＦＩＬＥ", L"ｆｉｌｅ", true},
        {L"ファイル.TXT", L"*.txt", true},
        {L"ÄBC", L"äbc", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tkit::wildcardMatch(c.name, c.pattern), c.expected)
            << c.name << L" ~ " << c.pattern;
}

TEST(WildcardMatch, ManyStarsOnALongNameFinishAtOnce)
{
    // Trying every split at every star would take longer than the universe.
    const std::wstring name(2000, L'a');
    EXPECT_FALSE(tkit::wildcardMatch(name.c_str(), L"*a*a*a*a*a*a*a*a*a*a*a*a*b"));
    EXPECT_TRUE(tkit::wildcardMatch(name.c_str(), L"*a*a*a*a*a*a*a*a*a*a*a*a"));
}

TEST(Attributes, ExistenceAndFolderTests)
{
    TempDir dir;
    const std::wstring file = dir.file(L"f.txt");
    const std::wstring folder = dir.folder(L"sub");
    const std::wstring missing = dir / L"missing";
    const struct
    {
        const wchar_t* path;
        bool exists;
        bool folder;
    } cases[] = {
        {nullptr, false, false},         {L"", false, false},
        {file.c_str(), true, false},     {folder.c_str(), true, true},
        {missing.c_str(), false, false},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(tkit::pathExists(c.path), c.exists) << (c.path ? c.path : L"(null)");
        EXPECT_EQ(tkit::isDirectory(c.path), c.folder) << (c.path ? c.path : L"(null)");
    }
}

TEST(Attributes, LongPathsAreReachedAndWritten)
{
    TempDir dir;
    std::wstring relative;
    while ((dir / relative).size() < 300)
        relative += L"フォルダ名前0123456789\\";
    const std::wstring folder = dir.folder(relative);
    const std::wstring file = dir.file(relative + L"file.txt");
    ASSERT_GT(file.size(), 300u);

    EXPECT_TRUE(tkit::isDirectory(folder.c_str()));
    EXPECT_TRUE(tkit::pathExists(file.c_str()));
    EXPECT_FALSE(tkit::isDirectory(file.c_str()));

    ASSERT_TRUE(
        tkit::setFileAttributes(file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    const std::optional<DWORD> attributes = tkit::fileAttributes(file.c_str());
    ASSERT_TRUE(attributes.has_value());
    EXPECT_EQ(*attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
              DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN});
    EXPECT_TRUE(tkit::setFileAttributes(file.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(*tkit::fileAttributes(file.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);

    EXPECT_FALSE(tkit::fileAttributes(nullptr).has_value());
    EXPECT_FALSE(tkit::setFileAttributes(nullptr, FILE_ATTRIBUTE_NORMAL));
    EXPECT_FALSE(tkit::setFileAttributes((dir / L"missing").c_str(), FILE_ATTRIBUTE_NORMAL));
}

// A folder written with forward slashes stays reachable past the threshold.
TEST(Attributes, ForwardSlashLongPathsAreReached)
{
    TempDir dir;
    std::wstring relative;
    while ((dir / relative).size() < 300)
        relative += L"abcdefghij\\";
    const std::wstring file = dir.file(relative + L"f");
    std::wstring forward = file;
    for (wchar_t& ch : forward)
        ch = ch == L'\\' ? L'/' : ch;
    EXPECT_TRUE(tkit::pathExists(forward.c_str()));
    EXPECT_FALSE(tkit::isDirectory(forward.c_str()));
}

} // namespace
