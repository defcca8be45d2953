#pragma once

#include "app/SessionMutex.h"
#include "tkit/fs/StringList.h"

#include <windows.h>

#include <string>

// Hands paths to a window in order, each made absolute against this process's
// current folder; stops at the first path the window does not take. Returns
// how many paths were taken.
size_t handOver(HWND window, const tkit::StringList& paths);

// The open main window of the program, if any: a top-level dialog with the
// program's title that holds the timestamp list (question boxes carry the same
// title, but no list).
HWND findOpenMainWindow();

// The name of the claim by which starts of the program elect one window: the
// start that opens a window holds it from before its window exists until the
// window is gone.
std::wstring windowClaimName();

// The window to hand paths to: the open main window, or, while another start
// holds the claim, the window that start is opening, waited for up to
// patience milliseconds. Null when this start is to open a window itself; it
// then holds the claim if nobody else does.
HWND electWindow(SessionMutex& claim, DWORD patience);
