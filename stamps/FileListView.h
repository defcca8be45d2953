#pragma once

#include "tkit/ui/ListView.h"

#include <string>

// The timestamp list: one row per remembered path with its time text, check box
// and the status of the last restore.
class FileListView : public tkit::ListView
{
public:
    FileListView(HWND parent, int id);

    // Adds a row for path and, for a folder when recursive is set, rows for its whole tree.
    void addPath(const std::wstring& path, bool recursive);
    // Adds one checked row with the path's last-write time.
    void addEntry(const std::wstring& path);
    // Reads the path's last-write time into column 1 of row.
    void captureTime(const std::wstring& path, int row);

protected:
    LRESULT onNotify(WPARAM wParam, LPARAM lParam) override;
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};
