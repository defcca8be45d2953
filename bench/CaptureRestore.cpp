// Capture and restore of whole trees by the program, side by side with the
// least the platform needs for the same work, on trees of 1,000, 10,000 and
// 100,000 entries:
//   capture floor   walk the tree; GetFileAttributesExW every entry
//   capture         FileListView::addPath of the root, recursively, into the
//                   list of a running main dialog, until every row is in
//   restore floor   open for attribute writes, SetFileTime, close every entry
//   required floor  the restore floor with the reads a restore needs: one
//                   GetFileAttributesExW before the write (is the time there
//                   already), the time and the file id on the handle after it
//                   (what the volume kept, and which file it is, for an undo)
//                   and one GetFileAttributesExW after the whole pass (does
//                   the file carry the time)
//   restore         MainDialog::restoreTimestamps over the captured rows
// Each figure is the median of several rounds; the five take turns within a
// round, so that load from elsewhere on the machine weighs on all alike.
//
// The memory figures come from a process of their own that does what the
// program does when started with "-r" and the largest tree, and nothing else:
// this process holds path lists of its own that the program never has.
//
//   bench_CaptureRestore [largest size [rounds]]   (default: all sizes)
//   bench_CaptureRestore memory <folder>           the memory process

#include "support/BenchTree.h"
#include "support/InMainWindow.h"
#include "mainwin/MainDialog.h"
#include "stamps/EntryStatus.h"
#include "stamps/FileListView.h"
#include "tkit/fs/EntryIdentity.h"

#include <windows.h>

#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

// Twenty sub-folders per folder and one entry in twenty a folder.
constexpr bench::TreeShape shape = {400, 20};

struct Size
{
    int rows;
    int rounds;
};
constexpr Size sizes[] = {{1000, 7}, {10000, 3}, {100000, 1}};

enum Measure
{
    captureFloor,
    capture,
    restoreFloor,
    requiredFloor,
    restore,
    measureCount
};

struct Figures
{
    int rows = 0;
    // Median seconds of each measure.
    double seconds[measureCount] = {};
    double perRow(Measure measure) const { return seconds[measure] / rows * 1e6; }
};

struct Entry
{
    std::wstring path;
    bool folder;
};

DWORD openFlags(bool folder)
{
    return folder ? FILE_FLAG_BACKUP_SEMANTICS : FILE_ATTRIBUTE_NORMAL;
}

