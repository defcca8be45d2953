#pragma once

#include "stamps/ReplaceRecord.h"

#include <windows.h>

class FileListView;

// Replaces text in the paths of the list's selected rows, or of every row when
// none is selected, in the replace dialog owned by owner. As the texts change,
// the dialog tells what the replacement would do (PathReplacement); OK gives
// the rows their new paths (ReplaceRecord::apply), Cancel changes nothing.
// Gives back what changed, for an undo; nothing after Cancel. Does nothing on
// an empty list.
ReplaceRecord replacePaths(FileListView& list, HWND owner);

// The preview of many rows is worked out in steps: every this many
// milliseconds the dialog handles its messages (typing goes on, OK waits for
// the whole preview). 0: after every row.
inline ULONGLONG replacePreviewSlice = 50;
