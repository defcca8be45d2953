#pragma once

#include "stamps/EntryStatus.h"
#include "stamps/Steps.h"
#include "stamps/RowResult.h"
#include "stamps/Timestamp.h"
#include "tkit/ui/ListView.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tkit
{
class PlatformPath;
}

// The timestamp list: one row per remembered path with its time text, check box
// and the status and result of the last restore. A row is read and written only
// through the accessors below (isChecked and setChecked come from the list itself).
class FileListView : public tkit::ListView
{
public:
    // The columns of a row: the path, the remembered time as text, and what the
    // last restore or undo did to the row.
    static constexpr int pathColumn = 0;
    static constexpr int timeColumn = 1;
    static constexpr int resultColumn = 2;

    FileListView(HWND parent, int id);

    std::wstring path(int row) const { return itemText(row, pathColumn); }
    void setPath(int row, const std::wstring& path);
    // The remembered time as the row shows it; empty when none was read.
    std::wstring timeText(int row) const { return itemText(row, timeColumn); }
    // A text that differs from the row's forgets the whole time it captured.
    void setTimeText(int row, const std::wstring& text);
    // The time the row holds: the whole time it captured while its text is
    // the captured one, else the time its text says; none without a real time.
    std::optional<RowTime> rowTime(int row) const;
    // The outcome of the row's last restore, kept in its item data and shown as
    // its colour and the mark in front of its path (a tick, a cross). A row
    // reset to EntryStatus::Unset loses its result too.
    EntryStatus status(int row) const;
    void setStatus(int row, EntryStatus status);
    // What the last restore or undo did to the row, shown in the result column,
    // as the row's tooltip and to screen readers with the row.
    RowResult result(int row) const;
    void setResult(int row, const RowResult& result);

    // Adds a row for path and, for a folder when recursive is set, rows for its whole tree.
    // A folder's tree is listed and added in steps (see Steps).
    void addPath(const std::wstring& path, bool recursive, Steps& steps = Steps::none());
    void addPath(const tkit::PlatformPath& path, bool recursive, Steps& steps = Steps::none());
    // Adds each of several paths, as a drop brings them; empty names are skipped.
    void addPaths(const std::vector<std::wstring>& paths, bool recursive,
                  Steps& steps = Steps::none());
    // Adds one checked row with the path's last-write time.
    void addEntry(const std::wstring& path);
    void addEntry(const tkit::PlatformPath& path);
    // Adds one checked row with a time remembered elsewhere, not read from the file.
    // With exact, the row holds that whole time, of which timeText is the local form.
    void addRemembered(const std::wstring& path, const std::wstring& timeText,
                       const std::optional<FILETIME>& exact = std::nullopt);
    // Reads the path's last-write time into the time column of row; a time
    // that cannot be read leaves the column empty.
    void captureTime(const std::wstring& path, int row);
    void captureTime(const tkit::PlatformPath& path, int row);
    // Removes the first count rows, from the last of them back; the rows after
    // them stay, in their order.
    void deleteFirstRows(int count, Steps& steps = Steps::none());
    void deleteSelected(Steps& steps = Steps::none());
    // Runs work over the rows through the runner the window gave the list, in
    // steps with progress; at once when it gave none.
    void setStepsRunner(StepsRunner runner) { stepsRunner = std::move(runner); }
    void runInSteps(const wchar_t* name, const std::function<void(Steps&)>& body);
    // Flips the box of every selected row and of the focused row, once each;
    // the selection stays. What Space does.
    void flipSelectedBoxes(Steps& steps = Steps::none());
    // Selects every row; while rows are being added (see setAdding), the rows
    // that come after it are selected too.
    void selectAll();
    // Locked, the list's own keys that change rows (Delete, Space) do nothing:
    // long work is running on them.
    void setLocked(bool locked) { lockedKeys = locked; }
    // Rows are being added by long work: Ctrl+A then means the rows still to come too.
    void setAdding(bool adding);

    // Widens the time column to show every timestamp text whole at dpi.
    void fitTimeColumn(UINT dpi);
    // Adds the result column, the rows' marks and their tooltips, at dpi.
    void addResultColumn(UINT dpi);
    // Makes the result column as wide as its widest text (or its header) at dpi.
    void fitResultColumn(UINT dpi);
    // Scales the columns' widths from one display scale to another.
    void rescaleColumns(UINT fromDpi, UINT toDpi);
    // Draws the rows' marks at the size of a small icon at dpi, again whenever
    // the system's colours change.
    void showMarks(UINT dpi);

protected:
    LRESULT onNotify(WPARAM wParam, LPARAM lParam) override;
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Passes on a click, arrow key or letter that may change the selection; on
    // a large selection with repainting paused.
    LRESULT changeSelection(UINT message, WPARAM wParam, LPARAM lParam);
    // Colours a checked row by the outcome of its last restore.
    void drawRow(NMLVCUSTOMDRAW& draw) const;
    // The tooltip of a row: its result, after its path when the path shows cut.
    void giveTip(NMLVGETINFOTIPW& tip) const;
    // Resets the status of a row whose box was just unchecked.
    void boxChanged(const NMLISTVIEW& change);
    // Keys that are commands of the window go to it.
    void keyDown(WORD key);
    // Checks a row just inserted, and selects it after Ctrl+A during an add.
    void checkNewRow(int row);
    // Deletes the rows, given in order, from the last one back, in steps.
    void deleteRows(const std::vector<int>& rows, Steps& steps);
    // Asks the parent window to carry out a command, as its menu would.
    void sendCommand(int command) const;
    // The width of the widest timestamp text in the list's font, without padding.
    int timeTextWidth() const;

    // Notes the whole time a row captured; forgotten when the row goes.
    void keepExactTime(int row, const FILETIME& exact);

    StepsRunner stepsRunner;
    // The whole last-write time each captured row read, by the row's id: the
    // text shows milliseconds, the file system keeps 100 ns steps.
    std::unordered_map<UINT, FILETIME> exactTimes;
    bool lockedKeys = false;
    bool adding = false;
    // Ctrl+A came while rows were being added: new rows come selected.
    bool selectArriving = false;
    // The result of each row that has one, by the row's id.
    std::unordered_map<UINT, RowResult> results;
    // The scale the marks are drawn at.
    UINT markDpi = 96;
};
