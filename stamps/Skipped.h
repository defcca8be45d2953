#pragma once

#include <string>
#include <string_view>

// What a command over many rows or lines left out: how many, and the first of
// them in the list's or the text's order, to quote to the user.
struct Skipped
{
    int count = 0;
    std::wstring first;

    void add(std::wstring_view what)
    {
        if (count++ == 0)
            first = what;
    }
};
