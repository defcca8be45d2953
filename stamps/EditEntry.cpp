#include "stamps/EditEntry.h"

#include "stamps/FileListView.h"
#include "stamps/Timestamp.h"
#include "tkit/ui/Dialog.h"
#include "tkit/ui/TextExtent.h"
#include "res/resource.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <string>
#include <vector>

namespace
{

// The picker shows the date and time of day; "XXX" is a field whose text the
// dialog supplies: the milliseconds, which the picker does not offer itself.
constexpr wchar_t pickerFormat[] = L"yyyy/MM/dd HH:mm:ss.XXX";
constexpr wchar_t millisecondField[] = L"XXX";
constexpr int nameBufferSize = 32768;

// The picker's own range: it takes no date before 1752-09-14, and none after
// the last day of 9999. Wine: of that last day, only its midnight.
constexpr SYSTEMTIME earliestShown = {1752, 9, 0, 14, 0, 0, 0, 0};
constexpr SYSTEMTIME latestShown[] = {{9999, 12, 0, 31, 23, 59, 59, 0},
                                      {9999, 12, 0, 31, 0, 0, 0, 0}};

bool sameDateTime(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
           a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}

bool isBefore(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    const WORD left[] = {a.wYear, a.wMonth, a.wDay, a.wHour, a.wMinute, a.wSecond};
    const WORD right[] = {b.wYear, b.wMonth, b.wDay, b.wHour, b.wMinute, b.wSecond};
    return std::lexicographical_compare(std::begin(left), std::end(left), std::begin(right),
                                        std::end(right));
}

// Edits one row's path and remembered time, milliseconds included. The two
// strings belong to the caller and change only on OK; the time text changes
// only where the user changed the date, the time or the milliseconds.
class EditDialog : public tkit::Dialog
{
public:
    EditDialog(std::wstring* rowName, std::wstring* rowText)
        : Dialog(GetModuleHandleW(nullptr), IDD_EDIT), name(rowName), time(rowText)
    {
    }

protected:
    INT_PTR onInitDialog(WPARAM, LPARAM) override
    {
        SetDlgItemTextW(window, IDC_EDIT_NAME, name->c_str());
        SendDlgItemMessageW(window, IDC_EDIT_TIME, DTM_SETFORMATW, 0,
                            reinterpret_cast<LPARAM>(pickerFormat));
        rowTime = parseTimestamp(*time);
        milliseconds = startMilliseconds = rowTime.wMilliseconds;
        // A time the picker cannot take is kept as it is: the picker shows the
        // end of its range nearest to it, and the note below says what is kept.
        // A row without a time leaves the picker where it starts.
        outOfRange = !time->empty() && !showInPicker(rowTime);
        if (outOfRange && isBefore(rowTime, earliestShown))
            showInPicker(earliestShown);
        else if (outOfRange)
            for (const SYSTEMTIME& limit : latestShown)
                if (showInPicker(limit))
                    break;
        shownAtStart = pickerTime();
        updateNote();
        return TRUE;
    }

    INT_PTR onOk(WPARAM, LPARAM) override
    {
        std::vector<wchar_t> buffer(nameBufferSize, L'\0');
        GetDlgItemTextW(window, IDC_EDIT_NAME, buffer.data(), nameBufferSize);
        *name = buffer.data();
        if (pickerChanged() || milliseconds != startMilliseconds)
            *time = newTime();
        return TRUE;
    }

