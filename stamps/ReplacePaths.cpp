#include "stamps/ReplacePaths.h"

#include "stamps/FileListView.h"
#include "stamps/PathReplacement.h"
#include "tkit/ui/Dialog.h"
#include "tkit/ui/MessagePump.h"
#include "tkit/fs/FormatString.h"
#include "res/resource.h"

#include <string>
#include <utility>
#include <vector>

namespace
{

// The steps of a preview worked out while the user goes on typing: every
// replacePreviewSlice milliseconds the dialog handles its waiting messages and
// shows how far the preview got; a change of the texts or the dialog's end
// stops it.
class PreviewSteps : public Steps
{
public:
    PreviewSteps(HWND previewDialog, const bool& stopWhen)
        : dialog(previewDialog), stop(stopWhen), lastPump(GetTickCount64())
    {
    }

    void setTotal(size_t count) override { total = count; }

    bool advance() override
    {
        ++done;
        const ULONGLONG now = GetTickCount64();
        if (now - lastPump < replacePreviewSlice)
            return !stop;
        lastPump = now;
        SetDlgItemTextW(dialog, IDC_REPLACE_PREVIEW,
                        tkit::formatString(L"計算中 %zu / %zu", done, total).c_str());
        return tkit::handleWaitingMessages(dialog) && !stop;
    }

private:
    HWND dialog;
    const bool& stop;
    ULONGLONG lastPump;
    size_t done = 0;
    size_t total = 0;
};

// Asks for the text to find and its replacement, and shows what the
// replacement would do each time either text or the name match changes.
class ReplaceDialog : public tkit::Dialog
{
public:
    ReplaceDialog(PathReplacement& replacement, std::wstring firstFolder, std::wstring scopeText)
        : Dialog(GetModuleHandleW(nullptr), IDD_REPLACE), plan(replacement),
          folder(std::move(firstFolder)), scope(std::move(scopeText))
    {
    }

    // Set when OK ended the dialog: the plan's last changes are the ones to make.
    bool accepted = false;

protected:
    INT_PTR onInitDialog(WPARAM, LPARAM) override
    {
        // Both texts start as the folder of the first row: the user edits one
        // of them, and nothing changes until they differ.
        SetDlgItemTextW(window, IDC_REPLACE_FIND, folder.c_str());
        SetDlgItemTextW(window, IDC_REPLACE_WITH, folder.c_str());
        ready = true;
        update();
        const HWND find = GetDlgItem(window, IDC_REPLACE_FIND);
        SetFocus(find);
        SendMessageW(find, EM_SETSEL, 0, -1);
        // The focus is set here, not by the system.
        return FALSE;
    }

    INT_PTR onCommand(WPARAM wParam, LPARAM) override
    {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if ((code == EN_CHANGE && (id == IDC_REPLACE_FIND || id == IDC_REPLACE_WITH)) ||
            (code == BN_CLICKED && id == IDC_REPLACE_BY_NAME))
            update();
        return 0;
    }

    INT_PTR onOk(WPARAM, LPARAM) override
    {
        // OK while the preview is being worked out waits for it: the changes
        // made are those of the whole preview.
        if (planning)
        {
            okWaiting = true;
            return 0;
        }
        // An empty text to find is refused: the dialog stays open.
        if (text(IDC_REPLACE_FIND).empty())
            return 0;
        accepted = true;
        return 1;
    }

    INT_PTR onCancel(WPARAM wParam, LPARAM lParam) override
    {
        ended = stopPlan = true;
        return Dialog::onCancel(wParam, lParam);
    }

    INT_PTR onClose() override
    {
        ended = stopPlan = true;
        return Dialog::onClose();
    }

private:
    std::wstring text(int id) const
    {
        const HWND control = GetDlgItem(window, id);
        std::wstring value(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
        value.resize(static_cast<size_t>(
            GetWindowTextW(control, value.data(), static_cast<int>(value.size()))));
        return value;
    }

    void update()
    {
        if (!ready)
            return;
        // A change while the preview is worked out starts it anew, from the
        // loop below, once the steps have stopped.
        if (planning)
        {
            stopPlan = true;
            again = true;
            return;
        }
        planning = true;
        std::wstring find;
        do
        {
            again = false;
            stopPlan = false;
            find = text(IDC_REPLACE_FIND);
            PreviewSteps steps(window, stopPlan);
            plan.plan(find, text(IDC_REPLACE_WITH),
                      IsDlgButtonChecked(window, IDC_REPLACE_BY_NAME) == BST_CHECKED, steps);
        } while (again && !ended);
        planning = false;
        if (!plan.complete())
            return;
        if (std::exchange(okWaiting, false))
            PostMessageW(window, WM_COMMAND, IDOK, 0);
        const ReplacementCounts& counts = plan.counts();
        EnableWindow(GetDlgItem(window, IDOK), !find.empty());
        const std::wstring preview =
            scope + L"\n" +
            tkit::formatString(L"変更される行: %d（新しいパスあり %d、見つからない %d）\n"
                               L"拡張子違いの同名ファイルに合わせた行: %d\n"
                               L"同じファイルを指す行の組: %d\n"
                               L"無効なパスになるため変更しない行: %d",
                               counts.changed, counts.found, counts.notFound, counts.byName,
                               counts.sharedPairs, counts.invalid);
        SetDlgItemTextW(window, IDC_REPLACE_PREVIEW, preview.c_str());
    }

    PathReplacement& plan;
    std::wstring folder;
    std::wstring scope;
    // Set once both texts are in: the texts set before are not worked out one by one.
    bool ready = false;
    // While the preview is worked out: a change of the texts asks for it anew;
    // a change or the dialog's end stops the steps; OK waits for the end.
    bool planning = false;
    bool again = false;
    bool stopPlan = false;
    bool okWaiting = false;
    bool ended = false;
};

} // namespace

ReplaceRecord replacePaths(FileListView& list, HWND owner)
{
    const int count = list.itemCount();
    if (count == 0)
        return {};
    std::vector<std::wstring> paths;
    paths.reserve(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row)
        paths.push_back(list.path(row));
    std::vector<int> rows = list.selectedRows();
    const bool selection = !rows.empty();
    if (!selection)
    {
        rows.resize(paths.size());
        for (int row = 0; row < count; ++row)
            rows[static_cast<size_t>(row)] = row;
    }

    const std::wstring& first = paths[static_cast<size_t>(rows.front())];
    std::wstring folder = first.substr(0, first.find_last_of(L"\\/") + 1);
    std::wstring scope =
        tkit::formatString(selection ? L"対象: 選択した %d 行" : L"対象: すべての %d 行",
                           static_cast<int>(rows.size()));

    PathReplacement replacement(std::move(paths), std::move(rows));
    ReplaceDialog dialog(replacement, std::move(folder), std::move(scope));
    dialog.runModal(owner);
    if (!dialog.accepted)
        return {};
    ReplaceRecord record;
    list.runInSteps(L"置換中", [&](Steps& steps) {
        record = ReplaceRecord::apply(list, replacement.changes(), steps);
    });
    return record;
}
