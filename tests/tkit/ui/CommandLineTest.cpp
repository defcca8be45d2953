#include "tkit/ui/CommandLine.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <random>
#include <string>
#include <vector>

namespace
{

using tkit::CommandLine;
using tkit::StringList;

// Makes a wide string printable in a failure message (non-ASCII as \uXXXX).
std::string show(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text)
    {
        if (c >= 0x20 && c < 0x7F)
        {
            out += static_cast<char>(c);
        }
        else
        {
            char code[8];
            snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned>(c));
            out += code;
        }
    }
    return out;
}

std::string show(const StringList& list)
{
    std::string out = "[";
    for (const std::wstring& item : list)
        out += "<" + show(item) + ">";
    return out + "]";
}

struct ParseCase
{
    const wchar_t* input; // the text after the program's path
    StringList options;
    StringList parameters;
};

class ParseTable : public testing::TestWithParam<ParseCase>
{
};

TEST_P(ParseTable, SortsTokensIntoOptionsAndParameters)
{
    const ParseCase& c = GetParam();
    const CommandLine line((std::wstring(L"prog.exe ") + c.input).c_str());
    EXPECT_EQ(line.options(), c.options) << show(c.input) << " gave " << show(line.options());
    EXPECT_EQ(line.parameters(), c.parameters)
        << show(c.input) << " gave " << show(line.parameters());
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ParseTable,
    testing::Values(
        ParseCase{L"a b", {}, {L"a", L"b"}}, ParseCase{L"-r \"a b\" c", {L"r"}, {L"a b", L"c"}},
        ParseCase{L"\"\"", {}, {}}, ParseCase{L"\"a\"b c", {}, {L"a\"b c"}},
        ParseCase{L"a\"b c\"d e", {}, {L"ab c\"d e"}}, ParseCase{L"a\\\"b", {}, {L"a\\\"b"}},
        ParseCase{L"a\"b\\\"c\" d", {}, {L"ab\"c", L"d"}},
        ParseCase{L"\"a\\\" b\"", {}, {L"a\\", L"b"}},
        ParseCase{L"\"C:\\dir\\\" x", {}, {L"C:\\dir\\", L"x"}},
        ParseCase{L"a\"b\\\\\" c", {}, {L"ab\" c"}}, ParseCase{L"a\"\" b", {}, {L"a", L"b"}},
        ParseCase{L"ab\"c d", {}, {L"abc d"}}, ParseCase{L"\"abc", {}, {L"abc"}},
        ParseCase{L"-r -- -x", {L"r"}, {L"-x"}}, ParseCase{L"file -r", {}, {L"file", L"-r"}},
        ParseCase{L"/cc //x y", {L"cc"}, {L"y"}}, ParseCase{L"---x -y", {}, {L"-y"}},
        ParseCase{L"-a--b -/x", {L"a--b", L"/x"}, {}}, ParseCase{L"- /", {L"", L""}, {}},
        ParseCase{L"-R -Cr /CC", {L"R", L"Cr", L"CC"}, {}},
        // Spaces only separate; a tab is an ordinary character.
        ParseCase{L"   a    b   ", {}, {L"a", L"b"}}, ParseCase{L"a\tb", {}, {L"a\tb"}},
        ParseCase{L"-r\t-x", {L"r\t-x"}, {}}, ParseCase{L"", {}, {}},
        // A marker ends the options even before any parameter; later prefixes are parameters.
        ParseCase{L"// -r", {}, {L"-r"}}, ParseCase{L"-r \"-x y\" z", {L"r", L"x y"}, {L"z"}},
        // An empty quoted token vanishes wherever it stands.
        ParseCase{L"a \"\" b", {}, {L"a", L"b"}},
        // Even a doubled backslash keeps a quotation mark from opening a stretch.
        ParseCase{L"a\\\\\"b c\"", {}, {L"a\\\\\"b", L"c"}},
        // Non-ASCII units pass through untouched.
        ParseCase{L"\x65E5\x672C \"\xD83D\xDE00 x\"", {}, {L"\x65E5\x672C", L"\xD83D\xDE00 x"}}));

struct SplitCase
{
    const wchar_t* text; // the whole command line, program path included
    StringList tokens;
};

class SplitTable : public testing::TestWithParam<SplitCase>
{
};

TEST_P(SplitTable, FindsTheTokens)
{
    StringList tokens;
    tkit::splitCommandLine(GetParam().text, tokens);
    EXPECT_EQ(tokens, GetParam().tokens) << show(GetParam().text) << " gave " << show(tokens);
}

INSTANTIATE_TEST_SUITE_P(ProgramPath, SplitTable,
                         testing::Values(SplitCase{L"", {}}, SplitCase{L"     ", {}},
                                         SplitCase{L"\"C:\\Program Files\\cg.exe\" -r x",
                                                   {L"C:\\Program Files\\cg.exe", L"-r", L"x"}},
                                         SplitCase{L"\"\" -r x", {L"-r", L"x"}},
                                         SplitCase{L"\"a\"\"b\"", {L"a\"\"b"}},
                                         SplitCase{L"\"a\" ", {L"a"}}, SplitCase{L"x\"", {L"x"}},
                                         SplitCase{L"\"", {}}));

