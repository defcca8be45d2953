#include "tkit/fs/FolderListing.h"

#include "tkit/fs/Attributes.h"
#include "tkit/fs/NameCase.h"
#include "tkit/fs/PathStrings.h"

#include <windows.h>

#include <algorithm>

namespace tkit
{

namespace
{

bool isDotEntry(const wchar_t* name)
{
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// "\\server" (or "\\?\UNC\server"), a separator after it or not: not a
// folder itself, yet its shares are.
bool isServer(const std::wstring& folder)
{
    const std::wstring plain = withoutLongPathPrefix(folder);
    const size_t separator = plain.find_first_of(L"\\/", 2);
    return plain.size() > 2 && plain.compare(0, 2, L"\\\\") == 0 &&
           (separator == std::wstring::npos || separator == plain.size() - 1);
}

// Orders files by stem, and a stem sought among them.
struct ByStem
{
    bool operator()(const FolderListing::Entry* a, std::wstring_view stem) const
    {
        return compareNames(nameStem(a->name), stem) < 0;
    }
    bool operator()(std::wstring_view stem, const FolderListing::Entry* b) const
    {
        return compareNames(stem, nameStem(b->name)) < 0;
    }
    bool operator()(const FolderListing::Entry* a, const FolderListing::Entry* b) const
    {
        return compareNames(nameStem(a->name), nameStem(b->name)) < 0;
    }
};

} // namespace

FolderListing::FolderListing(const std::wstring& folder)
{
    const std::wstring named = folder.empty() ? L"." : folder;
    const std::wstring pattern = platformName(addTrailingSeparator(named) + L"*");
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                   nullptr, 0);
    if (find == INVALID_HANDLE_VALUE)
    {
        // An empty drive root has no entry at all, not even "."; any other
        // failure is a folder that is not there, or one that cannot be read.
        const DWORD error = GetLastError();
        if (isDirectory(named.c_str()))
            listState = error == ERROR_FILE_NOT_FOUND ? State::Listed : State::Unlisted;
        else
            listState = isServer(named) ? State::Unlisted : State::Missing;
        return;
    }
    do
    {
        if (!isDotEntry(data.cFileName))
            entries.push_back(
                {data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(find, &data));
    FindClose(find);

    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return compareNames(a.name, b.name) < 0; });
    for (const Entry& entry : entries)
    {
        if (!entry.folder)
            files.push_back(&entry);
    }
    std::stable_sort(files.begin(), files.end(), ByStem());
}

const FolderListing::Entry* FolderListing::find(std::wstring_view name) const
{
    const auto at = std::lower_bound(entries.begin(), entries.end(), name,
                                     [](const Entry& entry, std::wstring_view sought) {
                                         return compareNames(entry.name, sought) < 0;
                                     });
    return at != entries.end() && compareNames(at->name, name) == 0 ? &*at : nullptr;
}

std::vector<const FolderListing::Entry*> FolderListing::filesWithStem(std::wstring_view stem) const
{
    const auto [first, last] = std::equal_range(files.begin(), files.end(), stem, ByStem());
    return std::vector<const Entry*>(first, last);
}

} // namespace tkit
