#include "app/Chronoguard.h"

#include "tkit/ui/CommandLine.h"
#include "mainwin/HandOff.h"
#include "mainwin/MainDialog.h"
#include "tkit/fs/FullPath.h"

Chronoguard application;

bool Chronoguard::run(const tkit::CommandLine& commandLine, int)
{
    const tkit::StringList& paths = commandLine.parameters();
    if (!paths.empty())
    {
        if (HWND openWindow = findOpenMainWindow())
        {
            // The open window resolves paths against its own current directory,
            // so relative names are made absolute here, where they were typed.
            for (const std::wstring& path : paths)
                sendHandOff(openWindow, tkit::fullPath(path));
            if ((GetAsyncKeyState(VK_CONTROL) & 0x8000) == 0)
                SetForegroundWindow(openWindow);
            return true;
        }
    }
    MainDialog dialog(GetModuleHandleW(nullptr), &commandLine);
    dialog.runModal(nullptr);
    return true;
}
