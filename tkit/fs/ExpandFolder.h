#pragma once

#include "tkit/fs/StringList.h"

#include <functional>

namespace tkit
{

// Appends the full path of every file and folder below folderPath, each
// folder directly before its contents; the folder itself is not appended.
// keepGoing, when given, is asked after each entry; false ends the listing
// there, with the entries found so far.
void expandFolder(StringList* list, const wchar_t* folderPath,
                  const std::function<bool()>& keepGoing = {});

} // namespace tkit
