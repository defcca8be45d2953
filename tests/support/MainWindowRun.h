#pragma once

#include "tkit/ui/CommandLine.h"
#include "mainwin/MainDialog.h"
#include "support/ModalSteps.h"

#include <functional>
#include <string>
#include <vector>

namespace testing_support
{

// The real main dialog, run modally on a command line ("chronoguard.exe "
// followed by arguments), with test steps run inside its loop.
class MainWindowRun
{
public:
    explicit MainWindowRun(const std::wstring& arguments);

    ModalSteps& then(std::function<void()> step) { return steps.then(std::move(step)); }
    // Runs the dialog until a step ends it; the dialog's end code.
    INT_PTR run();
    // Ends the dialog as Esc does.
    void close() const;

    tkit::CommandLine commandLine;
    MainDialog dialog;
    ModalSteps steps;
};

// Runs the main dialog on the arguments, calls body inside its loop, then closes it.
void withMainWindow(const std::wstring& arguments, const std::function<void(MainDialog&)>& body);

// A path in quotation marks, as a command-line argument; several paths so, one
// after the other with a space between.
std::wstring quoted(const std::wstring& path);
std::wstring quoted(const std::vector<std::wstring>& paths);
// The paths of the main window's rows, in order.
std::vector<std::wstring> paths(const MainDialog& dialog);

} // namespace testing_support
