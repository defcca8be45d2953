#include "app/Chronoguard.h"

#include "app/CommandLine.h"
#include "mainwin/HandOff.h"
#include "mainwin/MainDialog.h"
#include "tkit/ui/BringForward.h"

Chronoguard application;

bool Chronoguard::run(const tkit::CommandLine& commandLine, int)
{
    const tkit::StringList& paths = commandLine.parameters();
    size_t handedOver = 0;
    if (!paths.empty())
    {
        if (HWND openWindow = findOpenMainWindow())
        {
            handedOver = handOver(openWindow, paths);
            if (handedOver == paths.size())
            {
                if ((GetAsyncKeyState(VK_CONTROL) & 0x8000) == 0)
                    tkit::bringForward(openWindow);
                return true;
            }
        }
    }
    // Paths the open window did not take are not lost: they open a window here.
    MainDialog dialog(GetModuleHandleW(nullptr), &commandLine, handedOver);
    dialog.runModal(nullptr);
    return true;
}
