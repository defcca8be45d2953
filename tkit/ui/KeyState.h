#pragma once

namespace tkit
{

// Whether a key is down at this moment, whatever message is being handled.
bool isKeyDown(int virtualKey);
// Whether a key was down when the keyboard message being handled was typed.
// Keys typed while the window is busy are handled later, when the keys may be
// up again: keys in a window read this, not the state of the moment.
bool isKeyDownForMessage(int virtualKey);

} // namespace tkit
