#include "tkit/ui/DropFiles.h"

#include <shlobj.h>

#include <algorithm>

namespace tkit
{

namespace
{

// The longest name the platform knows.
constexpr size_t maxName = 0x7FFF;

} // namespace

DropFiles::DropFiles(HDROP dropHandle) : drop(dropHandle) {}

DropFiles::~DropFiles()
{
    if (drop != nullptr)
        DragFinish(drop);
    drop = nullptr;
}

std::vector<std::wstring> DropFiles::namesOfDrop(HDROP drop)
{
    std::vector<std::wstring> names;
    if (drop == nullptr)
        return names;
    // A drop handle holds a DROPFILES header and then the names, each ended by
    // a null, the list by one more.
    const auto* header = static_cast<const DROPFILES*>(GlobalLock(drop));
    if (header == nullptr)
    {
        for (UINT index = 0, count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0); index < count;
             ++index)
        {
            std::wstring name(0x8000, L'\0');
            DragQueryFileW(drop, index, name.data(), 0x8000);
            names.emplace_back(name.c_str());
        }
        return names;
    }
    const SIZE_T size = GlobalSize(drop);
    const auto* bytes = reinterpret_cast<const char*>(header);
    const auto take = [&names](std::wstring name) {
        if (name.size() > maxName)
            name.resize(maxName);
        names.push_back(std::move(name));
    };
    if (header->fWide)
    {
        const auto* at = reinterpret_cast<const wchar_t*>(bytes + header->pFiles);
        const auto* end = reinterpret_cast<const wchar_t*>(bytes + size);
        while (at < end && *at != L'\0')
        {
            const wchar_t* stop = std::find(at, end, L'\0');
            take(std::wstring(at, stop));
            at = stop + 1;
        }
    }
    else
    {
        const char* at = bytes + header->pFiles;
        const char* end = bytes + size;
        while (at < end && *at != '\0')
        {
            const char* stop = std::find(at, end, '\0');
            const int length = static_cast<int>(stop - at);
            std::wstring name(static_cast<size_t>(length), L'\0');
            name.resize(static_cast<size_t>(
                MultiByteToWideChar(CP_ACP, 0, at, length, name.data(), length)));
            take(std::move(name));
            at = stop + 1;
        }
    }
    GlobalUnlock(drop);
    return names;
}

} // namespace tkit
