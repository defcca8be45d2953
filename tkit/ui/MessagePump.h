#pragma once

#include <windows.h>

namespace tkit
{

// Handles the messages waiting for this thread as a dialog's modal loop would,
// keys through the dialog's own keyboard handling, so that long work on the
// thread keeps its windows answering. False when the thread was asked to quit:
// the request is posted again for the loop that owns it.
bool handleWaitingMessages(HWND dialog);

} // namespace tkit
