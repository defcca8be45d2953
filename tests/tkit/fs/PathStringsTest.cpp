#include "tkit/fs/PathStrings.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

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

// What the file calls are handed for a path in a current folder: the prefixed
// full path from 260 characters or with a name the platform would change.
TEST(LongPathPrefix, ThePlatformIsHandedANameForExactlyTheListedEntry)
{
    const std::wstring cur = L"C:\\cur";
    const std::wstring at259 = pathOfLength(259);
    const std::wstring tail = pathOfLength(300).substr(3);
    std::wstring forward = L"C:/" + tail;
    std::replace(forward.begin(), forward.end(), L'\\', L'/');
    const std::wstring deep = pathOfLength(250); // with a name of 8 characters: 259
    const std::wstring unc = L"\\\\server\\share";
    const struct
    {
        std::wstring path;
        std::wstring current;
        std::wstring expected;
    } cases[] = {
        // Length of the full path: 259 goes as given, 260 and more get the prefix.
        {at259, cur, at259},
        {pathOfLength(260), cur, prefix + pathOfLength(260)},
        {pathOfLength(261), cur, prefix + pathOfLength(261)},
        {L"12345678", deep, L"12345678"},
        {L"123456789", deep, prefix + deep + L"\\123456789"},
        {L"..\\" + std::wstring(20, L'x'), deep,
         prefix + deep.substr(0, 239) + L"\\" + std::wstring(20, L'x')},
        // Forward slashes, "." and ".." are resolved behind the prefix.
        {L"C:/a/b", cur, L"C:/a/b"},
        {forward, cur, prefix + L"C:\\" + tail},
        {L"C:\\x\\.\\..\\" + tail, cur, prefix + L"C:\\" + tail},
        {L"C:\\a\\..\\b", cur, L"C:\\a\\..\\b"},
        {L"C:\\a\\.\\..\\\\report.", cur, prefix + L"C:\\report."},
        {L"sub/../memo ", cur, prefix + L"C:\\cur\\memo "},
        // Already prefixed, the empty path and the console names go as given.
        {prefix + pathOfLength(400), cur, prefix + pathOfLength(400)},
        {L"\\\\?\\C:\\x\\report.", cur, L"\\\\?\\C:\\x\\report."},
        {L"", cur, L""},
        {L"conin$", cur, L"conin$"},
        // Drive-relative and rooted paths.
        {L"C:rel", cur, L"C:rel"},
        {L"c:rel.", cur, prefix + L"C:\\cur\\rel."},
        {L"Q:rel.", cur, prefix + L"Q:\\rel."},
        {L"\\top\\report.", cur, prefix + L"C:\\top\\report."},
        {L"\\top\\report.", unc + L"\\cur", L"\\\\?\\UNC\\server\\share\\top\\report."},
        // Network paths: "\\server\share" becomes "\\?\UNC\server\share".
        {unc + L"\\a", cur, unc + L"\\a"},
        {unc + L"\\" + tail, cur, L"\\\\?\\UNC\\server\\share\\" + tail},
        {L"//server/share/memo ", cur, L"\\\\?\\UNC\\server\\share\\memo "},
        {L"report.", unc + L"\\d", L"\\\\?\\UNC\\server\\share\\d\\report."},
        {L"\\\\.\\C:\\x\\report.", cur, prefix + L"C:\\x\\report."},
        {L"\\\\.\\COM1", cur, L"\\\\.\\COM1"},
        // A trailing dot or space, anywhere in the path.
        {L"C:\\d\\report", cur, L"C:\\d\\report"},
        {L"C:\\d\\report.", cur, prefix + L"C:\\d\\report."},
        {L"C:\\d\\memo ", cur, prefix + L"C:\\d\\memo "},
        {L"C:\\d\\dirdot.\\f", cur, prefix + L"C:\\d\\dirdot.\\f"},
        {L"C:\\d\\.hidden\\a.b c", cur, L"C:\\d\\.hidden\\a.b c"},
        // Device names, in any case, with an extension or spaces, anywhere.
        {L"C:\\d\\nul.txt", cur, prefix + L"C:\\d\\nul.txt"},
        {L"C:\\d\\Com1", cur, prefix + L"C:\\d\\Com1"},
        {L"C:\\d\\aux .txt", cur, prefix + L"C:\\d\\aux .txt"},
        {L"C:\\d\\com\u00B9", cur, prefix + L"C:\\d\\com\u00B9"},
        {L"C:\\d\\prn\\f", cur, prefix + L"C:\\d\\prn\\f"},
        {L"C:\\d\\CONOUT$", cur, prefix + L"C:\\d\\CONOUT$"},
        {L"nul", cur, prefix + L"C:\\cur\\nul"},
        {L"C:\\d\\com0\\lpt10\\console\\nul0\\conx.txt", cur,
         L"C:\\d\\com0\\lpt10\\console\\nul0\\conx.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tkit::platformName(c.path, c.current), c.expected)
            << c.path << L" in " << c.current;

    // Without a current folder given, the process's own is used.
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_EQ(tkit::platformName(tail), tkit::platformName(tail, current));
    EXPECT_EQ(tkit::platformName(tail), prefix + tkit::addTrailingSeparator(current) + tail);

    // The prefix comes off as it went on.
    EXPECT_EQ(tkit::withoutLongPathPrefix(prefix + at259), at259);
    EXPECT_EQ(tkit::withoutLongPathPrefix(L"\\\\?\\UNC\\server\\share\\x"),
              L"\\\\server\\share\\x");
    EXPECT_EQ(tkit::withoutLongPathPrefix(at259), at259);
    EXPECT_EQ(tkit::withoutLongPathPrefix(prefix), L"");
    EXPECT_EQ(tkit::withoutLongPathPrefix(L"\\\\?"), L"\\\\?");
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
        {L"C:", L"C:"},
        {L"d:", L"d:"},
        {L"D:sub", L"D:sub\\"},
        {L"D:\\", L"D:\\"},
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
        // The pieces are appended to what the list holds.
        {L";a;;b;", L";", {L"kept", L"a", L"b"}},
        {L"", L";", {L"kept"}},
        {L";;;", L";", {L"kept"}},
        {L"whole text", L";", {L"kept", L"whole text"}},
        {L"a;b", L"", {L"kept", L"a;b"}},
        {L"a;b", nullptr, {L"kept", L"a;b"}},
        {L" a ; b ", L";", {L"kept", L" a ", L" b "}},
        {L"a;b,c d", L",; ", {L"kept", L"a", L"b", L"c", L"d"}},
    };
    for (const auto& c : cases)
    {
        tkit::StringList list = {L"kept"};
        tkit::splitAtAny(&list, c.text, c.separators);
        EXPECT_EQ(list, c.expected) << c.text;
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

} // namespace
