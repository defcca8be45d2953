#pragma once

#include "tkit/fs/File.h"
#include "tkit/fs/PlatformPath.h"

#include <windows.h>

#include <functional>

namespace tkit
{

// Opens an existing entry whose attributes are given for writing its times
// (and reading them, on the same handle) and calls write with it. A read-only
// file cannot be opened for writing: its bit is cleared for the while and put
// back afterwards, whatever write gave; no other file has an attribute written.
// False when the entry could not be opened or write gave false.
bool writeTimes(const PlatformPath& path, DWORD attributes,
                const std::function<bool(const File&)>& write);

} // namespace tkit
