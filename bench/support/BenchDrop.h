#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace bench
{

// A drop handle as the shell makes it: DROPFILES and the wide names, each
// ended by a null, the list by one more. The receiver releases it.
HDROP makeDrop(const std::vector<std::wstring>& names);

} // namespace bench
