// Responsiveness: how long the main window takes to answer another program
// while it works. A second process (this program, started with "probe")
// sends the window WM_NULL every 50 ms with SendMessageTimeout and keeps the
// longest wait; this one drops a folder of files on the window (an add), then
// restores them, flips every box (Space), deletes every other row (Delete)
// and clears the rest, each in steps as the program runs and in one piece
// (the window handles no message until the work is done), round after round.
// It prints each work's median time beside the longest wait, both ways, and
// the ratio of the times; then it times Ctrl+A on the rows and the Down key
// that leaves one row of them selected.
//
//   bench_Responsiveness [files=100000 [rounds=2]]

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
#include <iterator>
#include <string>
#include <vector>

namespace
{

struct Run
{
    MainDialog* dialog = nullptr;
    int files = 100000;
    int rounds = 2;
    bool ok = true;
};

// What one measure gave: the work's time in seconds and the longest wait in ms.
struct Sample
{
    double seconds;
    DWORD longest;
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

// Runs work while a probe asks the window; its time, and the longest wait.
Sample measure(void (*prepare)(), void (*work)())
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
    return {seconds, longest};
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
    const struct
    {
        const char* name;
        void (*prepare)();
        void (*work)();
    } works[] = {{"add", clearList, add},
                 {"restore", touchAll, restore},
                 {"Space", selectAll, space},
                 {"Delete", selectEveryOther, deleteRows},
                 {"clear", nothing, clearRows}};
    constexpr size_t workCount = std::size(works);
    // samples[work][0] in steps, [1] in one piece. The ways take turns at going
    // first, round by round, so that neither always finds the files as the
    // other left them.
    std::vector<Sample> samples[workCount][2];
    for (int round = 0; round < run.rounds; ++round)
        for (const int way : {round % 2, 1 - round % 2})
        {
            LongWork::sliceMilliseconds = way == 0 ? 50u : UINT_MAX;
            for (size_t work = 0; work < workCount; ++work)
                samples[work][way].push_back(measure(works[work].prepare, works[work].work));
        }
    std::printf("%d files, %d rounds: median work time, longest wait of all rounds\n", run.files,
                run.rounds);
    std::printf("%-8s %12s %12s %12s %12s %7s\n", "", "steps s", "steps ms", "piece s", "piece ms",
                "ratio");
    for (size_t work = 0; work < workCount; ++work)
    {
        double seconds[2];
        DWORD longest[2];
        for (const int way : {0, 1})
        {
            std::vector<Sample>& of = samples[work][way];
            std::sort(of.begin(), of.end(),
                      [](const Sample& a, const Sample& b) { return a.seconds < b.seconds; });
            seconds[way] = of[(of.size() - 1) / 2].seconds;
            longest[way] = std::max_element(of.begin(), of.end(), [](auto& a, auto& b) {
                               return a.longest < b.longest;
                           })->longest;
        }
        std::printf("%-8s %12.2f %12lu %12.2f %12lu %7.2f\n", works[work].name, seconds[0],
                    longest[0], seconds[1], longest[1], seconds[0] / seconds[1]);
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
    if (argc > 2)
        run.rounds = std::max(1, std::atoi(argv[2]));
    bench::runInMainWindow(run.dialog, start);
    if (!run.ok)
        std::printf("some rows did not come out as expected\n");
    return run.ok ? 0 : 1;
}
