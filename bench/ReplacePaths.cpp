// A replacement in the paths of a whole folder, side by side with capturing
// it: a folder of photos is dropped (recursively), its copies converted to
// another extension sit in another folder, Ctrl+A, Ctrl+H from the old folder
// to the new one with the name match on, OK and Enter. Each round times
//   capture      the drop of the folder, until every row is in
//   preview      the dialog's preview once the new folder is typed (the new
//                folder is listed here)
//   match        the preview once the name match is checked (the old folder
//                is listed here, to tell folders from files)
//   again        the preview with the name match as each further key gives it
//                (both folders already listed)
//   apply        OK, until every row has its new path
//   list floor   the platform's own listing of both folders, once each
// and checks that after Enter every converted file carries its original's
// time. Times per row, median of the rounds.
//
//   bench_ReplacePaths [photos=10000] [rounds=3]

#include "support/BenchDrop.h"
#include "support/BenchTree.h"
#include "support/InMainWindow.h"
#include "mainwin/MainDialog.h"
#include "stamps/FileListView.h"
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

enum Measure
{
    capture,
    preview,
    match,
    again,
    apply,
    listFloor,
    measureCount
};

struct Run
{
    MainDialog* dialog = nullptr;
    int photos = 10000;
    int rounds = 3;
    std::wstring oldFolder, newFolder;
    std::vector<double> seconds[measureCount];
    // When OK was sent: the apply is timed from here until the command returns.
    LARGE_INTEGER okSent = {};
    bool ok = true;
};
Run run;

std::wstring photoName(int serial, const wchar_t* extension)
{
    wchar_t name[64];
    swprintf(name, 64, serial % 2 ? L"IMG_%05d.%ls" : L"写真 %05d.%ls", serial, extension);
    return name;
}

FILETIME originalTime(int serial)
{
    // A second and a millisecond apart, from 2019/06/01 00:00 UTC on.
    ULARGE_INTEGER ticks;
    ticks.QuadPart =
        132038496000000000ULL + static_cast<unsigned long long>(serial) * 10'010'000ULL;
    return {ticks.LowPart, ticks.HighPart};
}

void makeFile(const std::wstring& path, const FILETIME* time)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
    {
        run.ok = false;
        return;
    }
    if (time != nullptr)
        SetFileTime(file, nullptr, nullptr, time);
    CloseHandle(file);
}

unsigned long long lastWriteTicks(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

// The number of entries of a folder, "." and ".." left out.
int listFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data,
                                   FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    int entries = 0;
    do
    {
        const wchar_t* name = data.cFileName;
        if (!(name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0))))
            ++entries;
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return entries;
}

template <typename Work>
double timed(Work work)
{
    const LARGE_INTEGER start = bench::now();
    work();
    return bench::secondsBetween(start, bench::now());
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs inside the replace dialog's loop: types the texts, checks the name match, OK.
void CALLBACK inReplaceDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND box = FindWindowW(L"#32770", L"パスの置換");
    if (box == nullptr)
    {
        run.ok = false;
        return;
    }
    const auto click = [&] { SendDlgItemMessageW(box, IDC_REPLACE_BY_NAME, BM_CLICK, 0, 0); };
    SetDlgItemTextW(box, IDC_REPLACE_FIND, (run.oldFolder + L"\\").c_str());
    run.seconds[preview].push_back(
        timed([&] { SetDlgItemTextW(box, IDC_REPLACE_WITH, (run.newFolder + L"\\").c_str()); }));
    run.seconds[match].push_back(timed(click));
    click();
    run.seconds[again].push_back(timed(click));
    run.okSent = bench::now();
    SendMessageW(box, WM_COMMAND, IDOK, 0);
}

void CALLBACK measure(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    MainDialog& dialog = *run.dialog;
    FileListView& list = *dialog.list();
    dialog.addRecursively = true;
    const std::wstring root = bench::scratchPath(L"replace");
    run.oldFolder = root + L"\\photos";
    run.newFolder = root + L"\\converted";
    CreateDirectoryW(root.c_str(), nullptr);
    CreateDirectoryW(run.oldFolder.c_str(), nullptr);
    CreateDirectoryW(run.newFolder.c_str(), nullptr);
    const LARGE_INTEGER made = bench::now();
    for (int serial = 0; serial < run.photos; ++serial)
    {
        const FILETIME time = originalTime(serial);
        makeFile(run.oldFolder + L"\\" + photoName(serial, L"jpg"), &time);
        makeFile(run.newFolder + L"\\" + photoName(serial, L"heic"), nullptr);
    }
    std::printf("%d photos and their conversions made in %.1f s\n", run.photos,
                bench::secondsBetween(made, bench::now()));
    std::fflush(stdout);

    for (int round = 0; round < run.rounds; ++round)
    {
        list.deleteAllItems();
        run.seconds[capture].push_back(timed([&] {
            SendMessageW(dialog.window, WM_DROPFILES,
                         reinterpret_cast<WPARAM>(bench::makeDrop({run.oldFolder})), 0);
        }));
        run.ok = run.ok && list.itemCount() == run.photos + 1;

        list.selectAll();
        SetTimer(nullptr, 0, 0, inReplaceDialog);
        SendMessageW(dialog.window, WM_COMMAND, IDM_REPLACE_PATHS, 0);
        run.seconds[apply].push_back(bench::secondsBetween(run.okSent, bench::now()));
        run.seconds[listFloor].push_back(timed([&] {
            run.ok = run.ok && listFolder(run.oldFolder) == run.photos &&
                     listFolder(run.newFolder) == run.photos;
        }));

        // Enter: every converted file gets its original's time.
        SendMessageW(dialog.window, WM_COMMAND, IDOK, 0);
        int wrong = 0;
        for (int serial = 0; serial < run.photos; ++serial)
        {
            const FILETIME time = originalTime(serial);
            const unsigned long long expected =
                (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
            if (lastWriteTicks(run.newFolder + L"\\" + photoName(serial, L"heic")) != expected)
                ++wrong;
        }
        if (wrong != 0)
        {
            std::printf("round %d: %d converted files without their original's time\n", round,
                        wrong);
            run.ok = false;
        }
        // The conversions get a time of their own again for the next round.
        for (int serial = 0; serial < run.photos; ++serial)
            makeFile(run.newFolder + L"\\" + photoName(serial, L"heic"), nullptr);
    }
    list.deleteAllItems();
    bench::removeTree(root);

    const double rows = run.photos + 1;
    const auto perRow = [&](Measure m) { return median(run.seconds[m]) / rows * 1e6; };
    std::printf("%d rows, median of %d rounds, microseconds per row:\n", run.photos + 1,
                run.rounds);
    std::printf("  capture %.2f | preview %.2f, match %.2f, again %.2f, apply %.2f | "
                "list floor %.2f\n",
                perRow(capture), perRow(preview), perRow(match), perRow(again), perRow(apply),
                perRow(listFloor));
    std::printf("  replacement (preview + match + apply) / capture %.2f; "
                "each further key / capture %.2f\n",
                (perRow(preview) + perRow(match) + perRow(apply)) / perRow(capture),
                perRow(again) / perRow(capture));
    PostMessageW(dialog.window, WM_COMMAND, IDCANCEL, 0);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
        run.photos = std::max(1, std::atoi(argv[1]));
    if (argc > 2)
        run.rounds = std::max(1, std::atoi(argv[2]));
    bench::runInMainWindow(run.dialog, measure);
    if (!run.ok)
        std::printf("some rows or files did not come out as expected\n");
    return run.ok ? 0 : 1;
}
