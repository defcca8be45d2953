#include "tkit/fs/FullPath.h"

#include <windows.h>

#include <vector>

namespace tkit
{

namespace
{

bool isSeparator(wchar_t ch)
{
    return ch == L'\\' || ch == L'/';
}

bool isDriveLetter(wchar_t ch)
{
    return (ch >= L'A' && ch <= L'Z') || (ch >= L'a' && ch <= L'z');
}

wchar_t upper(wchar_t ch)
{
    return ch >= L'a' && ch <= L'z' ? static_cast<wchar_t>(ch - L'a' + L'A') : ch;
}

bool startsWithDrive(const std::wstring& path)
{
    return path.size() >= 2 && isDriveLetter(path[0]) && path[1] == L':';
}

bool startsWithTwoSeparators(const std::wstring& path)
{
    return path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1]);
}

// Where the component that starts at or after from ends.
size_t componentEnd(const std::wstring& path, size_t from)
{
    while (from < path.size() && !isSeparator(path[from]))
        ++from;
    return from;
}

size_t skipSeparators(const std::wstring& path, size_t from)
{
    while (from < path.size() && isSeparator(path[from]))
        ++from;
    return from;
}

// The root of an absolute path with backslashes ("C:", "\\server\share",
// "\\.\device") and where its names begin.
struct Root
{
    std::wstring text;
    size_t rest = 0;
};

Root absoluteRoot(const std::wstring& path)
{
    Root root;
    if (startsWithDrive(path))
    {
        root.text = path.substr(0, 2);
        root.rest = 2;
        return root;
    }
    // "\\server\share" or "\\.\device": the two components after the leading pair.
    root.text = L"\\\\";
    size_t at = 2;
    for (int part = 0; part < 2; ++part)
    {
        if (part > 0)
        {
            at = skipSeparators(path, at);
            if (at >= path.size())
                break;
            root.text += L'\\';
        }
        const size_t end = componentEnd(path, at);
        root.text.append(path, at, end - at);
        at = end;
    }
    root.rest = at;
    return root;
}

std::wstring currentDirectory()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;)
    {
        const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0)
            return std::wstring();
        if (length < buffer.size())
            return std::wstring(buffer.data(), length);
        buffer.assign(length + 1, L'\0');
    }
}

// The current folder of a drive other than the current one: the platform
// keeps it in the environment variable "=X:"; without it, the drive's root.
std::wstring driveFolder(wchar_t drive)
{
    const wchar_t name[] = {L'=', upper(drive), L':', L'\0'};
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;)
    {
        const DWORD length =
            GetEnvironmentVariableW(name, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::wstring{upper(drive), L':', L'\\'};
        if (length < buffer.size())
            return std::wstring(buffer.data(), length);
        buffer.assign(length + 1, L'\0');
    }
}

// Whether the path is resolved against a current folder.
bool needsCurrentFolder(const std::wstring& path)
{
    if (startsWithTwoSeparators(path))
        return false;
    return !(startsWithDrive(path) && path.size() >= 3 && isSeparator(path[2]));
}

// Appends the names of path from position from to names, applying "." and "..".
void applyNames(std::vector<std::wstring>& names, const std::wstring& path, size_t from)
{
    for (size_t at = skipSeparators(path, from); at < path.size();
         at = skipSeparators(path, componentEnd(path, at)))
    {
        const size_t end = componentEnd(path, at);
        const size_t length = end - at;
        if (length == 1 && path[at] == L'.')
            continue;
        if (length == 2 && path[at] == L'.' && path[at + 1] == L'.')
        {
            if (!names.empty())
                names.pop_back();
            continue;
        }
        names.emplace_back(path, at, length);
    }
}

} // namespace

std::wstring fullPath(const std::wstring& path)
{
    return fullPath(path, needsCurrentFolder(path) ? currentDirectory() : std::wstring());
}

std::wstring fullPath(const std::wstring& path, const std::wstring& currentFolder)
{
    if (path.empty() || path.rfind(L"\\\\?\\", 0) == 0)
        return path;

    // The folder a relative path starts from, and where the path's own names begin.
    std::wstring base;
    size_t from = 0;
    if (startsWithTwoSeparators(path) ||
        (startsWithDrive(path) && path.size() >= 3 && isSeparator(path[2])))
    {
        from = 0;
    }
    else if (startsWithDrive(path))
    {
        const bool currentDrive =
            startsWithDrive(currentFolder) && upper(currentFolder[0]) == upper(path[0]);
        base = currentDrive ? currentFolder : driveFolder(path[0]);
        from = 2;
    }
    else if (isSeparator(path[0]))
    {
        // Rooted: the root of the current folder's drive or share.
        base = absoluteRoot(currentFolder).text;
    }
    else
    {
        base = currentFolder;
    }

    const std::wstring& absolute = base.empty() ? path : base;
    if (!startsWithDrive(absolute) && !startsWithTwoSeparators(absolute))
        return path;
    const Root root = absoluteRoot(absolute);
    std::vector<std::wstring> names;
    if (!base.empty())
        applyNames(names, base, root.rest);
    applyNames(names, path, base.empty() ? root.rest : from);

    std::wstring full = root.text;
    const bool drive = startsWithDrive(root.text);
    if (names.empty() && (drive || isSeparator(path.back())))
        full += L'\\';
    for (const std::wstring& name : names)
        full.append(1, L'\\').append(name);
    if (!names.empty() && isSeparator(path.back()))
        full += L'\\';
    return full;
}

size_t fullPathRootLength(const std::wstring& full)
{
    if (!startsWithDrive(full) && !startsWithTwoSeparators(full))
        return 0;
    const Root root = absoluteRoot(full);
    return root.rest < full.size() ? root.rest + 1 : root.rest;
}

} // namespace tkit
