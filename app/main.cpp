#include "app/Chronoguard.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    return tkit::runDialogApp(application, instance, showCommand);
}
