// Paste against drop: the main dialog takes in the same files three times per
// round, as a drop of their paths, as a paste of the text that Ctrl+C makes of
// their rows, and as the list file that saving them makes, opened; it prints
// the time per row of each and the ratios, median of the rounds.
//
//   bench_PasteAgainstDrop [files=100000] [rounds=3]

#include "support/BenchDrop.h"
#include "support/BenchTree.h"
#include "support/InMainWindow.h"
#include "mainwin/MainDialog.h"
#include "stamps/FileListView.h"
#include "stamps/ListFile.h"
#include "res/resource.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{

struct Run
{
    MainDialog* dialog = nullptr;
    int files = 100000;
    int rounds = 3;
    bool ok = true;
};
Run run;

void putText(HWND owner, const std::wstring& text)
{
    OpenClipboard(owner);
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(block);
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
}

// Every file of the tree below root.
std::vector<std::wstring> filesBelow(const std::wstring& root)
{
    std::vector<std::wstring> names;
    bench::walkTree(root, [&](const std::wstring& folder, const WIN32_FIND_DATAW& found) {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(folder + L"\\" + found.cFileName);
    });
    return names;
}

double seconds(const std::vector<double>& values)
{
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    return sorted[sorted.size() / 2];
}

void CALLBACK measure(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    MainDialog& dialog = *run.dialog;
    FileListView& list = *dialog.list();
    const std::wstring root = bench::scratchPath(L"paste");
    // Folders of a thousand entries: a folder of a hundred thousand files is
    // slow to make under Wine.
    bench::generateTree(root, run.files, {1000, 10});
    const std::vector<std::wstring> names = filesBelow(root);

    // The text Ctrl+C makes of the dropped rows.
    std::wstring copied;
    SendMessageW(dialog.window, WM_DROPFILES, reinterpret_cast<WPARAM>(bench::makeDrop(names)), 0);
    list.setItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    SendMessageW(dialog.window, WM_COMMAND, IDM_COPY, 0);
    OpenClipboard(dialog.window);
    if (HANDLE block = GetClipboardData(CF_UNICODETEXT))
    {
        copied = static_cast<const wchar_t*>(GlobalLock(block));
        GlobalUnlock(block);
    }
    CloseClipboard();
    const std::wstring saved = root + L"\\list.txt";
    run.ok = run.ok && saveList(list, saved) == ERROR_SUCCESS;
    list.deleteAllItems();

    std::vector<double> drops, pastes, opens;
    for (int round = 0; round < run.rounds; ++round)
    {
        LARGE_INTEGER start = bench::now();
        SendMessageW(dialog.window, WM_DROPFILES, reinterpret_cast<WPARAM>(bench::makeDrop(names)),
                     0);
        drops.push_back(bench::secondsBetween(start, bench::now()));
        run.ok = run.ok && list.itemCount() == static_cast<int>(names.size());
        list.deleteAllItems();

        putText(dialog.window, copied);
        start = bench::now();
        SendMessageW(dialog.window, WM_COMMAND, IDM_PASTE, 0);
        pastes.push_back(bench::secondsBetween(start, bench::now()));
        run.ok = run.ok && list.itemCount() == static_cast<int>(names.size());
        list.deleteAllItems();

        Skipped refused;
        start = bench::now();
        run.ok = run.ok && openList(list, saved, false, refused) == ERROR_SUCCESS;
        opens.push_back(bench::secondsBetween(start, bench::now()));
        run.ok = run.ok && list.itemCount() == static_cast<int>(names.size());
        list.deleteAllItems();
    }
    const double rows = static_cast<double>(names.size());
    std::printf("%zu files, median of %d rounds, microseconds per row: drop %.2f, paste %.2f, "
                "open %.2f; paste/drop %.2f, open/paste %.2f\n",
                names.size(), run.rounds, seconds(drops) / rows * 1e6, seconds(pastes) / rows * 1e6,
                seconds(opens) / rows * 1e6, seconds(pastes) / seconds(drops),
                seconds(opens) / seconds(pastes));
    bench::removeTree(root);
    PostMessageW(dialog.window, WM_COMMAND, IDCANCEL, 0);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
        run.files = std::max(1, std::atoi(argv[1]));
    if (argc > 2)
        run.rounds = std::max(1, std::atoi(argv[2]));
    bench::runInMainWindow(run.dialog, measure);
    if (!run.ok)
        std::printf("some rows did not come out as expected\n");
    return run.ok ? 0 : 1;
}
