#pragma once

#include <memory>
#include <string>

namespace testing_support
{

// A link to a folder, removed (the link only, never its target) when the object
// goes away. On Windows it is a symbolic link, which needs developer mode (or
// an administrator). Under Wine, where the platform's link call creates nothing,
// it is a Unix symbolic link, which Wine shows as a folder with the
// reparse-point attribute and its target's identity.
class FolderLink
{
public:
    FolderLink(const std::wstring& link, const std::wstring& target);
    ~FolderLink();
    FolderLink(const FolderLink&) = delete;
    FolderLink& operator=(const FolderLink&) = delete;

    // True when the link is there and leads to a folder.
    bool exists() const;
    // Why Windows made no link (empty when it did, and always under Wine).
    const std::wstring& refusal() const { return refused; }

private:
    std::wstring linkPath;
    bool unixLink = false;
    std::wstring refused;
};

// \\SERVER\SHARE served from a folder, as Wine serves \\server\share: from a link
// dosdevices\unc\server\share in its prefix, removed when the object goes.
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
    std::wstring uncFolder;
    std::unique_ptr<FolderLink> link;
    std::wstring sharePath;
};

// A drive letter ("X:", the first free one from X down) that leads to a folder,
// removed when the object goes: on Windows a DOS device, under Wine a link
// dosdevices\x: in its prefix.
class MappedDrive
{
public:
    explicit MappedDrive(const std::wstring& target);
    ~MappedDrive();
    MappedDrive(const MappedDrive&) = delete;
    MappedDrive& operator=(const MappedDrive&) = delete;

    // "X:" when the drive leads to the folder, else empty.
    const std::wstring& drive() const { return name; }

private:
    std::wstring name;
    std::wstring unixLink;
};

// A volume on parent\volume that keeps whole seconds (ext4, 128-byte inodes) or 2 s (FAT,
// through FUSE), unmounted when the object goes; Wine as root only, else path() is empty.
class MountedVolume
{
public:
    MountedVolume(const std::wstring& parent, bool fat);
    ~MountedVolume();

    const std::wstring& path() const { return folder; }
    // Mounts the whole-seconds volume again for reading only; false when that failed.
    bool makeReadOnly() const;

private:
    std::wstring parentPath, unixParent, folder, unmount;
};

// A copy of a Unix shell at folder\running, running until the object goes;
// Wine only, else path() is empty. Linux refuses to open the file of a running
// program for writing, which Wine reports as a sharing violation.
class RunningProgram
{
public:
    explicit RunningProgram(const std::wstring& folder);
    ~RunningProgram();

    const std::wstring& path() const { return program; }

private:
    std::wstring program;
};

} // namespace testing_support
