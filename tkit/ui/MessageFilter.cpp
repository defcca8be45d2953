#include "tkit/ui/MessageFilter.h"

#include "tkit/ui/User32Function.h"

namespace tkit
{

namespace
{

// MSGFLT_ALLOW
constexpr DWORD allowMessage = 1;

} // namespace

void allowFromLowerProcesses(HWND window, UINT message)
{
    using ChangeFilterFunction = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    static const auto changeFilter =
        user32Function<ChangeFilterFunction>("ChangeWindowMessageFilterEx");
    if (changeFilter != nullptr)
        changeFilter(window, message, allowMessage, nullptr);
}

} // namespace tkit
