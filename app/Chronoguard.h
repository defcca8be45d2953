#pragma once

#include "tkit/ui/DialogApp.h"

// The application: hands start paths to a window that is already open, or
// opens the main window and runs until it is closed.
class Chronoguard : public tkit::DialogApp
{
public:
    bool run(const tkit::CommandLine& commandLine, int showCommand) override;
};

// The one application object of the process.
extern Chronoguard application;
