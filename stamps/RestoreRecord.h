#pragma once

#include "stamps/EntryStatus.h"
#include "stamps/Restore.h"

#include <string>
#include <vector>

class FileListView;

// The last restore, kept in memory so that it can be taken back: for each
// checked row its path and status before, and for each file written the time
// it had and the time written.
class RestoreRecord
{
public:
    // Files an undo left alone: how many, and the first of them.
    struct LeftFiles
    {
        int count = 0;
        std::wstring first;
    };

    bool empty() const { return entries.empty(); }
    void clear() { entries.clear(); }
    // Notes one row of a restore; written is null when nothing was written.
    void note(const std::wstring& path, EntryStatus before, const WrittenTime* written);
    // Writes each noted earlier time back onto a file that still has the time
    // the restore wrote, read-only files included, and gives the rows of those
    // files and of the files not written the status they had before. Rows are
    // found by path, whatever was deleted or edited since. Empties the record.
    LeftFiles undo(FileListView& list);

private:
    struct Entry
    {
        std::wstring path;
        EntryStatus status;
        bool written;
        WrittenTime time;
    };

    std::vector<Entry> entries;
};
