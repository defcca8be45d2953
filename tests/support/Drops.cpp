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

} // namespace testing_support
