#pragma once

#include <windows.h>

namespace tkit
{

// A function of user32 looked up at run time, so that the program still starts
// on systems that lack it; null there.
template <typename Function>
Function user32Function(const char* name)
{
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 == nullptr
               ? nullptr
               : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

} // namespace tkit
