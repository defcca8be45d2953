#include "tkit/fs/FullPath.h"

#include "tkit/fs/AsciiCase.h"

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

// The text of a platform call that fills a buffer and, when the buffer is too
// small, answers the size it needs: empty when the call fails.
template <typename Read>
std::wstring readGrowing(Read read)
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;)
    {
        const DWORD length = read(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::wstring();
        if (length < buffer.size())
            return std::wstring(buffer.data(), length);
        buffer.assign(length + 1, L'\0');
    }
}

std::wstring currentDirectory()
{
    return readGrowing(
        [](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
}

// The current folder of a drive other than the current one: the platform
// keeps it in the environment variable "=X:"; without it, the drive's root.
std::wstring driveFolder(wchar_t drive)
{
    const wchar_t name[] = {L'=', asciiUpper(drive), L':', L'\0'};
    std::wstring folder = readGrowing(
        [&](wchar_t* buffer, DWORD size) { return GetEnvironmentVariableW(name, buffer, size); });
    return folder.empty() ? std::wstring{asciiUpper(drive), L':', L'\\'} : folder;
}

// Whether the path is resolved against a current folder.
bool needsCurrentFolder(const std::wstring& path)
{
    if (startsWithTwoSeparators(path))
        return false;
    return !(startsWithDrive(path) && path.size() >= 3 && isSeparator(path[2]));
}

// Appends the names of path from position from to full, each after a
// backslash, applying "." and "..": ".." takes back the last name, never the
// root. starts holds where each name appended so far begins.
void appendNames(std::wstring& full, std::vector<size_t>& starts, const std::wstring& path,
                 size_t from)
{
    for (size_t at = skipSeparators(path, from); at < path.size();
         at = skipSeparators(path, componentEnd(path, at)))
    {
        const size_t length = componentEnd(path, at) - at;
        if (length == 1 && path[at] == L'.')
            continue;
        if (length == 2 && path[at] == L'.' && path[at + 1] == L'.')
        {
            if (!starts.empty())
            {
                full.resize(starts.back());
                starts.pop_back();
            }
            continue;
        }
        starts.push_back(full.size());
        full.append(1, L'\\').append(path, at, length);
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

    // The folder a relative path starts from (none for an absolute path), and
    // where the path's own names begin.
    std::wstring resolvedBase;
    const std::wstring* base = nullptr;
    size_t from = 0;
    if (startsWithDrive(path) && !(path.size() >= 3 && isSeparator(path[2])))
    {
        const bool currentDrive =
            startsWithDrive(currentFolder) && asciiUpper(currentFolder[0]) == asciiUpper(path[0]);
        if (!currentDrive)
            resolvedBase = driveFolder(path[0]);
        base = currentDrive ? &currentFolder : &resolvedBase;
        from = 2;
    }
    else if (isSeparator(path[0]) && !startsWithTwoSeparators(path))
    {
        // Rooted: the root of the current folder's drive or share.
        resolvedBase = absoluteRoot(currentFolder).text;
        base = &resolvedBase;
    }
    else if (!startsWithDrive(path) && !startsWithTwoSeparators(path))
    {
        base = &currentFolder;
    }

    const std::wstring& absolute = base != nullptr ? *base : path;
    if (!startsWithDrive(absolute) && !startsWithTwoSeparators(absolute))
        return path;
    const Root root = absoluteRoot(absolute);
    std::wstring full = root.text;
    full.reserve(root.text.size() + (base != nullptr ? base->size() + 1 : 0) + path.size() + 1);
    std::vector<size_t> starts;
    if (base != nullptr)
        appendNames(full, starts, *base, root.rest);
    appendNames(full, starts, path, base != nullptr ? from : root.rest);

    // A bare drive root keeps its backslash, and so does a path written with a
    // separator at its end.
    if ((starts.empty() && startsWithDrive(root.text)) || isSeparator(path.back()))
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
