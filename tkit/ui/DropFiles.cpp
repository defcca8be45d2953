#include "tkit/ui/DropFiles.h"

namespace tkit
{

DropFiles::DropFiles(HDROP dropHandle) : drop(dropHandle) {}

DropFiles::~DropFiles()
{
    if (drop != nullptr)
        DragFinish(drop);
    drop = nullptr;
}

UINT DropFiles::count() const
{
    if (drop == nullptr)
        return 0;
    return DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
}

std::wstring DropFiles::name(UINT index) const
{
    // A zeroed buffer of 32768 characters holds the longest path the platform knows.
    if (drop == nullptr)
        return {};
    std::wstring buffer(0x8000, L'\0');
    DragQueryFileW(drop, index, buffer.data(), 0x8000);
    return std::wstring(buffer.c_str());
}

} // namespace tkit
