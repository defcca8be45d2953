#pragma once

#include <windows.h>

namespace tkit
{

// Lets a message from processes of a lower integrity level through to a
// window. Windows 7 and later keep such messages from the window of a process
// run as administrator unless the window lets them in. Wine: has no such
// filter; nothing is kept out.
void allowFromLowerProcesses(HWND window, UINT message);

} // namespace tkit
