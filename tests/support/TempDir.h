#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support
{

// A fresh folder under the user's temporary folder, removed with everything
// below it when the object goes away. Works with paths of any length.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder's path, without a trailing separator.
    const std::wstring& path() const { return root; }
    // root + "\" + relative
    std::wstring operator/(const std::wstring& relative) const;

    // Creates a file (and its missing parent folders) with some content.
    std::wstring file(const std::wstring& relative, const std::string& content = "x") const;
    // Creates a folder (and its missing parents).
    std::wstring folder(const std::wstring& relative) const;

private:
    std::wstring root;
};

// True under Wine, whose ntdll has an export of its own for its version.
bool runningUnderWine();
// The exact form of a path, in which every name is taken as written at any
// length: "\\?\" in front of an absolute path with backslashes ("\\?\UNC\"
// in place of a network path's "\\"), and of any other path of more than 250
// characters.
std::wstring longPath(const std::wstring& path);
// Creates every missing folder of a path.
void createFolders(const std::wstring& path);
// Removes a file or a folder with everything below it; clears read-only bits on the way.
void removeTree(const std::wstring& path);
// The names of a folder's entries in the platform's own order, "." and ".." left out.
std::vector<std::wstring> platformOrder(const std::wstring& folder);
std::vector<std::wstring> sorted(std::vector<std::wstring> list);

// FILETIME ticks are 100 ns; the timestamp text keeps whole milliseconds.
inline constexpr unsigned long long ticksPerMillisecond = 10'000;
// Ticks cut to the whole millisecond, as a restore writes a remembered time back.
unsigned long long wholeMilliseconds(unsigned long long ticks);
// Raw ticks as a FILETIME, and back.
FILETIME fileTimeOf(unsigned long long ticks);
unsigned long long ticksOf(const FILETIME& time);

// Last-write time of a path as raw FILETIME ticks, or 0 when it cannot be read.
unsigned long long lastWriteTicks(const std::wstring& path);
// Sets the last-write time of a path; false when that fails.
bool setLastWriteTicks(const std::wstring& path, unsigned long long ticks);
// A SYSTEMTIME with these fields (the day of the week left 0).
SYSTEMTIME dateTime(int year, int month, int day, int hour, int minute, int second,
                    int millisecond);
// FILETIME ticks of a local date and time (through the current time-zone bias), plus extra ticks.
unsigned long long localTicks(int year, int month, int day, int hour, int minute, int second,
                              int millisecond, unsigned long long extraTicks = 0);

// The text a time shows as in the list, through the same local-time conversion as capture.
std::wstring shownAs(unsigned long long ticks);

} // namespace testing_support
