#include "tkit/fs/PathStrings.h"

#include "tkit/fs/AsciiCase.h"
#include "tkit/fs/FullPath.h"

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <string_view>

namespace tkit
{

namespace
{

constexpr size_t prefixLength = 4;

// Whether a name is one the platform takes as a device wherever it stands:
// CON, PRN, AUX, NUL, COM1-9 and LPT1-9 (and the superscript 1 to 3 that
// newer systems accept), CONIN$ and CONOUT$, in any case, also with an
// extension ("nul.txt") or with spaces before it.
bool isDeviceName(const wchar_t* name, size_t length)
{
    size_t end = 0;
    while (end < length && name[end] != L'.' && name[end] != L':')
        ++end;
    while (end > 0 && name[end - 1] == L' ')
        --end;
    wchar_t upperName[8] = {};
    if (end < 3 || end > 7)
        return false;
    for (size_t i = 0; i < end; ++i)
        upperName[i] = asciiUpper(name[i]);
    const std::wstring_view base(upperName, end);
    if (base == L"CON" || base == L"PRN" || base == L"AUX" || base == L"NUL" || base == L"CONIN$" ||
        base == L"CONOUT$")
        return true;
    if (end != 4 || (base.substr(0, 3) != L"COM" && base.substr(0, 3) != L"LPT"))
        return false;
    const wchar_t digit = base[3];
    return (digit >= L'1' && digit <= L'9') || digit == L'\u00B9' || digit == L'\u00B2' ||
           digit == L'\u00B3';
}

// Whether the platform's resolution would change the name: drop its trailing
// dots or spaces, or turn it into a device.
bool isAlteredName(const wchar_t* name, size_t length)
{
    if (length == 0)
        return false;
    const wchar_t last = name[length - 1];
    return last == L'.' || last == L' ' || isDeviceName(name, length);
}

// Whether a path can need the prefix at all: the empty path, a prefixed one and
// the two console names (which the platform opens by these exact names) go as given.
bool mayNeedPrefix(const std::wstring& path)
{
    if (path.empty() || hasLongPathPrefix(path))
        return false;
    return path.size() > 7 ||
           (lstrcmpiW(path.c_str(), L"CONIN$") != 0 && lstrcmpiW(path.c_str(), L"CONOUT$") != 0);
}

// The prefixed form of a full path when it needs one, else empty.
std::wstring prefixedFull(const std::wstring& full)
{
    const size_t root = fullPathRootLength(full);
    if (root == 0)
        return std::wstring();
    bool needed = full.size() >= longPathThreshold;
    for (size_t at = root; !needed && at < full.size();)
    {
        size_t end = full.find(L'\\', at);
        if (end == std::wstring::npos)
            end = full.size();
        needed = isAlteredName(full.c_str() + at, end - at);
        at = end + 1;
    }
    if (!needed)
        return std::wstring();
    // "\\.\device\..." and "\\?\device\..." become "\\?\device\...",
    // "\\server\share\..." becomes "\\?\UNC\server\share\...".
    if (full[0] == L'\\' && (full[2] == L'.' || full[2] == L'?') &&
        (full.size() == 3 || full[3] == L'\\'))
        return longPathPrefix + full.substr(std::min<size_t>(full.size(), prefixLength));
    if (full[0] == L'\\')
        return longUncPrefix + full.substr(2);
    return longPathPrefix + full;
}

wchar_t lowered(wchar_t ch)
{
    // With a zero high word CharLowerW lowers the one character it is given.
    return static_cast<wchar_t>(reinterpret_cast<ULONG_PTR>(
        CharLowerW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(ch)))));
}

} // namespace

bool hasLongPathPrefix(const std::wstring& path)
{
    return path.size() >= prefixLength && path.compare(0, prefixLength, longPathPrefix) == 0;
}

std::wstring platformName(const std::wstring& path)
{
    std::wstring prefixed = prefixedName(path);
    return prefixed.empty() ? path : prefixed;
}

std::wstring platformName(const std::wstring& path, const std::wstring& currentFolder)
{
    std::wstring prefixed =
        mayNeedPrefix(path) ? prefixedFull(fullPath(path, currentFolder)) : std::wstring();
    return prefixed.empty() ? path : prefixed;
}

