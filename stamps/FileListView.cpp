#include "stamps/FileListView.h"

#include "stamps/Timestamp.h"
#include "tkit/ui/Contrast.h"
#include "tkit/ui/Dpi.h"
#include "tkit/ui/KeyState.h"
#include "tkit/ui/Marks.h"
#include "tkit/ui/RedrawPause.h"
#include "tkit/fs/Attributes.h"
#include "tkit/fs/ExpandFolder.h"
#include "tkit/fs/File.h"
#include "tkit/fs/PlatformPath.h"
#include "tkit/fs/StringList.h"
#include "res/resource.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <vector>

namespace
{

// Ctrl without Shift or Alt, as the list's Ctrl keys want it.
bool ctrlAlone()
{
    return tkit::isKeyDownForMessage(VK_CONTROL) && !tkit::isKeyDownForMessage(VK_SHIFT) &&
           !tkit::isKeyDownForMessage(VK_MENU);
}

// The list's keys that are commands of the window: each goes to the window
// as its menu item would, and the window's command handler does the work.
// Keys marked ctrl act only with Ctrl alone; the others with any modifier.
struct CommandKey
{
    WORD key;
    bool ctrl;
    int command;
};
constexpr CommandKey commandKeys[] = {
    {VK_F2, false, IDM_EDIT},
    {'C', true, IDM_COPY},
    {'V', true, IDM_PASTE},
    {'Z', true, IDM_UNDO},
    {VK_F5, false, IDM_SELECT_CHANGED},
    {'H', true, IDM_REPLACE_PATHS},
    {'O', true, IDM_OPEN_LIST},
    {'S', true, IDM_SAVE_LIST},
    {'E', true, IDM_SELECT_FAILED},
    {'R', true, IDM_RETRY_FAILED},
};

// Pixels at 100 %. Wine: the list pads a cell's text by 12 pixels; a little
// more leaves room for the padding of other systems.
constexpr int cellPadding = 16;

constexpr COLORREF restoredBackground = RGB(203, 255, 203);
constexpr COLORREF failedBackground = RGB(255, 203, 203);

constexpr wchar_t resultHeader[] = L"結果";
// The side of a row's mark at 100 %: a small icon's.
constexpr int markSize = 16;

// A row's status is its item data.
constexpr EntryStatus statusFromData(LPARAM data)
{
    return static_cast<EntryStatus>(data);
}

constexpr LPARAM dataFromStatus(EntryStatus status)
{
    return static_cast<LPARAM>(status);
}

// A row's mark tells its status by its shape, for those who cannot tell its colour.
int markOf(EntryStatus status)
{
    switch (status)
    {
    case EntryStatus::Restored:
        return tkit::tickMark;
    case EntryStatus::Failed:
        return tkit::crossMark;
    default:
        return tkit::blankMark;
    }
}

} // namespace

FileListView::FileListView(HWND parentWindow, int controlId)
    : tkit::ListView(parentWindow, controlId)
{
}

void FileListView::setPath(int row, const std::wstring& path)
{
    setItemText(row, pathColumn, path.c_str());
}

void FileListView::setTimeText(int row, const std::wstring& text)
{
    if (text == timeText(row))
        return;
    setItemText(row, timeColumn, text.c_str());
    exactTimes.erase(itemId(row));
}

std::optional<RowTime> FileListView::rowTime(int row) const
{
    // The whole time, where the row holds one, needs no reading of its text.
    if (const auto exact = exactTimes.find(itemId(row)); exact != exactTimes.end())
        return RowTime{exact->second, true};
    if (const std::optional<FILETIME> utc = timestampTime(timeText(row)))
        return RowTime{*utc, false};
    return std::nullopt;
}

void FileListView::keepExactTime(int row, const FILETIME& exact)
{
    exactTimes[itemId(row)] = exact;
}

EntryStatus FileListView::status(int row) const
{
    return statusFromData(itemData(row));
}

void FileListView::setStatus(int row, EntryStatus status)
{
    setItemData(row, dataFromStatus(status), markOf(status));
    if (status == EntryStatus::Unset)
        setResult(row, {});
}

RowResult FileListView::result(int row) const
{
    const auto found = results.find(itemId(row));
    return found != results.end() ? found->second : RowResult{};
}

void FileListView::setResult(int row, const RowResult& result)
{
    const UINT rowId = itemId(row);
    const auto found = results.find(rowId);
    if (found == results.end() ? result.outcome == RowOutcome::none : found->second == result)
        return;
    if (result.outcome == RowOutcome::none)
        results.erase(found);
    else
        results[rowId] = result;
    setItemText(row, resultColumn, resultText(result).c_str());
}

