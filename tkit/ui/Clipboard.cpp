#include "tkit/ui/Clipboard.h"

#include "tkit/ui/DropFiles.h"

#include <shellapi.h>

#include <cstring>

namespace tkit
{

Clipboard::Clipboard(HWND owner) : open(OpenClipboard(owner) != FALSE) {}

Clipboard::~Clipboard()
{
    if (open)
        CloseClipboard();
}

bool Clipboard::setText(const std::wstring& text)
{
    if (!open || !EmptyClipboard())
        return false;
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (block == nullptr)
        return false;
    void* data = GlobalLock(block);
    if (data == nullptr)
    {
        GlobalFree(block);
        return false;
    }
    std::memcpy(data, text.c_str(), bytes);
    GlobalUnlock(block);
    // Once set, the block belongs to the clipboard.
    if (SetClipboardData(CF_UNICODETEXT, block) == nullptr)
    {
        GlobalFree(block);
        return false;
    }
    return true;
}

std::optional<std::wstring> Clipboard::text() const
{
    if (!open)
        return std::nullopt;
    HANDLE block = GetClipboardData(CF_UNICODETEXT);
    if (block == nullptr)
        return std::nullopt;
    const auto* data = static_cast<const wchar_t*>(GlobalLock(block));
    if (data == nullptr)
        return std::nullopt;
    // The text ends at its null or at the end of the block, whichever comes first.
    const size_t limit = GlobalSize(block) / sizeof(wchar_t);
    size_t length = 0;
    while (length < limit && data[length] != L'\0')
        ++length;
    std::wstring text(data, length);
    GlobalUnlock(block);
    return text;
}

std::optional<std::vector<std::wstring>> Clipboard::files() const
{
    if (!open)
        return std::nullopt;
    // The drop handle stays the clipboard's: it is read, never finished.
    auto drop = static_cast<HDROP>(GetClipboardData(CF_HDROP));
    if (drop == nullptr)
        return std::nullopt;
    return DropFiles::namesOfDrop(drop);
}

bool Clipboard::holdsFilesOrText()
{
    return IsClipboardFormatAvailable(CF_HDROP) || IsClipboardFormatAvailable(CF_UNICODETEXT);
}

} // namespace tkit
