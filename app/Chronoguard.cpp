#include "app/Chronoguard.h"

#include "app/StartUp.h"
#include "mainwin/MainDialog.h"
#include "tkit/ui/BringForward.h"
#include "tkit/ui/CommandLine.h"
#include "tkit/ui/KeyState.h"

Chronoguard application;

namespace
{

// How long a start with paths waits for the window that another start is
// opening before it opens its own.
constexpr DWORD electionPatience = 30000;

} // namespace

bool Chronoguard::run(const tkit::CommandLine& commandLine, int)
{
    const tkit::StringList& paths = commandLine.parameters();
    // Starts that come while this one opens its window wait for the window
    // and hand their paths to it, instead of each opening a window.
    SessionMutex claim(windowClaimName());
    size_t handedOver = 0;
    if (!paths.empty())
    {
        if (HWND openWindow = electWindow(claim, electionPatience))
        {
            // Only the process in front may give the foreground away. This start,
            // which the user just made, passes that right on to the open window's
            // process, so the window may come forward while it takes the paths.
            DWORD windowProcess = 0;
            GetWindowThreadProcessId(openWindow, &windowProcess);
            AllowSetForegroundWindow(windowProcess);
            handedOver = handOver(openWindow, paths);
            if (handedOver == paths.size())
            {
                if (!tkit::isKeyDown(VK_CONTROL))
                    tkit::bringForward(openWindow);
                return true;
            }
        }
    }
    // Paths the open window did not take are not lost: they open a window here.
    // A start without paths opens a window of its own, and announces it if no
    // other start is opening one.
    claim.take(0);
    MainDialog dialog(GetModuleHandleW(nullptr), &commandLine, handedOver);
    dialog.runModal(nullptr);
    return true;
}