void FileListView::addPath(const std::wstring& path, bool recursive, Steps& steps)
{
    addPath(tkit::PlatformPath(path), recursive, steps);
}

void FileListView::addPath(const tkit::PlatformPath& target, bool recursive, Steps& steps)
{
    // The folder test and the row's open name the entry by the same name.
    if (!recursive || !tkit::isDirectory(target))
    {
        addEntry(target);
        return;
    }

    // A folder tree can bring in a great many rows: paint once at the end.
    tkit::RedrawPause pause(*this);
    addEntry(target);
    tkit::StringList entries;
    bool stopped = false;
    tkit::expandFolder(&entries, target.path().c_str(),
                       [&] { return !(stopped = !steps.advance()); });
    if (stopped)
        return;
    steps.setTotal(entries.size());
    reserveItems(static_cast<size_t>(itemCount()) + entries.size());
    for (const std::wstring& entry : entries)
    {
        addEntry(entry);
        if (!steps.advance())
            return;
    }
}

void FileListView::addPaths(const std::vector<std::wstring>& paths, bool recursive, Steps& steps)
{
    const tkit::RedrawPause pause(*this);
    steps.setTotal(paths.size());
    for (const std::wstring& path : paths)
    {
        // Some shells count a drop of no names as one empty name.
        if (!path.empty())
            addPath(path, recursive, steps);
        if (!steps.advance())
            return;
    }
}

void FileListView::addEntry(const std::wstring& path)
{
    addEntry(tkit::PlatformPath(path));
}

void FileListView::addEntry(const tkit::PlatformPath& path)
{
    const int row = insertItem(itemCount(), path.path().c_str());
    if (row == -1)
        return;
    captureTime(path, row);
    checkNewRow(row);
}

void FileListView::addRemembered(const std::wstring& path, const std::wstring& text,
                                 const std::optional<FILETIME>& exact)
{
    const int row = insertItem(itemCount(), path.c_str());
    if (row == -1)
        return;
    setItemText(row, timeColumn, text.c_str());
    if (exact)
        keepExactTime(row, *exact);
    checkNewRow(row);
}

void FileListView::checkNewRow(int row)
{
    setChecked(row, true);
    if (selectArriving)
        setItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    // The row's status is already EntryStatus::Unset: a row inserted without
    // item data has 0 there, and checking its box leaves it alone. Setting it
    // again would cost a round of change notifications per row.
    static_assert(dataFromStatus(EntryStatus::Unset) == 0);
}

void FileListView::captureTime(const std::wstring& path, int row)
{
    captureTime(tkit::PlatformPath(path), row);
}

void FileListView::captureTime(const tkit::PlatformPath& path, int row)
{
    // A time that could not be read leaves the column empty: no text may stand
    // for a time that was never there.
    const std::optional<FILETIME> lastWrite = tkit::readLastWriteTime(path).time;
    const std::wstring text = lastWrite ? timestampText(*lastWrite) : std::wstring();
    setItemText(row, timeColumn, text.c_str());
    if (!text.empty())
        keepExactTime(row, *lastWrite);
    else
        exactTimes.erase(itemId(row));
}

void FileListView::deleteFirstRows(int count, Steps& steps)
{
    // The rows that stay behind them are the few that came in while the user
    // was asked, and they keep their identity.
    std::vector<int> rows(static_cast<size_t>(std::clamp(count, 0, itemCount())));
    std::iota(rows.begin(), rows.end(), 0);
    deleteRows(rows, steps);
}

int FileListView::timeTextWidth() const
{
    // Digits need not be equally wide: the widest stands for every digit.
    wchar_t widest = L'0';
    int widestWidth = 0;
    for (wchar_t digit = L'0'; digit <= L'9'; ++digit)
    {
        const wchar_t text[] = {digit, L'\0'};
        if (const int width = stringWidth(text); width > widestWidth)
        {
            widest = digit;
            widestWidth = width;
        }
    }
    std::wstring text = L"0000/00/00 00:00:00.000";
    std::replace(text.begin(), text.end(), L'0', widest);
    return stringWidth(text.c_str());
}

void FileListView::fitTimeColumn(UINT dpi)
{
    const int width = timeTextWidth() + tkit::scaled(cellPadding, dpi);
    if (columnWidth(timeColumn) < width)
        setColumnWidth(timeColumn, width);
}

void FileListView::addResultColumn(UINT dpi)
{
    insertColumn(resultColumn, resultHeader, 0);
    fitResultColumn(dpi);
    showMarks(dpi);
    setExtendedStyle(extendedStyle() | LVS_EX_INFOTIP);
}

