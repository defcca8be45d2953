#include "tkit/ui/MessageFilter.h"

namespace tkit
{

namespace
{

using ChangeFilterFunction = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
// MSGFLT_ALLOW
constexpr DWORD allowMessage = 1;

// Looked up at run time, so the program still starts where it is missing.
ChangeFilterFunction changeFilterFunction()
{
    HMODULE user = GetModuleHandleW(L"user32.dll");
    if (user == nullptr)
        return nullptr;
    return reinterpret_cast<ChangeFilterFunction>(
        reinterpret_cast<void*>(GetProcAddress(user, "ChangeWindowMessageFilterEx")));
}

} // namespace

void allowFromLowerProcesses(HWND window, UINT message)
{
    static const ChangeFilterFunction changeFilter = changeFilterFunction();
    if (changeFilter != nullptr)
        changeFilter(window, message, allowMessage, nullptr);
}

} // namespace tkit
