#include "support/InMainWindow.h"

#include "tkit/ui/CommandLine.h"

namespace bench
{

void runInMainWindow(MainDialog*& dialog, TIMERPROC start, const std::wstring& commandLine)
{
    const tkit::CommandLine line(commandLine.c_str());
    MainDialog window(GetModuleHandleW(nullptr), &line);
    dialog = &window;
    SetTimer(nullptr, 0, 0, start);
    window.runModal(nullptr);
    dialog = nullptr;
}

} // namespace bench
