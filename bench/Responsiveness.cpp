// Responsiveness: how long the main window takes to answer another program
// while it works. A second process (this program, started with "probe")
// sends the window WM_NULL every 50 ms with SendMessageTimeout and keeps the
// longest wait; this one drops a folder of files on the window (an add) and
// then restores them, flips every box (Space), deletes every other row
// (Delete) and clears the rest, each once in steps as the program runs and once as one piece (the
// window handles no message until the work is done), and prints the work's
// time beside the longest wait; then it times Ctrl+A on the rows and the
// Down key that leaves one row of them selected.
//
//   bench_Responsiveness [files=100000]

#include "support/BenchDrop.h"
#include "support/BenchTree.h"
#include "support/InMainWindow.h"
#include "mainwin/LongWork.h"
#include "mainwin/MainDialog.h"
#include "stamps/FileListView.h"
#include "tkit/ui/MessagePump.h"
#include "tkit/ui/RedrawPause.h"
#include "res/resource.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{

struct Run
{
    MainDialog* dialog = nullptr;
    int files = 100000;
    bool ok = true;
};
Run run;

// The probe: asks the window every 50 ms until the event is set; the longest
// wait in milliseconds is its exit code.
int probe(HWND window, HANDLE done)
{
    ULONGLONG longest = 0;
    while (WaitForSingleObject(done, 50) == WAIT_TIMEOUT)
    {
        const ULONGLONG start = GetTickCount64();
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &answer);
        longest = std::max(longest, GetTickCount64() - start);
    }
    return static_cast<int>(longest);
}

// Runs work while a probe asks the window; its time in seconds, and the longest wait.
void measure(const char* name, const char* way, void (*prepare)(), void (*work)())
{
    prepare();
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE done = CreateEventW(&inherit, TRUE, FALSE, nullptr);
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" probe " +
                           std::to_wstring(reinterpret_cast<UINT_PTR>(run.dialog->window)) + L" " +
                           std::to_wstring(reinterpret_cast<UINT_PTR>(done));
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION prober = {};
    run.ok = run.ok && CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &startup, &prober);
    Sleep(200);
    const LARGE_INTEGER start = bench::now();
    work();
    const double seconds = bench::secondsBetween(start, bench::now());
    SetEvent(done);
    // The probe may be waiting for the window: answer it meanwhile.
    while (WaitForSingleObject(prober.hProcess, 10) == WAIT_TIMEOUT)
        tkit::handleWaitingMessages(run.dialog->window);
    DWORD longest = 0;
    GetExitCodeProcess(prober.hProcess, &longest);
    CloseHandle(prober.hThread);
    CloseHandle(prober.hProcess);
    CloseHandle(done);
    std::printf("%d files, %-7s %-8s: work %7.2f s, longest wait %6lu ms\n", run.files, name, way,
                seconds, longest);
    std::fflush(stdout);
}

std::wstring root;

void clearList()
{
    run.dialog->list()->deleteAllItems();
}

void add()
{
    SendMessageW(run.dialog->window, WM_DROPFILES,
                 reinterpret_cast<WPARAM>(bench::makeDrop({root})), 0);
    run.ok = run.ok && run.dialog->list()->itemCount() == run.files + 1;
}

// Every file an hour on, so that the restore writes each one.
void touchAll()
{
    bench::walkTree(root, [](const std::wstring& folder, const WIN32_FIND_DATAW& found) {
        const std::wstring path = folder + L"\\" + found.cFileName;
        HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 7, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        ULARGE_INTEGER ticks = {
            {found.ftLastWriteTime.dwLowDateTime, found.ftLastWriteTime.dwHighDateTime}};
        ticks.QuadPart += 36'000'000'000ULL;
        const FILETIME later = {ticks.LowPart, ticks.HighPart};
        SetFileTime(file, nullptr, nullptr, &later);
        CloseHandle(file);
    });
}

void restore()
{
    SendMessageW(run.dialog->window, WM_COMMAND, IDOK, 0);
}

void selectAll()
{
    run.dialog->list()->selectAll();
}

// Space on every row, as the list's key does it: every box flips.
void space()
{
    SendMessageW(run.dialog->list()->window, WM_KEYDOWN, VK_SPACE, 0);
}

// Every other row selected, so that Delete takes the rows one by one.
void selectEveryOther()
{
    FileListView& list = *run.dialog->list();
    const tkit::RedrawPause pause(list);
    for (int row = 0, count = list.itemCount(); row < count; ++row)
        list.setItemState(row, row % 2 == 0 ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

void deleteRows()
{
    const int before = run.dialog->list()->itemCount();
    SendMessageW(run.dialog->list()->window, WM_KEYDOWN, VK_DELETE, 0);
    run.ok = run.ok && run.dialog->list()->itemCount() == before / 2;
}

void nothing() {}

// The rows left go, as クリア does it.
void clearRows()
{
    SendMessageW(run.dialog->window, WM_COMMAND, IDM_CLEAR, 0);
    run.ok = run.ok && run.dialog->list()->itemCount() == 0;
}

void CALLBACK start(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    root = bench::scratchPath(L"responsive");
    // Folders of a thousand entries: a folder of a hundred thousand files is
    // slow to make under Wine.
    bench::generateTree(root, run.files, {1000, 10});
    run.dialog->addRecursively = true;
    // Once unmeasured, so that both ways find the file system's caches alike.
    add();
    for (const auto& [way, slice] : {std::pair{"in steps", 50u}, std::pair{"one piece", UINT_MAX}})
    {
        LongWork::sliceMilliseconds = slice;
        measure("add", way, clearList, add);
        measure("restore", way, touchAll, restore);
        measure("Space", way, selectAll, space);
        measure("Delete", way, selectEveryOther, deleteRows);
        measure("clear", way, nothing, clearRows);
    }
    // Ctrl+A, as the list's key does it: every row's selection changes.
    clearList();
    add();
    const LARGE_INTEGER start = bench::now();
    run.dialog->list()->selectAll();
    const LARGE_INTEGER selected = bench::now();
    // Then Down, which leaves one row selected, as a click on a row does.
    SendMessageW(run.dialog->list()->window, WM_KEYDOWN, VK_DOWN, 0);
    run.ok = run.ok && run.dialog->list()->selectedCount() == 1;
    std::printf("%d files, Ctrl+A: %.2f s, then Down: %.2f s\n", run.files,
                bench::secondsBetween(start, selected),
                bench::secondsBetween(selected, bench::now()));
    bench::removeTree(root);
    PostMessageW(run.dialog->window, WM_COMMAND, IDCANCEL, 0);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "probe") == 0)
        return probe(reinterpret_cast<HWND>(std::strtoull(argv[2], nullptr, 10)),
                     reinterpret_cast<HANDLE>(std::strtoull(argv[3], nullptr, 10)));
    if (argc > 1)
        run.files = std::max(1, std::atoi(argv[1]));
    bench::runInMainWindow(run.dialog, start);
    if (!run.ok)
        std::printf("some rows did not come out as expected\n");
    return run.ok ? 0 : 1;
}
