#include "tkit/fs/ExpandFolder.h"

#include "tkit/fs/FileSearch.h"
#include "tkit/fs/FolderIdentity.h"
#include "tkit/fs/PathStrings.h"

#include <memory>
#include <optional>
#include <unordered_set>
#include <vector>

namespace tkit
{

namespace
{

// One folder on the way down: its open search and, when it could be read,
// its identity.
struct Level
{
    FileSearch search;
    std::optional<FolderIdentity> identity;
};

// The folders from the start folder down to the one being listed. The levels
// live on the heap, so the depth of a tree is bounded by the path length the
// platform allows, not by the call stack; a level's objects are kept for the
// next folder at the same depth.
class DescentPath
{
public:
    // Starts listing a folder below the current one; false when it has nothing to list.
    bool enter(const wchar_t* folderPath, const std::optional<FolderIdentity>& identity)
    {
        if (depth == levels.size())
            levels.push_back(std::make_unique<Level>());
        Level& level = *levels[depth];
        if (level.search.first(folderPath, L"*") == nullptr)
            return false;
        level.identity = identity;
        if (identity)
            identities.insert(*identity);
        ++depth;
        return true;
    }

    void leave()
    {
        Level& level = *levels[--depth];
        level.search.close();
        if (level.identity)
            identities.erase(*level.identity);
    }

    bool empty() const { return depth == 0; }
    FileSearch& current() { return levels[depth - 1]->search; }
    bool contains(const FolderIdentity& identity) const
    {
        return identities.find(identity) != identities.end();
    }

private:
    std::vector<std::unique_ptr<Level>> levels;
    size_t depth = 0;
    // The identities of the levels in use; a folder already on the way down
    // is not entered again, which cuts every cycle made by links.
    std::unordered_set<FolderIdentity, FolderIdentityHash> identities;
};

} // namespace

void expandFolder(StringList* list, const wchar_t* folderPath)
{
    if (list == nullptr || folderPath == nullptr)
        return;

    DescentPath path;
    const std::wstring searchPath = withLongPathPrefix(folderPath);
    if (!path.enter(searchPath.c_str(), folderIdentity(searchPath)))
        return;

    std::wstring joined;
    while (!path.empty())
    {
        FileSearch& search = path.current();
        const WIN32_FIND_DATAW* entry = search.next();
        if (entry == nullptr)
        {
            path.leave();
            continue;
        }

        // The entry's path as listed: the folder (with its separator) and the name,
        // without the long-path prefix the search may carry.
        const std::wstring& folder = search.folder();
        const size_t skip = hasLongPathPrefix(folder) ? 4 : 0;
        std::wstring& listed = list->emplace_back();
        listed.reserve(folder.size() - skip + lstrlenW(entry->cFileName));
        listed.append(folder, skip).append(entry->cFileName);

        if ((entry->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            continue;
        // Folders are entered at once, so each comes directly before its contents.
        joined.assign(folder).append(entry->cFileName);
        const std::optional<FolderIdentity> identity = folderIdentity(joined);
        if (identity && path.contains(*identity))
            continue;
        path.enter(joined.c_str(), identity);
    }
}

} // namespace tkit
