#pragma once

#include "mainwin/MainDialog.h"

#include <windows.h>

#include <string>

namespace bench
{

// Opens the program's main window on a command line and, once its modal loop
// runs, calls start there, as the program's own work runs; returns when the
// window is closed. dialog points at the window meanwhile.
void runInMainWindow(MainDialog*& dialog, TIMERPROC start,
                     const std::wstring& commandLine = L"chronoguard.exe");

} // namespace bench
