#include "tkit/ui/FileDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace tkit
{

namespace
{

// The longest path the platform knows, and its null.
constexpr DWORD pathBuffer = 0x8000;

std::optional<std::wstring> ask(const FileDialog& dialog, const std::wstring& name, DWORD flags,
                                BOOL(WINAPI* run)(OPENFILENAMEW*))
{
    std::vector<wchar_t> path(pathBuffer, L'\0');
    name.copy(path.data(), std::min<size_t>(name.size(), pathBuffer - 1));
    OPENFILENAMEW request = {};
    request.lStructSize = sizeof(request);
    request.hwndOwner = dialog.owner;
    request.lpstrFilter = dialog.filter;
    request.nFilterIndex = 1;
    request.lpstrFile = path.data();
    request.nMaxFile = pathBuffer;
    request.lpstrDefExt = dialog.defaultExtension;
    // The program's current folder, which relative rows are read against, stays as it is.
    request.Flags = flags | OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    if (!run(&request))
        return std::nullopt;
    return std::wstring(path.data());
}

} // namespace

std::optional<std::wstring> FileDialog::askSavePath(const std::wstring& suggestedName) const
{
    return ask(*this, suggestedName, OFN_OVERWRITEPROMPT, GetSaveFileNameW);
}

std::optional<std::wstring> FileDialog::askOpenPath() const
{
    return ask(*this, L"", OFN_FILEMUSTEXIST, GetOpenFileNameW);
}

} // namespace tkit
