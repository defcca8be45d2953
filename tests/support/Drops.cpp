#include "support/Drops.h"

#include <cstring>

namespace testing_support
{

HDROP makeDrop(const std::vector<std::wstring>& names)
{
    size_t units = 1;
    for (const std::wstring& name : names)
        units += name.size() + 1;
    const size_t bytes = sizeof(DROPFILES) + units * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GHND, bytes);
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(header) + sizeof(DROPFILES));
    for (const std::wstring& name : names)
    {
        std::memcpy(text, name.c_str(), (name.size() + 1) * sizeof(wchar_t));
        text += name.size() + 1;
    }
    *text = L'\0';
    GlobalUnlock(block);
    return static_cast<HDROP>(block);
}

bool dropIsHeld(HDROP drop)
{
    return GlobalFlags(drop) != GMEM_INVALID_HANDLE;
}

void putOnClipboard(HWND owner, const std::wstring& text, const std::vector<std::wstring>& files)
{
    OpenClipboard(owner);
    EmptyClipboard();
    if (!files.empty())
    {
        SetClipboardData(CF_HDROP, makeDrop(files));
    }
    else
    {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        std::memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(block);
        SetClipboardData(CF_UNICODETEXT, block);
    }
    CloseClipboard();
}

std::wstring clipboardText()
{
    std::wstring text = L"(none)";
    if (OpenClipboard(nullptr))
    {
        if (HANDLE block = GetClipboardData(CF_UNICODETEXT))
        {
            text = static_cast<const wchar_t*>(GlobalLock(block));
            GlobalUnlock(block);
        }
        CloseClipboard();
    }
    return text;
}

} // namespace testing_support
