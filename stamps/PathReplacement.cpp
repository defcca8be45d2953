#include "stamps/PathReplacement.h"

#include "tkit/fs/Attributes.h"
#include "tkit/fs/FolderListing.h"
#include "tkit/fs/FullPath.h"
#include "tkit/fs/NameCase.h"
#include "tkit/fs/PathStrings.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace
{

// Where a path's last name begins: after its last separator, or after the
// colon of a bare drive ("D:name").
size_t nameStart(const std::wstring& path)
{
    const size_t separator = path.find_last_of(L"\\/");
    if (separator != std::wstring::npos)
        return separator + 1;
    return path.size() >= 2 && path[1] == L':' ? 2 : 0;
}

// A name that a folder's listing does not hold: none, "." or "..".
bool isUnlistedName(std::wstring_view name)
{
    return name.empty() || name == L"." || name == L"..";
}

std::wstring replaceAll(const std::wstring& text, const std::wstring& find,
                        const std::wstring& with)
{
    size_t at = tkit::findName(text, find);
    if (at == std::wstring::npos)
        return text;
    std::wstring result;
    size_t from = 0;
    for (; at != std::wstring::npos; at = tkit::findName(text, find, from))
    {
        result.append(text, from, at - from).append(with);
        from = at + find.size();
    }
    return result.append(text, from);
}

bool keyBefore(const std::wstring& a, const std::wstring& b)
{
    return tkit::compareNames(a, b) < 0;
}

} // namespace

PathReplacement::PathReplacement(std::vector<std::wstring> rowPaths, std::vector<int> appliedTo)
    : paths(std::move(rowPaths)), rows(std::move(appliedTo)), isChanged(paths.size(), 0),
      folderRows(paths.size(), -1)
{
    keys.reserve(paths.size());
    for (const std::wstring& path : paths)
        keys.push_back(tkit::fullPath(path));
    byKey.resize(paths.size());
    for (size_t row = 0; row < byKey.size(); ++row)
        byKey[row] = static_cast<int>(row);
    std::sort(byKey.begin(), byKey.end(), [&](int a, int b) {
        return keyBefore(keys[static_cast<size_t>(a)], keys[static_cast<size_t>(b)]);
    });
}

PathReplacement::~PathReplacement() = default;

const ReplacementCounts& PathReplacement::plan(const std::wstring& find, const std::wstring& with,
                                               bool matchName, Steps& steps)
{
    planned = {};
    changed.clear();
    std::fill(isChanged.begin(), isChanged.end(), 0);
    whole = true;
    // The same text for both (as the dialog opens) changes no path.
    if (find.empty() || find == with)
        return planned;
    steps.setTotal(rows.size());
    for (const int row : rows)
    {
        if (!steps.advance())
        {
            whole = false;
            return planned;
        }
        const std::wstring& old = paths[static_cast<size_t>(row)];
        std::wstring path = replaceAll(old, find, with);
        if (path == old)
            continue;
        if (!tkit::isValidPath(path))
        {
            ++planned.invalid;
            continue;
        }
        ++planned.changed;
        switch (locate(path, row, matchName))
        {
        case Found::ByName:
            ++planned.byName;
            [[fallthrough]];
        case Found::Yes:
            ++planned.found;
            break;
        case Found::No:
            ++planned.notFound;
            break;
        }
        isChanged[static_cast<size_t>(row)] = 1;
        changed.push_back({row, std::move(path)});
    }
    planned.sharedPairs = countSharedPairs();
    return planned;
}

PathReplacement::Found PathReplacement::locate(std::wstring& path, int row, bool matchName)
{
    const size_t start = nameStart(path);
    const std::wstring_view name = std::wstring_view(path).substr(start);
    const auto asked = [&] { return tkit::pathExists(path.c_str()) ? Found::Yes : Found::No; };
    if (isUnlistedName(name))
        return asked();
    const tkit::FolderListing& folder = listing(path.substr(0, start));
    if (folder.state() == tkit::FolderListing::State::Unlisted)
        return asked();
    if (folder.find(name) != nullptr)
        return Found::Yes;
    if (!matchName || folder.state() == tkit::FolderListing::State::Missing || isFolder(row))
        return Found::No;
    const auto files = folder.filesWithStem(tkit::nameStem(name));
    if (files.size() != 1)
        return Found::No;
    path.replace(start, std::wstring::npos, files.front()->name);
    return Found::ByName;
}

bool PathReplacement::isFolder(int row)
{
    // Asked once per row: its path stays the same while the texts change.
    signed char& known = folderRows[static_cast<size_t>(row)];
    if (known != -1)
        return known != 0;
    const std::wstring& path = paths[static_cast<size_t>(row)];
    const size_t start = nameStart(path);
    const std::wstring_view name = std::wstring_view(path).substr(start);
    bool folder = true;
    if (!isUnlistedName(name))
    {
        const tkit::FolderListing& listed = listing(path.substr(0, start));
        const tkit::FolderListing::Entry* entry = listed.find(name);
        folder = listed.state() == tkit::FolderListing::State::Unlisted
                     ? tkit::isDirectory(path.c_str())
                     : entry != nullptr && entry->folder;
    }
    known = folder ? 1 : 0;
    return folder;
}

const tkit::FolderListing& PathReplacement::listing(const std::wstring& folder)
{
    std::unique_ptr<tkit::FolderListing>& listed = folders[folder];
    if (!listed)
        listed = std::make_unique<tkit::FolderListing>(folder);
    return *listed;
}

int PathReplacement::countSharedPairs() const
{
    // Changed rows that share a new path: each run of equal paths.
    std::vector<std::wstring> newKeys;
    newKeys.reserve(changed.size());
    for (const PathChange& change : changed)
        newKeys.push_back(tkit::fullPath(change.path));
    std::sort(newKeys.begin(), newKeys.end(), keyBefore);
    int pairs = 0;
    for (size_t at = 0; at < newKeys.size();)
    {
        size_t end = at + 1;
        while (end < newKeys.size() && !keyBefore(newKeys[at], newKeys[end]))
            ++end;
        const int run = static_cast<int>(end - at);
        pairs += run * (run - 1) / 2;
        at = end;
    }
    // A changed row and a row left as it was that already had its new path.
    if (changed.size() == paths.size())
        return pairs;
    const auto rowBefore = [&](int row, const std::wstring& key) {
        return keyBefore(keys[static_cast<size_t>(row)], key);
    };
    const auto beforeRow = [&](const std::wstring& key, int row) {
        return keyBefore(key, keys[static_cast<size_t>(row)]);
    };
    for (const std::wstring& key : newKeys)
    {
        const auto first = std::lower_bound(byKey.begin(), byKey.end(), key, rowBefore);
        const auto last = std::upper_bound(first, byKey.end(), key, beforeRow);
        pairs += static_cast<int>(std::count_if(
            first, last, [&](int row) { return isChanged[static_cast<size_t>(row)] == 0; }));
    }
    return pairs;
}
