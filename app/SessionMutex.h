#pragma once

#include <windows.h>

#include <string>

// A mutex named for the user's session: every process of the session that
// opens the same name shares it. Held by at most one thread at a time; a
// holder that ends releases it. Released and closed when the object goes.
class SessionMutex
{
public:
    explicit SessionMutex(const std::wstring& name);
    ~SessionMutex();
    SessionMutex(const SessionMutex&) = delete;
    SessionMutex& operator=(const SessionMutex&) = delete;

    // False when the mutex could be neither opened nor created (one made by a
    // process with more rights, say).
    bool valid() const { return handle != nullptr; }
    // Takes the mutex for this thread, waiting up to milliseconds; true when
    // this object holds it, also when it held it already.
    bool take(DWORD milliseconds);

private:
    HANDLE handle;
    bool held = false;
};