void FileListView::fitResultColumn(UINT dpi)
{
    // Rows share a few results: each is measured once.
    std::vector<RowResult> distinct;
    for (const auto& row : results)
        if (std::find(distinct.begin(), distinct.end(), row.second) == distinct.end())
            distinct.push_back(row.second);
    int widest = stringWidth(resultHeader);
    for (const RowResult& result : distinct)
        widest = std::max(widest, stringWidth(resultText(result).c_str()));
    setColumnWidth(resultColumn, widest + tkit::scaled(cellPadding, dpi));
}

void FileListView::showMarks(UINT dpi)
{
    // Each mark's strokes read on its own square as the row's text reads on the
    // row's colour, in a high-contrast scheme too.
    markDpi = dpi;
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    setSmallImages(
        tkit::markImages(tkit::scaled(markSize, dpi),
                         {tkit::readableTextColour(restoredBackground, text), restoredBackground},
                         {tkit::readableTextColour(failedBackground, text), failedBackground}));
}

void FileListView::rescaleColumns(UINT fromDpi, UINT toDpi)
{
    for (const int column : {pathColumn, timeColumn, resultColumn})
        setColumnWidth(column, MulDiv(columnWidth(column), static_cast<int>(toDpi),
                                      static_cast<int>(fromDpi)));
}

LRESULT FileListView::onNotify(WPARAM wParam, LPARAM lParam)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);

    // Only the list's own notifications carry list records; the header's are
    // passed on, except its custom drawing, which stays the default one.
    if (header->hwndFrom != window)
    {
        if (header->code == static_cast<UINT>(NM_CUSTOMDRAW))
            return 0;
        return callPrevious(WM_NOTIFY, wParam, lParam);
    }

    switch (header->code)
    {
    case NM_CUSTOMDRAW:
        drawRow(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
        return 0;
    case LVN_ITEMCHANGED:
        boxChanged(*reinterpret_cast<const NMLISTVIEW*>(lParam));
        break;
    case LVN_KEYDOWN:
        keyDown(reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey);
        break;
    case LVN_GETINFOTIPW:
        giveTip(*reinterpret_cast<NMLVGETINFOTIPW*>(lParam));
        break;
    case LVN_DELETEITEM:
    {
        const UINT rowId = itemId(reinterpret_cast<const NMLISTVIEW*>(lParam)->iItem);
        exactTimes.erase(rowId);
        results.erase(rowId);
        break;
    }
    case LVN_DELETEALLITEMS:
        // Every row goes: no notification for each is needed.
        exactTimes.clear();
        results.clear();
        answerParent(TRUE);
        return TRUE;
    default:
        break;
    }
    return callPrevious(WM_NOTIFY, wParam, lParam);
}

LRESULT FileListView::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_KEYDOWN:
        if (wParam == VK_DELETE)
        {
            if (!lockedKeys)
                runInSteps(L"削除中", [this](Steps& steps) { deleteSelected(steps); });
        }
        else if (wParam == 'A')
        {
            if (ctrlAlone())
                selectAll();
        }
        else if (wParam == VK_SPACE)
        {
            // Not the control's own handling, which flips the focused box alone
            // and moves the selection to it.
            if (!lockedKeys)
                runInSteps(L"切り替え中", [this](Steps& steps) { flipSelectedBoxes(steps); });
            return 0;
        }
        // Keys that move the selection; not the keys of commands, which may
        // open a dialog over the list.
        switch (wParam)
        {
        case VK_UP:
        case VK_DOWN:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT:
            return changeSelection(message, wParam, lParam);
        default:
            break;
        }
        break;
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        // Typing a name's first letters selects that row alone, as a click does.
        return changeSelection(message, wParam, lParam);
    case WM_SYSCOLORCHANGE:
        // The marks take their strokes' colour from the scheme's text colour.
        showMarks(markDpi);
        break;
    case WM_DROPFILES:
        // A drop on the list is the window's to take in: posted, so that the
        // window reads the names after this message is done. The control still
        // gets the message, as every message here; a list control that does
        // not accept files leaves the handle alone, and the window releases it.
        PostMessageW(parent, WM_DROPFILES, wParam, lParam);
        break;
    default:
        break;
    }
    return callPrevious(message, wParam, lParam);
}

LRESULT FileListView::changeSelection(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A click, an arrow key or a typed letter on a large selection deselects
    // every other row.
    // With repainting on, the control invalidates each row it changes, which
    // under Wine takes seconds for 100,000 rows: the list repaints once instead.
    constexpr int manySelected = 256;
    if (selectedCount() <= manySelected)
        return callPrevious(message, wParam, lParam);
    const tkit::RedrawPause pause(*this);
    return callPrevious(message, wParam, lParam);
}

