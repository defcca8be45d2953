#pragma once

#include <windows.h>

class FileListView;

// Replaces text in the paths of the list's selected rows, or of every row when
// none is selected, in the replace dialog owned by owner. As the texts change,
// the dialog tells what the replacement would do (PathReplacement); OK gives
// the rows their new paths and resets their status, as an edit of the path
// does; their times and boxes stay. Cancel changes nothing. Does nothing on
// an empty list.
void replacePaths(FileListView& list, HWND owner);
