#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tkit
{

// The entries of one folder, listed once and then looked up by name or by
// name without extension, case ignored as Windows ignores it in names. Asking
// a listing is quicker than asking the platform about each name: Wine, for
// one, reads the whole folder for every name that is not there.
class FolderListing
{
public:
    enum class State
    {
        // The entries are known (there may be none).
        Listed,
        // There is no such folder, so nothing is in it.
        Missing,
        // The folder is there, or may be (a server's shares), but cannot be
        // listed: ask about each name instead.
        Unlisted,
    };
    struct Entry
    {
        std::wstring name;
        bool folder;
    };

    // Lists a folder given as a row names it: "" is the current folder, "D:"
    // that drive's current folder; a trailing separator may be there or not.
    explicit FolderListing(const std::wstring& folder);

    State state() const { return listState; }
    // The entry of that name, or null.
    const Entry* find(std::wstring_view name) const;
    // The files (not folders) whose name without extension (nameStem) is stem.
    std::vector<const Entry*> filesWithStem(std::wstring_view stem) const;

private:
    State listState = State::Listed;
    // Sorted by name.
    std::vector<Entry> entries;
    // The files among them, sorted by stem.
    std::vector<const Entry*> files;
};

} // namespace tkit
