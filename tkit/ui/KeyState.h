#pragma once

namespace tkit
{

// Whether a key is down at this moment, whatever message is being handled.
bool isKeyDown(int virtualKey);

} // namespace tkit
