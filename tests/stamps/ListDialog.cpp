#include "ListDialog.h"

#include "res/resource.h"
#include "res/testres.h"

#include <commctrl.h>

namespace testing_support
{

namespace
{

constexpr int listId = IDC_FILE_LIST;

} // namespace

ListDialog::ListDialog(bool shown)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    dialog = CreateDialogParamW(GetModuleHandleW(nullptr),
                                MAKEINTRESOURCEW(shown ? IDD_TEST_LIST : IDD_TEST_LIST_HIDDEN),
                                nullptr, dialogProc, reinterpret_cast<LPARAM>(this));
    list = std::make_unique<FileListView>(dialog, listId);

    RECT bounds = {};
    GetWindowRect(list->window, &bounds);
    list->insertColumn(0, L"ファイル名", bounds.right - bounds.left);
    list->insertColumn(1, L"更新日時", 140);
    list->setExtendedStyle(list->extendedStyle() | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES |
                           LVS_EX_FULLROWSELECT);

    if (shown)
    {
        ShowWindow(dialog, SW_SHOW);
        SetForegroundWindow(dialog);
        SetFocus(list->window);
    }
    pump();
}

ListDialog::~ListDialog()
{
    DestroyWindow(dialog);
    pump();
    list.reset();
}

void ListDialog::pump() const
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

std::vector<std::wstring> ListDialog::column(int column) const
{
    std::vector<std::wstring> texts;
    for (int row = 0, count = list->itemCount(); row < count; ++row)
        texts.push_back(list->itemText(row, column));
    return texts;
}

void ListDialog::select(const std::vector<int>& rows, int focusRow)
{
    list->setItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (const int row : rows)
        list->setItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    if (focusRow != -1)
        list->setItemState(focusRow, LVIS_FOCUSED, LVIS_FOCUSED);
}

std::vector<int> ListDialog::selectedRows() const
{
    std::vector<int> rows;
    for (int row = list->nextItem(-1, LVNI_SELECTED); row != -1;
         row = list->nextItem(row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

void ListDialog::pressKey(UINT key) const
{
    const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    const LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
    const LPARAM up = down | (LPARAM{3} << 30);
    SendMessageW(list->window, WM_KEYDOWN, key, down);
    const UINT character = MapVirtualKeyW(key, MAPVK_VK_TO_CHAR);
    if (character != 0)
        SendMessageW(list->window, WM_CHAR, character, down);
    SendMessageW(list->window, WM_KEYUP, key, up);
}

void ListDialog::type(const std::vector<WORD>& held, WORD key) const
{
    std::vector<INPUT> inputs;
    const auto add = [&](WORD virtualKey, DWORD flags) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    for (const WORD down : held)
        add(down, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    for (auto up = held.rbegin(); up != held.rend(); ++up)
        add(*up, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INT_PTR CALLBACK ListDialog::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
    {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        return TRUE;
    }
    auto* self = reinterpret_cast<ListDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (self == nullptr)
        return FALSE;

    switch (message)
    {
    case WM_NOTIFY:
    {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom != listId || !self->list)
            return FALSE;
        // As the main window does: the list's handler answers through the
        // message result, and a notification it does not answer gets 0.
        SetWindowLongPtrW(window, DWLP_MSGRESULT, 0);
        SendMessageW(self->list->window, WM_NOTIFY, wParam, lParam);
        return TRUE;
    }
    case WM_COMMAND:
        self->commands.push_back(wParam);
        return TRUE;
    case WM_DROPFILES:
        self->drops.push_back(wParam);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace testing_support
