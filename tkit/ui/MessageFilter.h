#pragma once

#include <windows.h>

namespace tkit
{

// Lets a message from processes of a lower integrity level through to a
// window. Windows keeps such messages from the window of a process run as
// administrator unless the window lets them in; where the system has no such
// filter (before Windows 7), this does nothing.
void allowFromLowerProcesses(HWND window, UINT message);

} // namespace tkit
