#include "tkit/ui/DialogApp.h"

#include "tkit/ui/CommandLine.h"

namespace tkit
{

int runDialogApp(DialogApp& app, HINSTANCE instance, int showCommand)
{
    const CommandLine commandLine;
    app.instance = instance;
    if (!app.init())
        return 0;
    const bool result = app.run(commandLine, showCommand);
    app.exit();
    return result ? 1 : 0;
}

} // namespace tkit
