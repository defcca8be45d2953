#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace tkit
{

// What makes a folder the same folder whatever path leads to it: the volume
// and the file index. A link to a folder has the identity of its target.
struct FolderIdentity
{
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;

    bool operator==(const FolderIdentity&) const = default;
};

struct FolderIdentityHash
{
    size_t operator()(const FolderIdentity& id) const
    {
        const unsigned long long index =
            (static_cast<unsigned long long>(id.indexHigh) << 32) | id.indexLow;
        return std::hash<unsigned long long>()(index ^
                                               (static_cast<unsigned long long>(id.volume) << 17));
    }
};

// The identity of the folder a path leads to (the name for the platform as platformName decides
// it); none when it cannot be opened.
std::optional<FolderIdentity> folderIdentity(const std::wstring& path);

} // namespace tkit
