#include "support/TempDir.h"

#include "stamps/Timestamp.h"

#include <algorithm>
#include <atomic>

namespace testing_support
{

namespace
{

std::wstring makeRoot()
{
    static std::atomic<unsigned> counter{0};
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    for (;;)
    {
        std::wstring candidate = std::wstring(temp) + L"cgtest-" +
                                 std::to_wstring(GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(counter++);
        if (CreateDirectoryW(candidate.c_str(), nullptr))
            return candidate;
    }
}

} // namespace

bool runningUnderWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

std::wstring longPath(const std::wstring& path)
{
    if (path.rfind(L"\\\\?\\", 0) == 0)
        return path;
    const bool backslashes = path.find(L'/') == std::wstring::npos;
    if (backslashes && path.rfind(L"\\\\", 0) == 0 && path.size() > 2 && path[2] != L'.')
        return L"\\\\?\\UNC" + path.substr(1);
    if ((backslashes && path.size() > 2 && path[1] == L':' && path[2] == L'\\') ||
        path.size() > 250)
        return L"\\\\?\\" + path;
    return path;
}

void createFolders(const std::wstring& path)
{
    for (size_t at = path.find_first_of(L"\\/", 3); at != std::wstring::npos;
         at = path.find_first_of(L"\\/", at + 1))
        CreateDirectoryW(longPath(path.substr(0, at)).c_str(), nullptr);
    CreateDirectoryW(longPath(path).c_str(), nullptr);
}

void removeTree(const std::wstring& path)
{
    const std::wstring name = longPath(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
    // A link to a folder is removed as a link; its target stays.
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    {
        for (const std::wstring& entry : platformOrder(path))
            removeTree(path + L"\\" + entry);
        RemoveDirectoryW(name.c_str());
    }
    else if (attributes & FILE_ATTRIBUTE_DIRECTORY)
    {
        RemoveDirectoryW(name.c_str());
    }
    else
    {
        DeleteFileW(name.c_str());
    }
}

std::vector<std::wstring> platformOrder(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(longPath(folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

std::vector<std::wstring> sorted(std::vector<std::wstring> list)
{
    std::sort(list.begin(), list.end());
    return list;
}

// Opens a file or folder for reading or writing its attributes and times,
// sharing everything, so the test never gets in the way of the program.
static HANDLE openForTimes(const std::wstring& path, DWORD access)
{
    const std::wstring name = longPath(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    const DWORD flags =
        (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            ? FILE_FLAG_BACKUP_SEMANTICS
            : 0;
    return CreateFileW(name.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, flags, nullptr);
}

unsigned long long wholeMilliseconds(unsigned long long ticks)
{
    return ticks / ticksPerMillisecond * ticksPerMillisecond;
}

FILETIME fileTimeOf(unsigned long long ticks)
{
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(ticks);
    time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return time;
}

unsigned long long ticksOf(const FILETIME& time)
{
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

unsigned long long lastWriteTicks(const std::wstring& path)
{
    HANDLE file = openForTimes(path, FILE_READ_ATTRIBUTES);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    FILETIME lastWrite = {};
    const BOOL ok = GetFileTime(file, nullptr, nullptr, &lastWrite);
    CloseHandle(file);
    return ok ? ticksOf(lastWrite) : 0;
}

bool setLastWriteTicks(const std::wstring& path, unsigned long long ticks)
{
    HANDLE file = openForTimes(path, FILE_WRITE_ATTRIBUTES);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const FILETIME lastWrite = fileTimeOf(ticks);
    const BOOL ok = SetFileTime(file, nullptr, nullptr, &lastWrite);
    CloseHandle(file);
    return ok != FALSE;
}

SYSTEMTIME dateTime(int year, int month, int day, int hour, int minute, int second, int millisecond)
{
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    time.wSecond = static_cast<WORD>(second);
    time.wMilliseconds = static_cast<WORD>(millisecond);
    return time;
}

unsigned long long localTicks(int year, int month, int day, int hour, int minute, int second,
                              int millisecond, unsigned long long extraTicks)
{
    const SYSTEMTIME st = dateTime(year, month, day, hour, minute, second, millisecond);
    FILETIME local = {};
    FILETIME utc = {};
    SystemTimeToFileTime(&st, &local);
    LocalFileTimeToFileTime(&local, &utc);
    return ticksOf(utc) + extraTicks;
}

std::wstring shownAs(unsigned long long ticks)
{
    FILETIME utc = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    FILETIME local = {};
    SYSTEMTIME time = {};
    FileTimeToLocalFileTime(&utc, &local);
    FileTimeToSystemTime(&local, &time);
    return formatTimestamp(time);
}

TempDir::TempDir() : root(makeRoot()) {}

TempDir::~TempDir()
{
    removeTree(root);
}

std::wstring TempDir::operator/(const std::wstring& relative) const
{
    return root + L"\\" + relative;
}

std::wstring TempDir::file(const std::wstring& relative, const std::string& content) const
{
    const std::wstring path = *this / relative;
    const size_t slash = path.find_last_of(L"\\/");
    createFolders(path.substr(0, slash));
    HANDLE file = CreateFileW(longPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
    {
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
    }
    return path;
}

std::wstring TempDir::folder(const std::wstring& relative) const
{
    const std::wstring path = *this / relative;
    createFolders(path);
    return path;
}

} // namespace testing_support
