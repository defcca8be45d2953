#pragma once

#include <windows.h>

#include <string>

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

// Writes the local time of a timestamp text back as the last-write time of
// path. The read-only attribute is cleared for the write and every attribute
// is put back as it was. Nothing is written when the path does not exist or
// the text holds no valid date and time. True when the time was written;
// then noted, when given, holds the time before and the time written.
bool restoreLastWriteTime(const std::wstring& path, const std::wstring& timestampText,
                          WrittenTime* noted = nullptr);

// Writes each checked row's remembered time back onto its file and marks the
// row restored or failed; unchecked rows are left as they are. A record, when
// given, is replaced by this restore's.
void restoreCheckedRows(FileListView& list, RestoreRecord* record = nullptr);
