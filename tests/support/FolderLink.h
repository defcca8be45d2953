#pragma once

#include <memory>
#include <string>
#include <vector>

namespace testing_support
{

// A symbolic link to a folder, removed (the link only, never its target) when
// the object goes away. Under Wine, where the platform's link call creates
// nothing, it is made as a Unix symbolic link, which Wine shows as a folder
// with the reparse-point attribute and its target's identity.
class FolderLink
{
public:
    FolderLink(const std::wstring& link, const std::wstring& target);
    ~FolderLink();
    FolderLink(const FolderLink&) = delete;
    FolderLink& operator=(const FolderLink&) = delete;

    // True when the link is there and leads to a folder.
    bool exists() const;

private:
    std::wstring linkPath;
    bool unixLink = false;
};

// Wine's Unix name of a Windows path; empty on Windows.
std::wstring wineUnixName(const std::wstring& path);

// The network share \\SERVER\SHARE served from a folder. Wine serves
// \\server\share from the link dosdevices\unc\server\share in its prefix; the
// link and the folders made for it go when the object goes. Nothing on Windows.
class WineShare
{
public:
    explicit WineShare(const std::wstring& target);
    ~WineShare();
    WineShare(const WineShare&) = delete;
    WineShare& operator=(const WineShare&) = delete;

    // "\\SERVER\SHARE" when the share is served, else empty.
    const std::wstring& path() const { return sharePath; }

private:
    std::vector<std::wstring> madeFolders;
    std::unique_ptr<FolderLink> link;
    std::wstring sharePath;
};

} // namespace testing_support
