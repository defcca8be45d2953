#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tkit
{

// The system's Open and Save dialogs, for one kind of file. filter is the
// dialog's list of kinds: "description\0pattern\0" pairs ended by one more
// "\0"; the first kind is the one offered.
struct FileDialog
{
    HWND owner;
    const wchar_t* filter;
    // Added to a name typed without one.
    const wchar_t* defaultExtension;

    // A file to save to, the user asked before it is overwritten; none when cancelled.
    std::optional<std::wstring> askSavePath(const std::wstring& suggestedName) const;
    // An existing file to open; none when cancelled.
    std::optional<std::wstring> askOpenPath() const;
};

} // namespace tkit