    INT_PTR onNotify(WPARAM, LPARAM lParam) override
    {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        switch (header->code)
        {
        case DTN_FORMATQUERYW:
        {
            // Measured in the picker's own font, which follows the display's scale.
            auto* query = reinterpret_cast<NMDATETIMEFORMATQUERYW*>(lParam);
            if (query->pszFormat != nullptr && std::wcscmp(query->pszFormat, millisecondField) == 0)
                query->szMax = tkit::textExtent(header->hwndFrom, L"999", 3);
            return 0;
        }
        case DTN_FORMATW:
        {
            auto* format = reinterpret_cast<NMDATETIMEFORMATW*>(lParam);
            swprintf(format->szDisplay, sizeof format->szDisplay / sizeof format->szDisplay[0],
                     L"%03u", static_cast<unsigned>(milliseconds));
            format->pszDisplay = format->szDisplay;
            return 0;
        }
        case DTN_WMKEYDOWNW:
        {
            const auto* key = reinterpret_cast<const NMDATETIMEWMKEYDOWNW*>(lParam);
            typeIntoField(key->nVirtKey);
            InvalidateRect(GetDlgItem(window, IDC_EDIT_TIME), nullptr, TRUE);
            updateNote();
            return 0;
        }
        case DTN_DATETIMECHANGE:
            updateNote();
            return 0;
        default:
            return 0;
        }
    }

private:
    // Up and Down step with wrap-around; a digit is appended to the value
    // until it has three digits, then starts a new value.
    void typeIntoField(int virtualKey)
    {
        if (virtualKey == VK_UP)
            milliseconds = milliseconds < 999 ? static_cast<WORD>(milliseconds + 1) : WORD{0};
        else if (virtualKey == VK_DOWN)
            milliseconds = milliseconds > 0 ? static_cast<WORD>(milliseconds - 1) : WORD{999};
        else if (virtualKey >= '0' && virtualKey <= '9')
        {
            const WORD digit = static_cast<WORD>(virtualKey - '0');
            milliseconds =
                milliseconds >= 100 ? digit : static_cast<WORD>(milliseconds * 10 + digit);
        }
    }

    SYSTEMTIME pickerTime() const
    {
        SYSTEMTIME st = {};
        SendDlgItemMessageW(window, IDC_EDIT_TIME, DTM_GETSYSTEMTIME, 0,
                            reinterpret_cast<LPARAM>(&st));
        return st;
    }

    // Whether the picker took the time, by comparing: Windows 7 and later
    // answer a time outside the range as taken and keep the old one. Wine:
    // refuses it.
    bool showInPicker(const SYSTEMTIME& st) const
    {
        SendDlgItemMessageW(window, IDC_EDIT_TIME, DTM_SETSYSTEMTIME, GDT_VALID,
                            reinterpret_cast<LPARAM>(&st));
        return sameDateTime(pickerTime(), st);
    }

    bool pickerChanged() const { return !sameDateTime(pickerTime(), shownAtStart); }

    // The date and time of day from the picker, unless it could not show the
    // row's and was left alone; the milliseconds from the dialog's own field.
    std::wstring newTime() const
    {
        SYSTEMTIME st = outOfRange && !pickerChanged() ? rowTime : pickerTime();
        st.wMilliseconds = milliseconds;
        return formatTimestamp(st);
    }

    void updateNote() const
    {
        std::wstring note;
        const bool millisecondsChanged = milliseconds != startMilliseconds;
        if (outOfRange && !pickerChanged())
            note =
                L"表示範囲外の日時 " + (millisecondsChanged ? newTime() : *time) + L" を保持します";
        else if (time->empty() && !pickerChanged() && !millisecondsChanged)
            note = L"日時なし: 変更しなければ空欄のままです";
        SetDlgItemTextW(window, IDC_EDIT_NOTE, note.c_str());
    }

    std::wstring* name;
    std::wstring* time;
    WORD milliseconds = 0;
    WORD startMilliseconds = 0;
    // The row's time as read, and whether the picker could not show it.
    SYSTEMTIME rowTime = {};
    bool outOfRange = false;
    // What the picker showed when the dialog opened.
    SYSTEMTIME shownAtStart = {};
};

} // namespace

void editEntry(FileListView& list, HWND owner)
{
    const int row = list.nextItem(-1, LVNI_SELECTED);
    if (row == -1)
        return;
    std::wstring name = list.path(row);
    std::wstring time = list.timeText(row);
    const std::wstring nameBefore = name;
    const std::wstring timeBefore = time;

    EditDialog dialog(&name, &time);
    dialog.runModal(owner);

    list.setPath(row, name);
    list.setTimeText(row, time);
    if (name != nameBefore || time != timeBefore)
        list.setStatus(row, EntryStatus::Unset);
}