// Walks the tree below root, root first, calling visit(path, folder) for every entry.
template <typename Visit>
void walk(const std::wstring& root, Visit visit)
{
    visit(root, true);
    bench::walkTree(root, [&](const std::wstring& folder, const WIN32_FIND_DATAW& data) {
        visit(folder + L"\\" + data.cFileName,
              (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    });
}

std::vector<Entry> listTree(const std::wstring& root)
{
    std::vector<Entry> entries;
    walk(root, [&](const std::wstring& path, bool folder) { entries.push_back({path, folder}); });
    return entries;
}

int bareCapture(const std::wstring& root)
{
    int read = 0;
    WIN32_FILE_ATTRIBUTE_DATA data;
    walk(root, [&](const std::wstring& path, bool) {
        if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
            ++read;
    });
    return read;
}

int bareRestore(const std::vector<Entry>& entries, const FILETIME& time, bool required)
{
    int written = 0;
    WIN32_FILE_ATTRIBUTE_DATA data;
    for (const Entry& entry : entries)
    {
        const wchar_t* path = entry.path.c_str();
        if (required)
            GetFileAttributesExW(path, GetFileExInfoStandard, &data);
        HANDLE file = CreateFileW(path, FILE_WRITE_ATTRIBUTES | FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, openFlags(entry.folder), nullptr);
        if (file != INVALID_HANDLE_VALUE && SetFileTime(file, nullptr, nullptr, &time))
            ++written;
        FILETIME kept;
        if (required && file != INVALID_HANDLE_VALUE)
            written -=
                GetFileTime(file, nullptr, nullptr, &kept) && tkit::openEntryIdentity(file) ? 0 : 1;
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }
    if (required)
    {
        for (const Entry& entry : entries)
            written -= GetFileAttributesExW(entry.path.c_str(), GetFileExInfoStandard, &data) &&
                               CompareFileTime(&data.ftLastWriteTime, &time) == 0
                           ? 0
                           : 1;
    }
    return written;
}

// Lets the dialog handle what has piled up (the list's repaint, say).
void pumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

int rowsWithStatus(const FileListView& list, EntryStatus status)
{
    int count = 0;
    for (int row = 0, rows = list.itemCount(); row < rows; ++row)
        count += list.itemData(row) == static_cast<LPARAM>(status) ? 1 : 0;
    return count;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

template <typename Work>
double timed(Work work)
{
    const LARGE_INTEGER start = bench::now();
    work();
    return bench::secondsBetween(start, bench::now());
}

struct Memory
{
    double workingSetMiB = 0;
    double peakMiB = 0;
};

Memory memoryNow()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return {static_cast<double>(counters.WorkingSetSize) / 1048576.0,
            static_cast<double>(counters.PeakWorkingSetSize) / 1048576.0};
}

// What the process heap, where the list control keeps its rows, holds in use
// and what it holds free between the blocks in use.
struct HeapUse
{
    double usedMiB = 0;
    double freeMiB = 0;
    size_t freeBlocks = 0;
};

HeapUse processHeapUse()
{
    HeapUse use;
    const HANDLE heap = GetProcessHeap();
    PROCESS_HEAP_ENTRY entry = {};
    HeapLock(heap);
    while (HeapWalk(heap, &entry))
    {
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
            use.usedMiB += entry.cbData / 1048576.0;
        else if (!(entry.wFlags & (PROCESS_HEAP_REGION | PROCESS_HEAP_UNCOMMITTED_RANGE)))
        {
            use.freeMiB += entry.cbData / 1048576.0;
            ++use.freeBlocks;
        }
    }
    HeapUnlock(heap);
    return use;
}

struct MemoryRun
{
    MainDialog* dialog = nullptr;
    Memory before;
};
MemoryRun memoryRun;

// Runs once the dialog has taken in all its start paths.
void CALLBACK reportMemory(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    // The start paths are added in steps, between which this timer may fire.
    if (memoryRun.dialog->busy())
    {
        SetTimer(nullptr, 0, 100, reportMemory);
        return;
    }
    const Memory with = memoryNow();
    const HeapUse heap = processHeapUse();
    std::printf("memory of a process started with -r and the tree: %d rows; working set "
                "%.1f MiB (%.1f MiB before the rows), peak %.1f MiB\n",
                memoryRun.dialog->list()->itemCount(), with.workingSetMiB,
                memoryRun.before.workingSetMiB, with.peakMiB);
    std::printf("  its process heap: %.1f MiB in use, %.1f MiB free in %zu blocks between them\n",
                heap.usedMiB, heap.freeMiB, heap.freeBlocks);
    std::fflush(stdout);
    PostMessageW(memoryRun.dialog->window, WM_COMMAND, IDCANCEL, 0);
}

// The memory process: a main dialog with "-r folder" as its command line.
int measureMemory(const std::wstring& folder)
{
    // Measured before the dialog exists, so that the figure holds the dialog too.
    memoryRun.before = memoryNow();
    bench::runInMainWindow(memoryRun.dialog, reportMemory,
                           L"chronoguard.exe -r \"" + folder + L"\"");
    return 0;
}

// Starts this program as the memory process for folder and waits for it; its
// figures go to the same output.
bool runMemoryProcess(const std::wstring& folder)
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring line = L"\"" + std::wstring(self) + L"\" memory \"" + folder + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    std::fflush(stdout);
    if (!CreateProcessW(self, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code == 0;
}

struct Run
{
    MainDialog* dialog = nullptr;
    int largest = 100000;
    int rounds = 0;
    std::vector<Figures> figures;
    bool ok = true;
};
Run benchRun;

void complain(const char* what, int rows, int got)
{
    std::printf("  %d rows: %s %d\n", rows, what, got);
    benchRun.ok = false;
}

Figures measure(FileListView& list, const Size& size, int rounds)
{
    const std::wstring root = bench::scratchPath(L"capture-" + std::to_wstring(size.rows));
    const LARGE_INTEGER made = bench::now();
    // The root is a row too.
    bench::generateTree(root, size.rows - 1, shape);
    const std::vector<Entry> entries = listTree(root);
    std::printf("tree of %d entries made in %.1f s\n", size.rows,
                bench::secondsBetween(made, bench::now()));
    std::fflush(stdout);
    if (static_cast<int>(entries.size()) != size.rows)
        complain("entries in the tree:", size.rows, static_cast<int>(entries.size()));
    if (size.rows == benchRun.largest && !runMemoryProcess(root))
        complain("memory process failed; rows:", size.rows, 0);

    FILETIME time;
    const SYSTEMTIME local = {2021, 4, 1, 5, 6, 7, 8, 9};
    FILETIME localTime;
    SystemTimeToFileTime(&local, &localTime);
    LocalFileTimeToFileTime(&localTime, &time);

    // One untimed pass first, so every measure finds the tree equally warm;
    // the largest tree is measured in few rounds and goes without it, which
    // keeps the whole run within a quarter of an hour.
    if (size.rows < 100000)
    {
        bareCapture(root);
        bareRestore(entries, time, true);
    }

    std::vector<double> seconds[measureCount];
    for (int round = 0; round < rounds; ++round)
    {
        // The floors write a time that no earlier pass left on the files, so
        // the captured times are never there already and the restore writes
        // every one of them.
        FILETIME floorTime = time;
        ULARGE_INTEGER ticks = {{time.dwLowDateTime, time.dwHighDateTime}};
        ticks.QuadPart += 10'000ULL * static_cast<unsigned>(round + 1);
        floorTime.dwLowDateTime = ticks.LowPart;
        floorTime.dwHighDateTime = ticks.HighPart;
        int done = 0;
        seconds[captureFloor].push_back(timed([&] { done = bareCapture(root); }));
        if (done != size.rows)
            complain("times read by the capture floor:", size.rows, done);

        list.deleteAllItems();
        pumpMessages();
        seconds[capture].push_back(timed([&] { list.addPath(root, true); }));
        if (list.itemCount() != size.rows)
            complain("rows captured:", size.rows, list.itemCount());
        pumpMessages();

        seconds[restoreFloor].push_back(
            timed([&] { done = bareRestore(entries, floorTime, false); }));
        if (done != size.rows)
            complain("times written by the restore floor:", size.rows, done);
        // The required floor and the restore do the same file calls; they
        // swap places every round, so that neither always pays for the
        // writes the other left for the file system to settle.
        const auto requiredRound = [&] {
            seconds[requiredFloor].push_back(
                timed([&] { done = bareRestore(entries, floorTime, true); }));
            if (done != size.rows)
                complain("times written by the required floor:", size.rows, done);
        };
        if (round % 2 == 0)
            requiredRound();
        seconds[restore].push_back(timed([&] { benchRun.dialog->restoreTimestamps(); }));
        pumpMessages();
        if (round % 2 == 1)
            requiredRound();
        const int restored = rowsWithStatus(list, EntryStatus::Restored);
        if (restored != size.rows)
            complain("rows restored:", size.rows, restored);
    }

    list.deleteAllItems();
    pumpMessages();
    bench::removeTree(root);

    Figures figures;
    figures.rows = size.rows;
    for (int at = 0; at < measureCount; ++at)
        figures.seconds[at] = median(seconds[at]);
    return figures;
}

void printTable()
{
    std::printf("\nmicroseconds per entry, median of the rounds\n");
    std::printf("%8s %9s %9s %7s | %9s %9s %9s %9s %9s\n", "entries", "capFloor", "capture",
                "ratio", "rstFloor", "required", "restore", "/required", "/floor");
    for (const Figures& f : benchRun.figures)
    {
        std::printf("%8d %9.1f %9.1f %7.2f | %9.1f %9.1f %9.1f %9.2f %9.2f\n", f.rows,
                    f.perRow(captureFloor), f.perRow(capture),
                    f.perRow(capture) / f.perRow(captureFloor), f.perRow(restoreFloor),
                    f.perRow(requiredFloor), f.perRow(restore),
                    f.perRow(restore) / f.perRow(requiredFloor),
                    f.perRow(restore) / f.perRow(restoreFloor));
    }
    if (benchRun.figures.size() >= 2)
    {
        const Figures& first = benchRun.figures.front();
        const Figures& last = benchRun.figures.back();
        std::printf("per-entry cost, %d against %d entries: capture floor %.2f, capture %.2f, "
                    "restore floor %.2f, required floor %.2f, restore %.2f\n",
                    last.rows, first.rows, last.perRow(captureFloor) / first.perRow(captureFloor),
                    last.perRow(capture) / first.perRow(capture),
                    last.perRow(restoreFloor) / first.perRow(restoreFloor),
                    last.perRow(requiredFloor) / first.perRow(requiredFloor),
                    last.perRow(restore) / first.perRow(restore));
        // The floors themselves cost more per entry in a bigger tree; what the
        // program adds on top of them is its ratio to them.
        std::printf("ratio to the floor, %d against %d entries: capture %.2f, restore %.2f\n",
                    last.rows, first.rows,
                    (last.perRow(capture) / last.perRow(captureFloor)) /
                        (first.perRow(capture) / first.perRow(captureFloor)),
                    (last.perRow(restore) / last.perRow(requiredFloor)) /
                        (first.perRow(restore) / first.perRow(requiredFloor)));
    }
}

void CALLBACK runBenchmarks(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    FileListView& list = *benchRun.dialog->list();
    for (const Size& size : sizes)
    {
        if (size.rows > benchRun.largest)
            break;
        const int rounds = benchRun.rounds > 0 ? benchRun.rounds : size.rounds;
        const LARGE_INTEGER start = bench::now();
        benchRun.figures.push_back(measure(list, size, rounds));
        std::printf("  %d rounds in %.1f s\n", rounds, bench::secondsBetween(start, bench::now()));
        std::fflush(stdout);
    }
    printTable();
    PostMessageW(benchRun.dialog->window, WM_COMMAND, IDCANCEL, 0);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && std::string(argv[1]) == "memory")
    {
        int count = 0;
        wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
        const std::wstring folder = wide != nullptr && count > 2 ? wide[2] : L"";
        LocalFree(wide);
        return measureMemory(folder);
    }
    if (argc > 1)
        benchRun.largest = std::atoi(argv[1]);
    if (argc > 2)
        benchRun.rounds = std::atoi(argv[2]);
    // The largest size that will run: the one the memory figures are taken with.
    int largest = sizes[0].rows;
    for (const Size& size : sizes)
    {
        if (size.rows <= benchRun.largest)
            largest = size.rows;
    }
    benchRun.largest = largest;

    bench::runInMainWindow(benchRun.dialog, runBenchmarks);
    if (!benchRun.ok)
        std::printf("some rows or files did not come out as expected\n");
    return benchRun.ok ? 0 : 1;
}
