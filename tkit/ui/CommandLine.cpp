#include "tkit/ui/CommandLine.h"

#include <windows.h>

namespace tkit
{

namespace
{

constexpr wchar_t space = L' ';
constexpr wchar_t quote = L'"';
constexpr wchar_t backslash = L'\\';

bool endsToken(const wchar_t* at)
{
    return *at == space || *at == L'\0';
}

// A plain token in which a quotation mark opened a quoted stretch: the opening
// mark goes, a closing mark at the end goes, and every backslash in front of a
// quotation mark goes.
void cleanUp(std::wstring& token, size_t firstQuote)
{
    token.erase(firstQuote, 1);
    const size_t length = token.size();
    if (length > 0 && token[length - 1] == quote && (length == 1 || token[length - 2] != backslash))
        token.pop_back();
    for (size_t pair = token.find(L"\\\""); pair != std::wstring::npos; pair = token.find(L"\\\""))
        token.erase(pair, 1);
}

// Reads the quoted token whose opening mark is at text[-1]; returns the
// position after the token and its separator.
const wchar_t* readQuoted(const wchar_t* start, std::wstring& token)
{
    for (const wchar_t* at = start; *at != L'\0'; ++at)
    {
        if (*at == quote && endsToken(at + 1))
        {
            token.assign(start, at);
            ++at;
            return *at == space ? at + 1 : at;
        }
    }
    token.assign(start);
    return start + token.size();
}

const wchar_t* readPlain(const wchar_t* start, std::wstring& token)
{
    bool inside = false;
    const wchar_t* firstQuote = nullptr;
    const wchar_t* at = start;
    for (; *at != L'\0'; ++at)
    {
        const bool escaped = at != start && at[-1] == backslash;
        if (!inside && *at == space)
        {
            token.assign(start, at);
            return at + 1;
        }
        if (*at != quote || escaped)
            continue;
        if (inside && endsToken(at + 1))
        {
            token.assign(start, at + 1);
            cleanUp(token, static_cast<size_t>(firstQuote - start));
            ++at;
            return *at == space ? at + 1 : at;
        }
        if (!inside)
            firstQuote = at;
        inside = true;
    }
    token.assign(start, at);
    if (inside)
        cleanUp(token, static_cast<size_t>(firstQuote - start));
    return at;
}

bool isPrefix(wchar_t c)
{
    return c == L'-' || c == L'/';
}

} // namespace

CommandLine::CommandLine()
{
    parse(GetCommandLineW());
}

CommandLine::CommandLine(const wchar_t* text)
{
    parse(text);
}

void CommandLine::parse(const wchar_t* text)
{
    splitCommandLine(text, argumentList);
    if (argumentList.empty())
        return;
    // The first token is the program's own path.
    argumentList.erase(argumentList.begin());

    bool optionsEnded = false;
    for (const std::wstring& argument : argumentList)
    {
        if (!optionsEnded && isPrefix(argument[0]))
        {
            // "--" or "//" ends the options and is neither an option nor a parameter.
            if (argument.size() >= 2 && argument[1] == argument[0])
                optionsEnded = true;
            else
                optionList.push_back(argument.substr(1));
            continue;
        }
        optionsEnded = true;
        parameterList.push_back(argument);
    }
}

void splitCommandLine(const wchar_t* text, StringList& tokens)
{
    if (text == nullptr)
        return;
    const wchar_t* cursor = text;
    std::wstring token;
    for (;;)
    {
        while (*cursor == space)
            ++cursor;
        if (*cursor == L'\0')
            return;
        cursor = *cursor == quote ? readQuoted(cursor + 1, token) : readPlain(cursor, token);
        if (!token.empty())
            tokens.push_back(token);
    }
}

} // namespace tkit
