#include "app/SessionMutex.h"

SessionMutex::SessionMutex(const std::wstring& name)
    : handle(CreateMutexW(nullptr, FALSE, (L"Local\\" + name).c_str()))
{
}

SessionMutex::~SessionMutex()
{
    if (held)
        ReleaseMutex(handle);
    if (handle != nullptr)
        CloseHandle(handle);
}

bool SessionMutex::take(DWORD milliseconds)
{
    if (handle == nullptr || held)
        return held;
    // An abandoned mutex is taken too: its holder ended without releasing it.
    const DWORD result = WaitForSingleObject(handle, milliseconds);
    held = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    return held;
}
