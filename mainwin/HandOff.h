#pragma once

#include "tkit/fs/StringList.h"
#include "tkit/ui/SessionMutex.h"

#include <windows.h>

#include <optional>
#include <string>

// The message by which a second start hands a path to the open window:
// WM_COPYDATA of kind 1 carrying one UTF-16 path and its terminating null.
inline constexpr ULONG_PTR handOffKind = 1;

// The path a hand-off message carries: the text up to the first null inside
// the data, or up to the data's end. None for another kind or no data.
std::optional<std::wstring> handedOverPath(const COPYDATASTRUCT* data);

// Sends one path to a window and waits until it has been taken in. False when
// the window did not take it: it refused it, or the platform did not let the
// message through (a window of a process run as administrator, say).
bool sendHandOff(HWND window, const std::wstring& path);

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
HWND electWindow(tkit::SessionMutex& claim, DWORD patience);