void FileListView::drawRow(NMLVCUSTOMDRAW& draw) const
{
    switch (draw.nmcd.dwDrawStage)
    {
    case CDDS_PREPAINT:
        answerParent(CDRF_NOTIFYITEMDRAW);
        break;
    case CDDS_ITEMPREPAINT:
    {
        if (!isChecked(static_cast<int>(draw.nmcd.dwItemSpec)))
        {
            answerParent(CDRF_DODEFAULT);
            break;
        }
        const EntryStatus status = statusFromData(draw.nmcd.lItemlParam);
        if (status == EntryStatus::Failed || status == EntryStatus::Restored)
        {
            draw.clrTextBk = status == EntryStatus::Failed ? failedBackground : restoredBackground;
            // The scheme's text colour need not read on these light colours (white
            // text of a high-contrast scheme does not): the text gets one that does.
            const COLORREF text = draw.clrText == CLR_DEFAULT || draw.clrText == CLR_NONE
                                      ? GetSysColor(COLOR_WINDOWTEXT)
                                      : draw.clrText;
            draw.clrText = tkit::readableTextColour(draw.clrTextBk, text);
        }
        answerParent(CDRF_NEWFONT);
        break;
    }
    default:
        answerParent(CDRF_DODEFAULT);
        break;
    }
}

void FileListView::giveTip(NMLVGETINFOTIPW& tip) const
{
    const std::wstring text = resultText(result(tip.iItem));
    if (text.empty() || tip.pszText == nullptr || tip.cchTextMax <= 0)
        return;
    // Without LVGIT_UNFOLDED the row's text shows cut, and the tip holds it whole.
    const std::wstring shown = tip.pszText;
    const std::wstring whole =
        (tip.dwFlags & LVGIT_UNFOLDED) || shown.empty() ? text : shown + L"\n" + text;
    lstrcpynW(tip.pszText, whole.c_str(), tip.cchTextMax);
}

void FileListView::boxChanged(const NMLISTVIEW& change)
{
    if (!(change.uChanged & LVIF_STATE))
        return;
    const UINT oldImage = change.uOldState & LVIS_STATEIMAGEMASK;
    const UINT newImage = change.uNewState & LVIS_STATEIMAGEMASK;
    if (oldImage == newImage || (newImage >> 12) != uncheckedImage)
        return;

    // An unchecked row loses the outcome of its last restore, and its result.
    if (change.iItem != -1)
    {
        setStatus(change.iItem, EntryStatus::Unset);
        return;
    }
    for (int row = 0, count = itemCount(); row < count; ++row)
        setStatus(row, EntryStatus::Unset);
}

void FileListView::keyDown(WORD key)
{
    for (const CommandKey& command : commandKeys)
    {
        if (command.key == key && (!command.ctrl || ctrlAlone()))
        {
            sendCommand(command.command);
            return;
        }
    }
}

void FileListView::runInSteps(const wchar_t* name, const std::function<void(Steps&)>& body)
{
    if (stepsRunner)
        stepsRunner(name, body);
    else
        body(Steps::none());
}

void FileListView::flipSelectedBoxes(Steps& steps)
{
    std::vector<int> rows = selectedRows();
    const int focusedRow = nextItem(-1, LVNI_FOCUSED);
    if (focusedRow != -1 && !(itemState(focusedRow, LVIS_SELECTED) & LVIS_SELECTED))
        rows.push_back(focusedRow);
    // The list repaints once, after all: each row's own repaint costs many
    // times its change.
    const tkit::RedrawPause pause(*this);
    steps.setTotal(rows.size());
    for (const int row : rows)
    {
        setChecked(row, !isChecked(row));
        if (!steps.advance())
            break;
    }
}

void FileListView::selectAll()
{
    // With repainting on, the control invalidates each row as it changes,
    // which costs many times the change itself on a long list.
    const tkit::RedrawPause pause(*this);
    setItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    selectArriving = adding;
}

void FileListView::setAdding(bool on)
{
    adding = on;
    selectArriving = selectArriving && on;
}

void FileListView::sendCommand(int command) const
{
    SendMessageW(parent, WM_COMMAND, static_cast<WPARAM>(command), 0);
}

void FileListView::deleteSelected(Steps& steps)
{
    deleteRows(selectedRows(), steps);
}

void FileListView::deleteRows(const std::vector<int>& rows, Steps& steps)
{
    if (rows.empty())
        return;
    const tkit::RedrawPause pause(*this);
    // From the last row back, so that the rows still to go keep their indices
    // and each deletion moves only the rows that stay behind it (none when all go).
    steps.setTotal(rows.size());
    for (auto at = rows.rbegin(); at != rows.rend(); ++at)
    {
        deleteItem(*at);
        if (!steps.advance())
            break;
    }
}
