#include "tkit/fs/PathStrings.h"

#include "tkit/fs/FullPath.h"

#include <windows.h>

namespace tkit
{

namespace
{

constexpr size_t prefixLength = 4;

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

std::wstring withLongPathPrefix(const std::wstring& path)
{
    if (path.size() <= longPathThreshold || hasLongPathPrefix(path))
        return path;
    // Behind the prefix the platform takes every character literally: a relative
    // path, a forward slash or a "." component would name nothing. Resolve them
    // first, the way the platform itself resolves a short path.
    const std::wstring full = fullPath(path);
    if (full.rfind(L"\\\\.\\", 0) == 0)
        return longPathPrefix + full.substr(prefixLength);
    if (full.rfind(L"\\\\", 0) == 0)
        return std::wstring(longPathPrefix) + L"UNC\\" + full.substr(2);
    return longPathPrefix + full;
}

std::wstring withoutLongPathPrefix(const std::wstring& path)
{
    return hasLongPathPrefix(path) ? path.substr(prefixLength) : path;
}

std::wstring addTrailingSeparator(const std::wstring& path)
{
    if (path.empty())
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