TEST(CommandLine, ProgramPathIsNotAnArgument)
{
    struct Case
    {
        const wchar_t* text;
        StringList arguments;
        StringList options;
        StringList parameters;
    };
    const Case cases[] = {
        {L"\"C:\\Program Files\\cg.exe\" -r -- x", {L"-r", L"--", L"x"}, {L"r"}, {L"x"}},
        // The empty quoted token goes, so "-r" is taken for the program's path.
        {L"\"\" -r x", {L"x"}, {}, {L"x"}},
        {L"", {}, {}, {}},
        {L"cg.exe", {}, {}, {}},
    };
    for (const Case& c : cases)
    {
        const CommandLine line(c.text);
        EXPECT_EQ(line.arguments(), c.arguments) << show(c.text);
        EXPECT_EQ(line.options(), c.options) << show(c.text);
        EXPECT_EQ(line.parameters(), c.parameters) << show(c.text);
    }
}

TEST(CommandLine, DefaultConstructionReadsTheProcessCommandLine)
{
    StringList tokens;
    tkit::splitCommandLine(GetCommandLineW(), tokens);
    ASSERT_FALSE(tokens.empty());
    tokens.erase(tokens.begin());
    const CommandLine line;
    EXPECT_EQ(line.arguments(), tokens);
}

TEST(EqualsIgnoreCase, FoldsOnlyAsciiLetters)
{
    struct Case
    {
        const wchar_t* a;
        const wchar_t* b;
        bool equal;
    };
    const Case cases[] = {
        {L"cr", L"CR", true},
        {L"Cc", L"cC", true},
        {L"r", L"R", true},
        {L"", L"", true},
        {L"", L"r", false},
        {L"r", L"", false},
        {L"r", L"rr", false},
        {L"cr", L"c", false},
        {L"AZ", L"az", true},
        // Neighbours of A and Z ("@" / "`", "[" / "{") are not letters.
        {L"@", L"`", false},
        {L"[", L"{", false},
        // Full-width, accented, Greek and Cyrillic letters compare exactly.
        {L"\xFF52", L"r", false},
        {L"\xFF32", L"\xFF52", false},
        {L"\x00C9", L"\x00E9", false},
        {L"\x0391", L"\x03B1", false},
        {L"\x0410", L"\x0430", false},
        {L"\x00C9", L"\x00C9", true},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(tkit::equalsIgnoreCase(c.a, c.b), c.equal) << show(c.a) << " vs " << show(c.b);
        EXPECT_EQ(tkit::equalsIgnoreCase(c.b, c.a), c.equal) << show(c.b) << " vs " << show(c.a);
    }
}

// True when every character of part appears in whole in the same order.
bool isSubsequence(const std::wstring& part, const std::wstring& whole)
{
    size_t at = 0;
    for (wchar_t c : part)
    {
        at = whole.find(c, at);
        if (at == std::wstring::npos)
            return false;
        ++at;
    }
    return true;
}

bool hasPrefix(const std::wstring& argument)
{
    return !argument.empty() && (argument[0] == L'-' || argument[0] == L'/');
}

// Checks that options and then parameters are drawn from arguments in order;
// returns an empty string or what went wrong.
std::string checkDrawnInOrder(const CommandLine& line)
{
    const StringList& arguments = line.arguments();
    size_t at = 0;
    for (const std::wstring& option : line.options())
    {
        while (at < arguments.size() &&
               !(hasPrefix(arguments[at]) &&
                 arguments[at].compare(1, std::wstring::npos, option) == 0))
            ++at;
        if (at == arguments.size())
            return "option <" + show(option) + "> not drawn in order";
        ++at;
    }
    for (const std::wstring& parameter : line.parameters())
    {
        while (at < arguments.size() && arguments[at] != parameter)
            ++at;
        if (at == arguments.size())
            return "parameter <" + show(parameter) + "> not drawn in order";
        ++at;
    }
    return {};
}

TEST(CommandLine, RandomLinesKeepTheInvariants)
{
    // Units that matter to the syntax, plus ordinary and non-ASCII ones.
    const std::vector<std::wstring> alphabet = {L" ",  L" ",  L" ",      L"\t",          L"\"",
                                                L"\"", L"\\", L"-",      L"/",           L"a",
                                                L"B",  L"z",  L"\x65E5", L"\xD83D\xDE00"};
    std::mt19937 random(20240607);
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 24);

    int failures = 0;
    for (int round = 0; round < 100000 && failures < 5; ++round)
    {
        std::wstring text;
        for (int n = length(random); n > 0; --n)
            text += alphabet[pick(random)];

        StringList tokens;
        tkit::splitCommandLine(text.c_str(), tokens);
        const CommandLine line(text.c_str());
        std::string problem;

        std::wstring joined;
        for (const std::wstring& token : tokens)
        {
            if (token.empty())
                problem = "empty token";
            joined += token;
        }
        // Tokens only ever lose characters of the text, never gain or reorder them.
        if (!isSubsequence(joined, text))
            problem = "tokens are not drawn from the text";
        if (!tokens.empty())
            tokens.erase(tokens.begin());
        if (line.arguments() != tokens)
            problem = "arguments differ from the tokens after the first";
        for (const std::wstring& parameter : line.parameters())
        {
            if (parameter.empty())
                problem = "empty parameter";
        }
        if (line.options().size() + line.parameters().size() > line.arguments().size())
            problem = "more options and parameters than arguments";
        if (problem.empty())
            problem = checkDrawnInOrder(line);
        if (!problem.empty())
        {
            ++failures;
            ADD_FAILURE() << problem << " for <" << show(text) << ">: arguments "
                          << show(line.arguments()) << " options " << show(line.options())
                          << " parameters " << show(line.parameters());
        }
    }
    EXPECT_EQ(failures, 0);
}

} // namespace
