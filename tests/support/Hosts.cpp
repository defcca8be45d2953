#include "support/Hosts.h"

#include "res/resource.h"

#include <commctrl.h>

namespace testing_support
{

HostDialog::HostDialog(int templateId)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    window = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), nullptr,
                                dialogProc, reinterpret_cast<LPARAM>(this));
}

HostDialog::~HostDialog()
{
    if (IsWindow(window))
        DestroyWindow(window);
}

void HostDialog::pump() const
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

INT_PTR CALLBACK HostDialog::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
    {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        return TRUE;
    }
    auto* self = reinterpret_cast<HostDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (self == nullptr)
        return FALSE;

    switch (message)
    {
    case WM_NOTIFY:
    {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (self->answeringControl == nullptr ||
            header->idFrom != static_cast<UINT_PTR>(GetDlgCtrlID(self->answeringControl)))
            return FALSE;
        // As the main window does: the control's handler answers through the
        // message result, and a notification it does not answer gets 0.
        SetWindowLongPtrW(window, DWLP_MSGRESULT, 0);
        SendMessageW(self->answeringControl, WM_NOTIFY, wParam, lParam);
        return TRUE;
    }
    case WM_COMMAND:
    case WM_DROPFILES:
        self->record("dialogProc", wParam, lParam, message);
        return TRUE;
    default:
        return FALSE;
    }
}

ListDialog::ListDialog(bool shown) : HostDialog(shown ? IDD_TEST_LIST : IDD_TEST_LIST_HIDDEN)
{
    list = std::make_unique<FileListView>(window, IDC_FILE_LIST);

    RECT bounds = {};
    GetWindowRect(list->window, &bounds);
    list->insertColumn(FileListView::pathColumn, L"ファイル名", bounds.right - bounds.left);
    list->insertColumn(FileListView::timeColumn, L"更新日時", 140);
    list->addResultColumn(96);
    list->setExtendedStyle(list->extendedStyle() | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES |
                           LVS_EX_FULLROWSELECT);
    answeringControl = list->window;

    if (shown)
    {
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        SetFocus(list->window);
    }
    pump();
}

ListDialog::~ListDialog()
{
    DestroyWindow(window);
    pump();
    list.reset();
}

std::vector<std::wstring> ListDialog::column(int column) const
{
    return columnTexts(*list, column);
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

MainWindowRun::MainWindowRun(const std::wstring& arguments)
    : commandLine((L"chronoguard.exe " + arguments).c_str()),
      dialog(GetModuleHandleW(nullptr), &commandLine)
{
    steps.holdWhile = [this] { return dialog.busy(); };
}

INT_PTR MainWindowRun::run()
{
    return steps.run([this] { return dialog.runModal(nullptr); });
}

void MainWindowRun::close() const
{
    PostMessageW(dialog.window, WM_COMMAND, IDCANCEL, 0);
}

void withMainWindow(const std::wstring& arguments, const std::function<void(MainDialog&)>& body)
{
    MainWindowRun window(arguments);
    window.then([&] {
        body(window.dialog);
        window.close();
    });
    window.run();
}

int markOf(const tkit::ListView& list, int row)
{
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    ListView_GetItem(list.window, &item);
    return item.iImage;
}

std::vector<std::wstring> columnTexts(const tkit::ListView& list, int column)
{
    std::vector<std::wstring> texts;
    for (int row = 0, count = list.itemCount(); row < count; ++row)
        texts.push_back(list.itemText(row, column));
    return texts;
}

std::vector<std::wstring> paths(const MainDialog& dialog)
{
    return columnTexts(*dialog.list(), 0);
}

std::wstring quoted(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}

std::wstring quoted(const std::vector<std::wstring>& paths)
{
    std::wstring text;
    for (const std::wstring& path : paths)
        text += (text.empty() ? L"" : L" ") + quoted(path);
    return text;
}

} // namespace testing_support
