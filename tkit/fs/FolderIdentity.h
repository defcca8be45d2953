#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace tkit
{

// What makes a folder the same folder whatever path leads to it: the volume
// and the file id, 128 bits where the system has them (the 64-bit file index
// is not unique on every file system), else the 64-bit index in the low half.
// A link to a folder has the identity of its target.
struct FolderIdentity
{
    unsigned long long volume = 0;
    unsigned long long idLow = 0;
    unsigned long long idHigh = 0;

    // Some file systems (shares, say) report 0 for every file: no id at all.
    bool known() const { return idLow != 0 || idHigh != 0; }
    // An identity without an id is never taken for another, nor for itself.
    friend bool operator==(const FolderIdentity& a, const FolderIdentity& b)
    {
        return a.known() && a.volume == b.volume && a.idLow == b.idLow && a.idHigh == b.idHigh;
    }
};

struct FolderIdentityHash
{
    size_t operator()(const FolderIdentity& id) const
    {
        const std::hash<unsigned long long> hash;
        return hash(id.idLow) ^ (hash(id.idHigh) << 1) ^ (hash(id.volume) << 17);
    }
};

// The identity of the folder a path leads to (the name for the platform as platformName decides
// it); none when it cannot be opened.
std::optional<FolderIdentity> folderIdentity(const std::wstring& path);

} // namespace tkit
