#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace tkit
{

// What makes a file or folder the same one whatever path leads to it, and
// another one when it was deleted and made anew under the same name: the
// volume and the file id, 128 bits where the system has them (the 64-bit file
// index is not unique on every file system), else the 64-bit index in the low
// half. A link has the identity of its target.
struct EntryIdentity
{
    unsigned long long volume = 0;
    unsigned long long idLow = 0;
    unsigned long long idHigh = 0;

    // Some file systems (shares, say) report 0 for every file: no id at all.
    bool known() const { return idLow != 0 || idHigh != 0; }
    // An identity without an id is never taken for another, nor for itself.
    friend bool operator==(const EntryIdentity& a, const EntryIdentity& b)
    {
        return a.known() && a.volume == b.volume && a.idLow == b.idLow && a.idHigh == b.idHigh;
    }
};

struct EntryIdentityHash
{
    size_t operator()(const EntryIdentity& id) const
    {
        const std::hash<unsigned long long> hash;
        return hash(id.idLow) ^ (hash(id.idHigh) << 1) ^ (hash(id.volume) << 17);
    }
};

// The identity of the entry a path leads to (the name for the platform as platformName decides
// it); none when it cannot be opened.
std::optional<EntryIdentity> entryIdentity(const std::wstring& path);
// The identity of the entry a handle is open on; none when it cannot be read.
std::optional<EntryIdentity> openEntryIdentity(HANDLE handle);

} // namespace tkit
