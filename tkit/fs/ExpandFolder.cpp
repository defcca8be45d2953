#include "tkit/fs/ExpandFolder.h"

#include "tkit/fs/FileSearch.h"
#include "tkit/fs/EntryIdentity.h"
#include "tkit/fs/PathStrings.h"

#include <memory>
#include <optional>
#include <unordered_set>
#include <vector>

namespace tkit
{

namespace
{

// One folder on the way down: its open search, whether it was reached through
// a link, and its identity once that has been read.
struct Level
{
    FileSearch search;
    bool link = false;
    std::optional<EntryIdentity> identity;
};

// The folders from the start folder down to the one being listed. The levels
// live on the heap, so the depth of a tree is bounded by the path length the
// platform allows, not by the call stack; a level's objects are kept for the
// next folder at the same depth.
//
// A folder already on the way down is not entered again, which cuts every
// cycle. Folders cannot be hard-linked, so a cycle needs a link (a symbolic
// link, junction or mount point, all reparse points) below the start folder:
// identities, which cost a platform open each, are read only when the entry
// or a level on the way down is such a link, and then once per level.
class DescentPath
{
public:
    // Starts listing a folder below the current one; false when it has nothing to list.
    bool enter(const wchar_t* folderPath, bool link, const std::optional<EntryIdentity>& identity)
    {
        if (depth == levels.size())
            levels.push_back(std::make_unique<Level>());
        Level& level = *levels[depth];
        if (level.search.first(folderPath, L"*") == nullptr)
            return false;
        level.link = link;
        level.identity = identity;
        if (identity && identified == depth)
        {
            remember(*identity);
            ++identified;
        }
        if (link)
            ++links;
        ++depth;
        return true;
    }

    void leave()
    {
        Level& level = *levels[--depth];
        level.search.close();
        if (identified > depth)
        {
            identified = depth;
            if (level.identity)
                identities.erase(*level.identity);
        }
        if (level.link)
            --links;
    }

    bool empty() const { return depth == 0; }
    FileSearch& current() { return levels[depth - 1]->search; }

    // Whether a folder entry of the current level must be checked against the way down.
    bool needsCheck(DWORD attributes) const
    {
        return links > 0 || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    }

    // Whether the folder is one of the levels; reads the levels' identities not read yet.
    bool contains(const EntryIdentity& identity)
    {
        for (; identified < depth; ++identified)
        {
            Level& level = *levels[identified];
            if (!level.identity)
                level.identity = entryIdentity(level.search.folder());
            if (level.identity)
                remember(*level.identity);
        }
        return identities.find(identity) != identities.end();
    }

private:
    // A folder whose file system gives no id is never taken for another.
    void remember(const EntryIdentity& identity)
    {
        if (identity.known())
            identities.insert(identity);
    }

    std::vector<std::unique_ptr<Level>> levels;
    size_t depth = 0;
    // Levels [0, identified) have had their identity read and put into the set.
    size_t identified = 0;
    // Levels reached through a link.
    size_t links = 0;
    std::unordered_set<EntryIdentity, EntryIdentityHash> identities;
};

} // namespace

void expandFolder(StringList* list, const wchar_t* folderPath,
                  const std::function<bool()>& keepGoing)
{
    if (list == nullptr || folderPath == nullptr)
        return;

    // Each search decides for itself how the platform is handed its folder, so
    // the folders are given in the caller's form.
    DescentPath path;
    if (!path.enter(folderPath, false, std::nullopt))
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
        // without a long-path prefix that the caller's folder carried.
        const std::wstring& folder = search.folder();
        std::wstring& listed = list->emplace_back();
        listed.reserve(folder.size() + static_cast<size_t>(lstrlenW(entry->cFileName)));
        appendWithoutLongPathPrefix(listed, folder);
        listed.append(entry->cFileName);
        if (keepGoing && !keepGoing())
            return;

        const DWORD attributes = entry->dwFileAttributes;
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            continue;
        // Folders are entered at once, so each comes directly before its contents.
        joined.assign(folder).append(entry->cFileName);
        std::optional<EntryIdentity> identity;
        if (path.needsCheck(attributes))
        {
            identity = entryIdentity(joined);
            if (identity && path.contains(*identity))
                continue;
        }
        path.enter(joined.c_str(), (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0, identity);
    }
}

} // namespace tkit
