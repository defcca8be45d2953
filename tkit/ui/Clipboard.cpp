#include "tkit/ui/Clipboard.h"

#include "tkit/ui/DropFiles.h"

#include <shellapi.h>

#include <cstring>

namespace tkit
{

namespace
{

// Programs that read or write the clipboard hold it open for a moment only:
// it is asked for again, this many times this far apart, before it counts as
// held.
constexpr int openAttempts = 10;
constexpr DWORD attemptInterval = 50; // milliseconds

bool openClipboard(HWND owner)
{
    for (int attempt = 1;; ++attempt)
    {
        if (OpenClipboard(owner))
            return true;
        if (attempt == openAttempts)
            return false;
        Sleep(attemptInterval);
    }
}

} // namespace

Clipboard::Clipboard(HWND owner) : open(openClipboard(owner)) {}

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
