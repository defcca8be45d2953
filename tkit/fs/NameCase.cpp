#include "tkit/fs/NameCase.h"

#include <windows.h>

#include <algorithm>

namespace tkit
{

namespace
{

// CompareStringOrdinal takes its lengths as int; longer strings than that are
// no names, and compare by their first 2^31 - 1 units.
int length(std::wstring_view text)
{
    return static_cast<int>(std::min<size_t>(text.size(), 0x7FFFFFFF));
}

} // namespace

int compareNames(std::wstring_view a, std::wstring_view b)
{
    return CompareStringOrdinal(a.data(), length(a), b.data(), length(b), TRUE) - CSTR_EQUAL;
}

size_t findName(std::wstring_view text, std::wstring_view what, size_t from)
{
    if (what.empty() || text.size() < what.size())
        return std::wstring_view::npos;
    for (size_t at = from; at <= text.size() - what.size(); ++at)
    {
        if (compareNames(text.substr(at, what.size()), what) == 0)
            return at;
    }
    return std::wstring_view::npos;
}

} // namespace tkit
