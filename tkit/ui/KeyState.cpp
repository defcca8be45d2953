#include "tkit/ui/KeyState.h"

#include <windows.h>

namespace tkit
{

bool isKeyDown(int virtualKey)
{
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

bool isKeyDownForMessage(int virtualKey)
{
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

} // namespace tkit
