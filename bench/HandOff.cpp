// A full command line handed to an open window, against the same paths added
// by a new window: about 1,450 paths, as many as the platform's limit of
// 32,767 characters holds (Explorer's "Send To" makes such lines).
//   new window   chronoguard.exe started with the paths while no window is
//                open, until its window holds every row; and the adds alone
//                that such a window makes of its start paths (in this process)
//   hand-off     chronoguard.exe started with the paths while the main window
//                (run here) is open, until it has handed every path over and
//                ended
// The starts are timed for one path and for all of them, so that the cost of
// starting a process drops out: per path = (all - one) / (paths - 1).
// Medians of the rounds; the measures take turns within a round.
//
//   bench_HandOff [rounds]

#include "support/BenchTree.h"
#include "support/InMainWindow.h"
#include "mainwin/MainDialog.h"
#include "mainwin/WindowTitle.h"
#include "stamps/FileListView.h"
#include "tkit/ui/RedrawPause.h"
#include "res/resource.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace
{

constexpr int pathCount = 1450;

struct Run
{
    MainDialog* dialog = nullptr;
    int rounds = 5;
    bool ok = true;
};
Run benchRun;

std::wstring programPath()
{
    // The benchmarks live in <build>\bench, the program in <build>.
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring path = module;
    path.resize(path.find_last_of(L"\\/"));
    path.resize(path.find_last_of(L"\\/"));
    return path + L"\\chronoguard.exe";
}

// Handles what the window is sent and posted meanwhile, until condition holds.
template <typename Condition>
void pumpUntil(Condition condition)
{
    while (!condition())
    {
        MsgWaitForMultipleObjectsEx(0, nullptr, 1, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

bool ended(const PROCESS_INFORMATION& process)
{
    return process.hProcess == nullptr || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
}

// The adds of a new window that starts with the paths: seconds.
double newWindowAdds(const std::vector<std::wstring>& paths)
{
    FileListView& list = *benchRun.dialog->list();
    list.deleteAllItems();
    const LARGE_INTEGER from = bench::now();
    {
        const tkit::RedrawPause pause(list);
        for (const std::wstring& path : paths)
            list.addPath(path, false);
    }
    return bench::secondsBetween(from, bench::now());
}

PROCESS_INFORMATION start(const std::wstring& arguments, const std::wstring& folder)
{
    std::wstring line = L"\"" + programPath() + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process))
        benchRun.ok = false;
    return process;
}

void release(const PROCESS_INFORMATION& process)
{
    if (process.hProcess == nullptr)
        return;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

// The timestamp list of a top-level window of a process, or null.
HWND listOfProcess(DWORD processId)
{
    std::pair<DWORD, HWND> search = {processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM found) {
            auto& [process, list] = *reinterpret_cast<std::pair<DWORD, HWND>*>(found);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == process && GetDlgItem(window, IDC_FILE_LIST) != nullptr)
                list = GetDlgItem(window, IDC_FILE_LIST);
            return list == nullptr ? TRUE : FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

// A new window started with the arguments: seconds until its list holds rows rows.
double newWindow(const std::wstring& arguments, const std::wstring& folder, int rows)
{
    // The open window must not be found: the start then opens its own.
    SetWindowTextW(benchRun.dialog->window, L"");
    const LARGE_INTEGER from = bench::now();
    const PROCESS_INFORMATION process = start(arguments, folder);
    HWND list = nullptr;
    pumpUntil([&] {
        if (list == nullptr)
            list = listOfProcess(process.dwProcessId);
        return ended(process) ||
               (list != nullptr && SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == rows);
    });
    const double seconds = bench::secondsBetween(from, bench::now());
    if (list == nullptr)
        benchRun.ok = false;
    PostMessageW(GetParent(list), WM_CLOSE, 0, 0);
    pumpUntil([&] { return ended(process); });
    release(process);
    SetWindowTextW(benchRun.dialog->window, windowTitle().c_str());
    return seconds;
}

// A start with the arguments that hands them to the open window: seconds until it has ended.
double handOff(const std::wstring& arguments, const std::wstring& folder,
               const std::vector<std::wstring>& rows)
{
    FileListView& list = *benchRun.dialog->list();
    list.deleteAllItems();
    std::wstring line = L"\"" + programPath() + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const LARGE_INTEGER from = bench::now();
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process))
        benchRun.ok = false;
    pumpUntil([&] { return ended(process); });
    // The window repaints once the burst is over; that is part of the hand-off.
    pumpUntil([&] { return GetUpdateRect(list.window, nullptr, FALSE) == FALSE; });
    const double seconds = bench::secondsBetween(from, bench::now());
    if (process.hProcess != nullptr)
    {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    // Every path once, in order.
    bool same = list.itemCount() == static_cast<int>(rows.size());
    for (int row = 0; same && row < list.itemCount(); ++row)
        same = list.path(row) == rows[static_cast<size_t>(row)];
    if (!same)
    {
        std::printf("  hand-off: %d rows, not the %zu paths in order\n", list.itemCount(),
                    rows.size());
        benchRun.ok = false;
    }
    return seconds;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void CALLBACK runBenchmark(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    const std::wstring folder = bench::scratchPath(L"handoff");
    CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring all;
    std::vector<std::wstring> paths;
    for (int serial = 0; serial < pathCount; ++serial)
    {
        wchar_t name[32];
        swprintf(name, 32, L"handed-over-%05d.txt", serial);
        paths.push_back(folder + L"\\" + name);
        HANDLE file = CreateFileW(paths.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        CloseHandle(file);
        all += std::wstring(all.empty() ? L"" : L" ") + name;
    }
    const std::wstring one = paths.front().substr(folder.size() + 1);
    std::printf("%d paths, a command line of %zu characters\n", pathCount, all.size());
    std::fflush(stdout);

    std::vector<double> added, newOne, newAll, handOne, handAll;
    for (int round = 0; round < benchRun.rounds; ++round)
    {
        added.push_back(newWindowAdds(paths));
        newOne.push_back(newWindow(one, folder, 1));
        newAll.push_back(newWindow(all, folder, pathCount));
        handOne.push_back(handOff(one, folder, {paths.front()}));
        handAll.push_back(handOff(all, folder, paths));
    }
    const auto perPath = [](const std::vector<double>& several, const std::vector<double>& single) {
        return (median(several) - median(single)) / (pathCount - 1) * 1e6;
    };
    const double addsPerPath = median(added) / pathCount * 1e6;
    const double newPerPath = perPath(newAll, newOne);
    const double handPerPath = perPath(handAll, handOne);
    std::printf("new window's adds: %d paths in %.0f ms\n", pathCount, median(added) * 1e3);
    std::printf("new window: one path %.0f ms, %d paths %.0f ms\n", median(newOne) * 1e3, pathCount,
                median(newAll) * 1e3);
    std::printf("hand-off: one path %.0f ms, %d paths %.0f ms\n", median(handOne) * 1e3, pathCount,
                median(handAll) * 1e3);
    std::printf("microseconds per path: new window %.1f (its adds %.1f), hand-off %.1f; "
                "ratio %.2f (%.2f to the adds), at most 2\n",
                newPerPath, addsPerPath, handPerPath, handPerPath / newPerPath,
                handPerPath / addsPerPath);
    std::fflush(stdout);
    if (handPerPath > 2 * newPerPath)
        std::printf("the hand-off costs more than twice a new window per path\n");
    benchRun.dialog->list()->deleteAllItems();
    bench::removeTree(folder);
    PostMessageW(benchRun.dialog->window, WM_COMMAND, IDCANCEL, 0);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
        benchRun.rounds = std::max(1, std::atoi(argv[1]));
    // The benchmark runs inside the open window's own modal loop, where hand-offs arrive.
    bench::runInMainWindow(benchRun.dialog, runBenchmark);
    if (!benchRun.ok)
        std::printf("some run did not come out as expected\n");
    return benchRun.ok ? 0 : 1;
}
