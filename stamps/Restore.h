#pragma once

#include "stamps/RestoreRecord.h"
#include "stamps/Steps.h"

class FileListView;

// Writes each checked row's remembered time back onto its file as its
// last-write time, and nothing else: the whole time a row captured, or the
// time its text says. A file that already carries the time (at the precision
// the row holds) is left exactly as it is, and a file that another program
// holds open, or a read-only one, is written all the same. Once the whole pass
// is done, each row is marked restored only if its file's last-write time,
// read again then, is the row's time; otherwise failed. Unchecked rows are
// left as they are. Gives back what it wrote, so that it can be taken back.
// Runs in steps; stopped, it leaves the rows after the one at hand as they
// are, and the record holds exactly the files written.
RestoreRecord restoreCheckedRows(FileListView& list, Steps& steps = Steps::none());
