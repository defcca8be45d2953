#include "stamps/EditEntry.h"

#include "res/resource.h"
#include "stamps/EntryStatus.h"
#include "stamps/FileListView.h"
#include "stamps/Timestamp.h"
#include "tkit/ui/Dialog.h"
#include "tkit/ui/TextExtent.h"

#include <commctrl.h>

#include <cwchar>
#include <string>
#include <vector>

namespace
{

// The picker shows the date and time of day; "XXX" is a field whose text the
// dialog supplies: the milliseconds, which the picker does not offer itself.
constexpr wchar_t pickerFormat[] = L"yyyy/MM/dd HH:mm:ss.XXX";
constexpr wchar_t millisecondField[] = L"XXX";
constexpr int nameBufferSize = 32768;

// Edits one row's path and remembered time, milliseconds included. The two
// strings belong to the caller and change only on OK.
class EditDialog : public tkit::Dialog
{
public:
    EditDialog(std::wstring* nameText, std::wstring* timeText)
        : Dialog(GetModuleHandleW(nullptr), IDD_EDIT), name(nameText), time(timeText)
    {
    }

protected:
    INT_PTR onInitDialog(WPARAM, LPARAM) override
    {
        // An empty path leaves the picker as the platform starts it.
        if (name->empty())
            return TRUE;
        SetDlgItemTextW(window, IDC_EDIT_NAME, name->c_str());
        const SYSTEMTIME st = parseTimestamp(*time);
        milliseconds = st.wMilliseconds;
        SendDlgItemMessageW(window, IDC_EDIT_TIME, DTM_SETFORMATW, 0,
                            reinterpret_cast<LPARAM>(pickerFormat));
        SendDlgItemMessageW(window, IDC_EDIT_TIME, DTM_SETSYSTEMTIME, GDT_VALID,
                            reinterpret_cast<LPARAM>(&st));
        return TRUE;
    }

    INT_PTR onOk(WPARAM, LPARAM) override
    {
        std::vector<wchar_t> buffer(nameBufferSize, L'\0');
        GetDlgItemTextW(window, IDC_EDIT_NAME, buffer.data(), nameBufferSize);
        *name = buffer.data();
        SYSTEMTIME st = {};
        SendDlgItemMessageW(window, IDC_EDIT_TIME, DTM_GETSYSTEMTIME, 0,
                            reinterpret_cast<LPARAM>(&st));
        st.wMilliseconds = milliseconds;
        *time = formatTimestamp(st);
        return TRUE;
    }

    INT_PTR onNotify(WPARAM, LPARAM lParam) override
    {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        switch (header->code)
        {
        case DTN_FORMATQUERYW:
        {
            auto* query = reinterpret_cast<NMDATETIMEFORMATQUERYW*>(lParam);
            if (query->pszFormat != nullptr && std::wcscmp(query->pszFormat, millisecondField) == 0)
                query->szMax = tkit::textExtent(window, L"999", 3);
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
            return 0;
        }
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
            milliseconds = milliseconds < 999 ? static_cast<WORD>(milliseconds + 1) : 0;
        else if (virtualKey == VK_DOWN)
            milliseconds = milliseconds > 0 ? static_cast<WORD>(milliseconds - 1) : 999;
        else if (virtualKey >= '0' && virtualKey <= '9')
        {
            const WORD digit = static_cast<WORD>(virtualKey - '0');
            milliseconds =
                milliseconds >= 100 ? digit : static_cast<WORD>(milliseconds * 10 + digit);
        }
    }

    std::wstring* name;
    std::wstring* time;
    WORD milliseconds = 0;
};

} // namespace

void editSelectedRow(FileListView& list, HWND owner)
{
    const int row = list.nextItem(-1, LVNI_SELECTED);
    if (row == -1)
        return;
    std::wstring name = list.itemText(row, 0);
    std::wstring time = list.itemText(row, 1);
    const std::wstring nameBefore = name;
    const std::wstring timeBefore = time;

    EditDialog dialog(&name, &time);
    dialog.runModal(owner);

    list.setItemText(row, 0, name.c_str());
    list.setItemText(row, 1, time.c_str());
    if (name != nameBefore || time != timeBefore)
        list.setItemData(row, static_cast<LPARAM>(EntryStatus::Unset));
}
