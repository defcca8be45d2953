#pragma once

#include <string>
#include <vector>

namespace tkit
{

// An ordered list of wide strings, appended at the back and walked front to back.
using StringList = std::vector<std::wstring>;

} // namespace tkit
