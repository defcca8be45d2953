#pragma once

#include <string>

class FileListView;

// Writes the local time of a timestamp text back as the last-write time of
// path. The read-only attribute is cleared for the write and every attribute
// is put back as it was. Nothing is written when the path does not exist or
// the text holds no valid date and time. True when the time was written.
bool restoreLastWriteTime(const std::wstring& path, const std::wstring& timestampText);

// Writes each checked row's remembered time back onto its file and marks the
// row restored or failed; unchecked rows are left as they are.
void restoreCheckedRows(FileListView& list);
