#pragma once

#include <windows.h>

class FileListView;
class RestoreRecord;

// What a restore did to one file: the last-write time the file had just
// before (known only when it could be read), and the time written.
struct WrittenTime
{
    bool beforeKnown = false;
    FILETIME before = {};
    FILETIME written = {};
};

// Writes each checked row's remembered time back onto its file as its
// last-write time, and nothing else: a file that already carries the time (to
// the millisecond) is left exactly as it is, and the read-only bit is cleared
// for the write and put back only on a file that has it. Once the whole pass
// is done, each row is marked restored only if its file's last-write time,
// read again then, is the row's time; otherwise failed. Unchecked rows are
// left as they are. A record, when given, is replaced by this restore's.
void restoreCheckedRows(FileListView& list, RestoreRecord* record = nullptr);