std::wstring prefixedName(const std::wstring& path)
{
    if (!mayNeedPrefix(path))
        return std::wstring();
    return prefixedFull(fullPath(path));
}

void appendWithoutLongPathPrefix(std::wstring& out, const std::wstring& path)
{
    if (!hasLongPathPrefix(path))
    {
        out.append(path);
        return;
    }
    const size_t uncLength = std::size(longUncPrefix) - 1;
    if (path.size() >= uncLength &&
        CompareStringOrdinal(path.c_str(), static_cast<int>(uncLength), longUncPrefix,
                             static_cast<int>(uncLength), TRUE) == CSTR_EQUAL)
        out.append(L"\\\\").append(path, uncLength);
    else
        out.append(path, prefixLength);
}

std::wstring withoutLongPathPrefix(const std::wstring& path)
{
    std::wstring result;
    appendWithoutLongPathPrefix(result, path);
    return result;
}

std::wstring addTrailingSeparator(const std::wstring& path)
{
    // A bare drive names its current folder: a separator would make it the root.
    if (path.empty() || (path.size() == 2 && path[1] == L':'))
        return path;
    size_t last = path.rfind(L'\\');
    wchar_t separator = L'\\';
    if (last == std::wstring::npos)
    {
        last = path.rfind(L'/');
        if (last != std::wstring::npos)
            separator = L'/';
    }
    if (last == path.size() - 1)
        return path;
    return path + separator;
}

std::wstring_view nameStem(std::wstring_view name)
{
    const size_t dot = name.rfind(L'.');
    return dot == std::wstring_view::npos || dot == 0 ? name : name.substr(0, dot);
}

bool isValidPath(const std::wstring& path)
{
    // The longest name the platform's file calls take.
    constexpr size_t longestPath = 32767;
    if (path.empty() || path.size() > longestPath)
        return false;
    size_t names = 0;
    if (path.compare(0, prefixLength, longPathPrefix) == 0 ||
        path.compare(0, prefixLength, L"\\\\.\\") == 0)
        names = prefixLength;
    if (path.size() >= names + 2 && path[names + 1] == L':' &&
        ((path[names] >= L'A' && path[names] <= L'Z') ||
         (path[names] >= L'a' && path[names] <= L'z')))
        names += 2;
    return std::none_of(
        path.begin() + static_cast<std::ptrdiff_t>(names), path.end(), [](wchar_t ch) {
            return ch < L' ' || std::wstring_view(L"<>:\"|?*").find(ch) != std::wstring_view::npos;
        });
}

void splitAtAny(StringList* list, const std::wstring& text, const wchar_t* separators)
{
    if (list == nullptr)
        return;
    const wchar_t* set = separators != nullptr ? separators : L"";
    size_t start = 0;
    for (;;)
    {
        const size_t found = *set != L'\0' ? text.find_first_of(set, start) : std::wstring::npos;
        const size_t end = found == std::wstring::npos ? text.size() : found;
        if (end > start)
            list->push_back(text.substr(start, end - start));
        if (found == std::wstring::npos)
            return;
        start = found + 1;
    }
}

bool wildcardMatch(const wchar_t* name, const wchar_t* pattern)
{
    if (name == nullptr)
        name = L"";
    if (pattern == nullptr)
        pattern = L"";
    // Walks both strings once, going back only to the most recent "*": that
    // star then takes one more name character. Gives the same answers as
    // trying every split at every star, without the cost that grows with the
    // name length raised to the number of stars.
    const wchar_t* starPattern = nullptr;
    const wchar_t* starName = nullptr;
    for (;;)
    {
        if (*pattern == L'*')
        {
            ++pattern;
            if (*pattern == L'\0')
                return true;
            starPattern = pattern;
            starName = name;
            continue;
        }
        if (*name == L'\0')
        {
            if (*pattern == L'\0')
                return true;
        }
        else if (*pattern == L'?' || (*pattern != L'\0' && lowered(*pattern) == lowered(*name)))
        {
            ++pattern;
            ++name;
            continue;
        }
        if (starPattern == nullptr || *starName == L'\0')
            return false;
        pattern = starPattern;
        name = ++starName;
    }
}

} // namespace tkit
