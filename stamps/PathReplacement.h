#pragma once

#include "stamps/Steps.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tkit
{
class FolderListing;
}

// What a replacement would do to the rows it applies to, as the replace
// dialog tells it before anything changes.
struct ReplacementCounts
{
    // Rows whose path the replacement changes; of those, the rows whose new
    // path names an entry on disk and the rows whose new path names nothing.
    int changed = 0;
    int found = 0;
    int notFound = 0;
    // Found rows that took the one file of their name with another extension.
    int byName = 0;
    // Pairs of rows that name one file once the replacement is done, at least
    // one of the two changed by it.
    int sharedPairs = 0;
    // Rows whose path would become one Windows cannot name: they stay as they are.
    int invalid = 0;

    friend bool operator==(const ReplacementCounts&, const ReplacementCounts&) = default;
};

// One row's new path.
struct PathChange
{
    int row;
    std::wstring path;
};

// Works out a replacement of text in the paths of some rows of the list,
// reading the disk but changing neither the rows nor the disk. Each folder
// that a new path leads into is listed once, however many rows lead there
// and however often the texts change.
class PathReplacement
{
public:
    // paths: every row's path, in the list's order; rows: the rows the
    // replacement applies to, in the same order.
    PathReplacement(std::vector<std::wstring> paths, std::vector<int> rows);
    ~PathReplacement();
    PathReplacement(const PathReplacement&) = delete;
    PathReplacement& operator=(const PathReplacement&) = delete;

    // Replaces every occurrence of find in each row's path with `with`, as
    // plain text, case ignored as Windows ignores it in names. With matchName,
    // a new path that names nothing takes the one file in its folder with the
    // same name and another extension, where there is exactly one and the row
    // is no folder. An empty find changes nothing. Stopped by its steps, the
    // plan is partial: complete() says whether it went through every row.
    const ReplacementCounts& plan(const std::wstring& find, const std::wstring& with,
                                  bool matchName, Steps& steps = Steps::none());
    bool complete() const { return whole; }
    const ReplacementCounts& counts() const { return planned; }
    // The rows the last plan changes, with their new paths, in the list's order.
    const std::vector<PathChange>& changes() const { return changed; }

private:
    enum class Found
    {
        No,
        Yes,
        ByName,
    };

    // Whether a row's new path names an entry; with matchName it may become
    // the one file of its name with another extension.
    Found locate(std::wstring& path, int row, bool matchName);
    // Whether a row's path names a folder.
    bool isFolder(int row);
    // The listing of a folder as a path names it (the text before its last name).
    const tkit::FolderListing& listing(const std::wstring& folder);
    int countSharedPairs() const;

    std::vector<std::wstring> paths;
    std::vector<int> rows;
    // Each row's full path, and the rows in the order of their full paths.
    std::vector<std::wstring> keys;
    std::vector<int> byKey;
    // Per row: whether the last plan changes it, and whether its path names a
    // folder (-1: not asked yet).
    std::vector<char> isChanged;
    std::vector<signed char> folderRows;
    std::map<std::wstring, std::unique_ptr<tkit::FolderListing>> folders;
    ReplacementCounts planned;
    bool whole = true;
    std::vector<PathChange> changed;
};
