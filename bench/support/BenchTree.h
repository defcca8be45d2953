#pragma once

#include <windows.h>

#include <string>

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
// Removes a folder with everything below it, read-only files included.
void removeTree(const std::wstring& folder);
// A path in the user's temporary folder, unique to this process: "<temp>cgbench-<stem>-<pid>".
std::wstring scratchPath(const std::wstring& stem);

// Seconds between two performance-counter readings.
double secondsBetween(LARGE_INTEGER from, LARGE_INTEGER to);
// The performance counter now.
LARGE_INTEGER now();

} // namespace bench
