#pragma once

#include <windows.h>

class FileListView;

// Edits the path and remembered time of the list's first selected row in the
// edit dialog, owned by owner. OK writes both texts back into the row, and a
// row whose texts changed loses the outcome of its last restore. Does nothing
// without a selected row.
void editEntry(FileListView& list, HWND owner);
