#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

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

    // The number of dropped names.
    UINT count() const;
    // One dropped name (at most 32767 characters).
    std::wstring name(UINT index) const;

    HDROP drop;
};

} // namespace tkit
