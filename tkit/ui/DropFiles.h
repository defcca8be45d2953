#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace tkit
{

// Owns the drop handle of one WM_DROPFILES message and releases it once.
class DropFiles
{
public:
    explicit DropFiles(HDROP drop);
    virtual ~DropFiles();
    DropFiles(const DropFiles&) = delete;
    DropFiles& operator=(const DropFiles&) = delete;

    // Every dropped name, in order (see namesOfDrop).
    std::vector<std::wstring> names() const { return namesOfDrop(drop); }

    HDROP drop;

    // Every name of a drop handle (a drop, or files on the clipboard), in order,
    // each at most 32767 characters, read in one pass over the handle's list.
    // Asked index by index, the platform walks the list from its start each
    // time: the names of 100,000 files would take minutes.
    static std::vector<std::wstring> namesOfDrop(HDROP drop);
};

} // namespace tkit
