// Expanding a folder tree against a bare loop of the platform's directory
// calls over the same tree: entries per second of both and their ratio, for a
// tree of 10,000 and one of 100,000 entries.

#include "tkit/fs/ExpandFolder.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <deque>
#include <string>
#include <vector>

namespace
{

constexpr int fanOut = 20;
constexpr int foldersPerFolder = 3;

std::wstring entryName(int serial, bool folder)
{
    static const wchar_t* const fileForms[] = {L"ファイル%06d.txt", L"data_%06d.bin",
                                               L"写真_%06d.jpg", L"report-%06d.docx"};
    static const wchar_t* const folderForms[] = {L"フォルダ%06d", L"dir_%06d"};
    wchar_t name[64];
    const wchar_t* form = folder ? folderForms[serial % 2] : fileForms[serial % 4];
    swprintf(name, 64, form, serial);
    return name;
}

// A tree of exactly `entries` entries below root, filled breadth first: every
// folder holds up to fanOut entries, a few of them folders.
void generate(const std::wstring& root, int entries)
{
    CreateDirectoryW(root.c_str(), nullptr);
    std::deque<std::wstring> folders = {root};
    int made = 0;
    while (made < entries && !folders.empty())
    {
        const std::wstring folder = folders.front();
        folders.pop_front();
        for (int i = 0; i < fanOut && made < entries; ++i, ++made)
        {
            const bool isFolder = i < foldersPerFolder;
            const std::wstring path = folder + L"\\" + entryName(made, isFolder);
            if (isFolder)
            {
                CreateDirectoryW(path.c_str(), nullptr);
                folders.push_back(path);
                continue;
            }
            HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file != INVALID_HANDLE_VALUE)
                CloseHandle(file);
        }
    }
}

void removeTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE)
    {
        do
        {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

// The least a walk over the tree needs: the platform's calls and the folder
// paths to go down into.
size_t bareLoop(const std::wstring& root)
{
    size_t count = 0;
    std::vector<std::wstring> pending = {root};
    WIN32_FIND_DATAW data;
    while (!pending.empty())
    {
        const std::wstring folder = std::move(pending.back());
        pending.pop_back();
        HANDLE find = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoStandard, &data,
                                       FindExSearchNameMatch, nullptr, 0);
        if (find == INVALID_HANDLE_VALUE)
            continue;
        do
        {
            const wchar_t* name = data.cFileName;
            if (name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0)))
                continue;
            ++count;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                pending.push_back(folder + L"\\" + name);
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    return count;
}

size_t expansion(const std::wstring& root)
{
    tkit::StringList list;
    tkit::expandFolder(&list, root.c_str());
    return list.size();
}

double seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

template <typename Walk>
double timed(Walk walk, const std::wstring& root, size_t& count)
{
    LARGE_INTEGER start, stop;
    QueryPerformanceCounter(&start);
    count = walk(root);
    QueryPerformanceCounter(&stop);
    return seconds(start, stop);
}

struct Figures
{
    double bareRate;
    double expandRate;
};

bool run(const std::wstring& root, int entries, Figures& figures)
{
    LARGE_INTEGER start, stop;
    QueryPerformanceCounter(&start);
    generate(root, entries);
    QueryPerformanceCounter(&stop);
    std::printf("tree of %d entries made in %.1f s\n", entries, seconds(start, stop));

    // One walk of each first, so both find the tree equally warm.
    bareLoop(root);
    expansion(root);
    // The best of several rounds, the two walks taking turns, so that load from
    // elsewhere on the machine weighs on both alike.
    size_t bareCount = 0;
    size_t expandCount = 0;
    double bare = 1e30;
    double expand = 1e30;
    for (int round = 0; round < 5; ++round)
    {
        bare = std::min(bare, timed(bareLoop, root, bareCount));
        expand = std::min(expand, timed(expansion, root, expandCount));
    }
    removeTree(root);

    figures.bareRate = bareCount / bare;
    figures.expandRate = expandCount / expand;
    std::printf("  bare loop   %7zu entries  %8.1f ms  %10.0f entries/s\n", bareCount, bare * 1e3,
                figures.bareRate);
    std::printf("  expansion   %7zu entries  %8.1f ms  %10.0f entries/s\n", expandCount,
                expand * 1e3, figures.expandRate);
    std::printf("  expansion takes %.2f times the bare loop's time\n", expand / bare);
    return bareCount == static_cast<size_t>(entries) && expandCount == bareCount;
}

} // namespace

int main()
{
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring base =
        std::wstring(temp) + L"cgbench-expand-" + std::to_wstring(GetCurrentProcessId());

    bool ok = true;
    Figures small{};
    Figures large{};
    ok = run(base + L"-10k", 10000, small) && ok;
    ok = run(base + L"-100k", 100000, large) && ok;

    std::printf("per-entry time, 100,000 against 10,000 entries: bare loop %.2f, expansion %.2f\n",
                small.bareRate / large.bareRate, small.expandRate / large.expandRate);
    if (!ok)
        std::printf("entry counts differ from the generated tree\n");
    return ok ? 0 : 1;
}
