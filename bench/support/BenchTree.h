#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace bench
{

// How a generated tree is shaped: every folder holds up to entriesPerFolder
// entries, the first foldersPerFolder of them folders.
struct TreeShape
{
    int entriesPerFolder;
    int foldersPerFolder;
};

// The name of the serial-th entry of a generated tree; a mix of Japanese and
// ASCII names of several forms.
std::wstring entryName(int serial, bool folder);
// Makes root and a tree of exactly `entries` entries below it, filled breadth
// first, so that every folder but the last few is full.
void generateTree(const std::wstring& root, int entries, TreeShape shape);
// Walks the tree below root with the platform's own directory calls, depth
// first, calling visit(folder, data) for every entry but "." and ".." (folder
// is the path of the folder that holds it) and going down into every sub-folder.
template <typename Visit>
void walkTree(const std::wstring& root, Visit visit)
{
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
            visit(folder, data);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                pending.push_back(folder + L"\\" + name);
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
}
// Removes a folder with everything below it, read-only files included.
void removeTree(const std::wstring& folder);
// A path in the user's temporary folder, unique to this process: "<temp>cgbench-<stem>-<pid>".
std::wstring scratchPath(const std::wstring& stem);

// Seconds between two performance-counter readings.
double secondsBetween(LARGE_INTEGER from, LARGE_INTEGER to);
// The performance counter now.
LARGE_INTEGER now();

} // namespace bench
