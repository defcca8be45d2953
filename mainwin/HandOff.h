#pragma once

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
