#pragma once

#include "stamps/Skipped.h"
#include "stamps/Steps.h"

class FileListView;

// The rows that a select-changed pass selected.
struct ChangedRows
{
    int selected = 0;
    // Of them, the files that are there but whose time could not be read.
    Skipped unreadable;
};

// Reads each row's file anew and selects exactly the rows whose file's
// last-write time is no longer the row's time, whose file is gone, or whose
// file's time cannot be read; the first of them gets the focus and is
// scrolled into view. Nothing else about a row changes.
// Runs in steps; stopped, the rows found so far stay selected.
ChangedRows selectChanged(FileListView& list, Steps& steps = Steps::none());
