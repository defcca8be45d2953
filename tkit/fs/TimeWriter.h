#pragma once

#include "tkit/fs/File.h"
#include "tkit/fs/PlatformPath.h"

#include <windows.h>

#include <functional>

namespace tkit
{

// Opens an existing entry for writing its times (and reading them, on the same
// handle) and calls write with it. The open asks for attribute access alone and
// shares everything: no other program's open refuses it, whatever that shares,
// and on Windows a read-only file takes it too, so no attribute is written.
// Wine: a user who may not write a read-only file is refused that open (Wine
// opens the Unix file for writing); the bit is then cleared for the while and
// put back afterwards, whatever write gave.
// False when the entry could not be opened or write gave false; GetLastError
// then tells why (for a write that gave false, what write left there).
bool writeTimes(const PlatformPath& path, const std::function<bool(const File&)>& write);

} // namespace tkit
