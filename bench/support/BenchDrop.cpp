#include "support/BenchDrop.h"

#include <shlobj.h>

#include <cstring>

namespace bench
{

HDROP makeDrop(const std::vector<std::wstring>& names)
{
    size_t units = 1;
    for (const std::wstring& name : names)
        units += name.size() + 1;
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + units * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(header + 1);
    for (const std::wstring& name : names)
    {
        std::memcpy(text, name.c_str(), (name.size() + 1) * sizeof(wchar_t));
        text += name.size() + 1;
    }
    GlobalUnlock(block);
    return static_cast<HDROP>(block);
}

} // namespace bench
