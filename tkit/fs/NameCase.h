#pragma once

#include <string>
#include <string_view>

namespace tkit
{

// Case as Windows ignores it in file names: every letter that has a case, not
// only A to Z ("Ä" is "ä", a full-width "Ａ" is "ａ"), compared code unit by
// code unit after the system's own upper-casing (CompareStringOrdinal).

// Negative, zero or positive as a sorts before, with or after b; a total
// order, so that names can be sorted and searched by it.
int compareNames(std::wstring_view a, std::wstring_view b);
inline bool sameName(std::wstring_view a, std::wstring_view b)
{
    return a.size() == b.size() && compareNames(a, b) == 0;
}
// Where what first occurs in text at or after from, case ignored; npos when
// it does not (or when what is empty).
size_t findName(std::wstring_view text, std::wstring_view what, size_t from = 0);

} // namespace tkit
