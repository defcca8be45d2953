#include "support/ProgramRun.h"

namespace testing_support
{

std::wstring programPath()
{
    // Tests live in <build>\tests, the program in <build>.
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring path = module;
    path.resize(path.find_last_of(L"\\/"));
    path.resize(path.find_last_of(L"\\/"));
    return path + L"\\chronoguard.exe";
}

ProgramRun::ProgramRun(const std::wstring& arguments, const std::wstring& currentDirectory)
{
    std::wstring commandLine = L"\"" + programPath() + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentDirectory.empty() ? nullptr : currentDirectory.c_str(), &startup,
                        &process))
        process = {};
}

ProgramRun::~ProgramRun()
{
    if (process.hProcess == nullptr)
        return;
    if (!finished())
    {
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, 10000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

bool ProgramRun::finished() const
{
    return process.hProcess == nullptr || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
}

DWORD ProgramRun::exitCode() const
{
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
}

std::vector<HWND> windowsTitled(const std::wstring& title)
{
    std::vector<HWND> found;
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, L"#32770", title.c_str())) != nullptr)
        found.push_back(window);
    return found;
}

DWORD windowProcess(HWND window)
{
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

HWND windowOfProcess(const std::wstring& title, DWORD process)
{
    for (HWND window : windowsTitled(title))
        if (windowProcess(window) == process)
            return window;
    return nullptr;
}

} // namespace testing_support
