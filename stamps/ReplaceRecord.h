#pragma once

#include "stamps/EntryStatus.h"
#include "stamps/PathReplacement.h"
#include "stamps/RowResult.h"
#include "stamps/Skipped.h"
#include "stamps/Steps.h"

#include <windows.h>

#include <string>
#include <vector>

class FileListView;

// The paths one replacement changed, kept in memory so that it can be taken
// back: for each row its identity in the list, its path, status and result
// before, and the path it was given.
class ReplaceRecord
{
public:
    // Gives each row its new path and resets its status and result, as an edit
    // of the path does; its time and its box stay. Gives back what changed.
    // Stopped, the rows reached keep their new paths and the record holds them.
    static ReplaceRecord apply(FileListView& list, const std::vector<PathChange>& changes,
                               Steps& steps = Steps::none());

    bool empty() const { return entries.empty(); }
    // Gives each noted row that still has the path the replacement gave it its
    // earlier path, status and result back. Rows are found by their identity,
    // whatever was added or deleted since; rows deleted since are passed over,
    // and rows whose path was edited since are left and counted. Empties the
    // record; stopped, it keeps the rows not reached, for the next undo.
    Skipped undo(FileListView& list, Steps& steps = Steps::none());

private:
    struct Entry
    {
        UINT id;
        std::wstring before;
        EntryStatus status;
        RowResult result;
        std::wstring after;
    };

    std::vector<Entry> entries;
};
