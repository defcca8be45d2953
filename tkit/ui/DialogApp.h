#pragma once

#include <windows.h>

namespace tkit
{

class CommandLine;

// Base of the application object: the process entry calls init, run and exit in that order.
class DialogApp
{
public:
    DialogApp() = default;
    virtual ~DialogApp() = default;
    DialogApp(const DialogApp&) = delete;
    DialogApp& operator=(const DialogApp&) = delete;

    virtual bool init() { return true; }
    virtual bool run(const CommandLine& commandLine, int showCommand) = 0;
    virtual void exit() {}

    // The module instance handle the platform passed to the entry point.
    HINSTANCE instance = nullptr;
};

// The body of the process entry: parses the command line, stores the instance,
// then init, run and exit. Returns the exit code: 1 when run returned true, 0
// when it returned false or init failed.
int runDialogApp(DialogApp& app, HINSTANCE instance, int showCommand);

} // namespace tkit
