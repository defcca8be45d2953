#pragma once

#include "stamps/EntryStatus.h"
#include "stamps/ResultSummary.h"
#include "stamps/RowResult.h"
#include "stamps/Skipped.h"
#include "stamps/Steps.h"
#include "tkit/fs/EntryIdentity.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

class FileListView;

// What a restore wrote onto one file: the last-write time the file had just
// before, the time it kept, read back after the write (a volume may keep less
// than it is given), and which file it was.
struct WrittenTime
{
    FILETIME before;
    FILETIME kept;
    tkit::EntryIdentity file;
};

// One restore, kept in memory so that it can be taken back: for each checked
// row its path, status and result before, and what was written onto its file;
// and how its rows came out.
class RestoreRecord
{
public:
    // Whether there is nothing to take back: no file was written.
    bool empty() const { return writes == 0; }
    // Notes one checked row; written is none where nothing was written.
    void note(const std::wstring& path, EntryStatus before, const RowResult& resultBefore,
              const std::optional<WrittenTime>& written);
    // Counts the result the restore gave one of its rows.
    void count(const RowResult& result) { results.add(result); }
    // How the restore's rows came out; once undone, how the undo's did.
    const ResultSummary& summary() const { return results; }
    // Writes each noted earlier time back onto a file that is still the one
    // written and still has the time it kept from the restore, read-only files
    // included, and gives the rows of those files and of the files not written
    // the status they had before. Rows are found by path, whatever was deleted
    // or edited since. Every row gets its result: undone, its earlier one where
    // nothing was written, or why its file was left. Empties the record; the
    // files left alone because they changed, were replaced or are gone since
    // are counted.
    // Runs in steps; stopped, what it put back stays, and the rest stays in the record.
    Skipped undo(FileListView& list, Steps& steps = Steps::none());

private:
    struct Entry
    {
        std::wstring path;
        EntryStatus status;
        RowResult result;
        std::optional<WrittenTime> written;
    };

    std::vector<Entry> entries;
    ResultSummary results;
    // How many of the entries wrote a time.
    int writes = 0;
};
