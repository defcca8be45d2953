#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support
{

// The built program (chronoguard.exe in the build folder above the tests),
// started as a separate process.
class ProgramRun
{
public:
    // arguments follow the program's path on its command line; an empty
    // currentDirectory keeps this process's.
    explicit ProgramRun(const std::wstring& arguments, const std::wstring& currentDirectory = L"");
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool started() const { return process.hProcess != nullptr; }
    bool finished() const;
    // The exit code once finished, else STILL_ACTIVE.
    DWORD exitCode() const;
    DWORD id() const { return process.dwProcessId; }

private:
    PROCESS_INFORMATION process = {};
};

// The path of the built program.
std::wstring programPath();
// The top-level dialog windows titled exactly title, of any process.
std::vector<HWND> windowsTitled(const std::wstring& title);
// The process that owns a window.
DWORD windowProcess(HWND window);
// A top-level dialog window titled exactly title that belongs to a process; or null.
HWND windowOfProcess(const std::wstring& title, DWORD process);
// The texts of a column of list 1001 in a window of another process, read as
// any program reads them: through the list's own messages, with the buffer in
// that process.
std::vector<std::wstring> rowsOfWindow(HWND window, int column = 0);

} // namespace testing_support
