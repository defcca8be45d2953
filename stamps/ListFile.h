#pragma once

#include "stamps/Skipped.h"
#include "stamps/Steps.h"

#include <windows.h>

#include <string>

class FileListView;

// The list kept in a text file of the user's: the header line, then the
// list's text (see ListText), as UTF-8 with a byte-order mark so that
// spreadsheets read it, each line ended by CRLF.

// Saves the selected rows, or every row when none is selected. Changes no
// listed file. ERROR_SUCCESS, or the system's error code; the old file stays
// whole on any error.
DWORD saveList(const FileListView& list, const std::wstring& path);
// Adds the rows of a saved list as a paste adds text; refused counts the
// lines not taken. ERROR_SUCCESS, or the system's error code.
DWORD openList(FileListView& list, const std::wstring& path, bool recursive, Skipped& refused,
               Steps& steps = Steps::none());
