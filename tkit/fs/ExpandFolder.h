#pragma once

#include "tkit/fs/StringList.h"

namespace tkit
{

// Appends the full path of every file and folder below folderPath, each
// folder directly before its contents; the folder itself is not appended.
void expandFolder(StringList* list, const wchar_t* folderPath);

} // namespace tkit
