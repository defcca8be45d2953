#pragma once

#include "stamps/RestoreRecord.h"
#include "stamps/Steps.h"

class FileListView;

// Which checked rows a restore writes: all of them, or only those whose last
// restore failed (a retry).
enum class RestoreRows
{
    checked,
    failed,
};

// Writes each checked row's remembered time back onto its file as its
// last-write time, and nothing else: the whole time a row captured, or the
// time its text says. A file that already carries the time (at the precision
// the row holds) is left exactly as it is, and a file that another program
// holds open, or a read-only one, is written all the same. Once the whole pass
// is done, each row is marked restored only if its file's last-write time,
// read again then, is the row's time; otherwise failed. Each row written gets
// its result (restored, unchanged, or why it failed). Unchecked rows, and with
// RestoreRows::failed the rows that did not fail, are left as they are. Gives
// back what it wrote, so that it can be taken back, and how its rows came out.
// Runs in steps; stopped, it leaves the rows after the one at hand as they
// are, and the record holds exactly the files written.
RestoreRecord restoreCheckedRows(FileListView& list, RestoreRows which = RestoreRows::checked,
                                 Steps& steps = Steps::none());
