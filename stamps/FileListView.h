#pragma once

#include "tkit/ui/ListView.h"

#include <string>
#include <vector>

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
    // The width of the widest timestamp text in the list's font, without padding.
    int timeTextWidth() const;

protected:
    LRESULT onNotify(WPARAM wParam, LPARAM lParam) override;
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // A row that a Space key press flips, with its box before the key.
    struct SpaceRow
    {
        int row;
        int image;
        bool selected;
    };

    // Colours a checked row by the outcome of its last restore.
    void drawRow(NMLVCUSTOMDRAW& draw) const;
    // Resets the status of a row whose box was just unchecked.
    void boxChanged(const NMLISTVIEW& change);
    // F2 asks the parent to edit; Space notes and flips the rows it applies to.
    void keyDown(WORD key);
    // After the control's own Space handling: every noted row flipped exactly once.
    void finishSpace();
    static int flipped(int image);
    void deleteSelected();

    // The rows of the Space key press being handled.
    std::vector<SpaceRow> spaceRows;
};
