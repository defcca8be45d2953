#pragma once

#include "tkit/fs/AsciiCase.h"
#include "tkit/fs/StringList.h"

#include <string>

namespace tkit
{

// Option names compare with equalsIgnoreCase (tkit/fs/AsciiCase.h).
// The process's command line split into arguments, option names and
// parameters. Built once and read-only afterwards.
class CommandLine
{
public:
    // Parses GetCommandLineW().
    CommandLine();
    // Parses the given text, which begins with the program's own path.
    explicit CommandLine(const wchar_t* text);
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    // Every token after the program's path, markers and options included.
    const StringList& arguments() const { return argumentList; }
    // The option tokens without their "-" or "/".
    const StringList& options() const { return optionList; }
    // The tokens that are neither options nor end-of-options markers.
    const StringList& parameters() const { return parameterList; }

private:
    void parse(const wchar_t* text);

    StringList argumentList;
    StringList optionList;
    StringList parameterList;
};

// Appends the non-empty tokens of text to tokens, in order.
void splitCommandLine(const wchar_t* text, StringList& tokens);

} // namespace tkit
