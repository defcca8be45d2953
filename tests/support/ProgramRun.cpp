#include "support/ProgramRun.h"

#include <commctrl.h>

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
    // Wine, starting many processes at once on a busy machine, now and then
    // fails one; a start that never ran is tried again, not taken for the program's fault.
    for (int tries = 0; tries < 3 && process.hProcess == nullptr; ++tries)
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            currentDirectory.empty() ? nullptr : currentDirectory.c_str(), &startup,
                            &process))
        {
            process = {};
            Sleep(100);
        }
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

std::vector<std::wstring> rowsOfWindow(HWND window, int column)
{
    // The list reads the item from, and writes the text into, its own process's memory.
    struct Exchange
    {
        LVITEMW item;
        wchar_t text[MAX_PATH];
    } local = {};
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                 windowProcess(window));
    auto* remote = static_cast<Exchange*>(
        VirtualAllocEx(process, nullptr, sizeof local, MEM_COMMIT, PAGE_READWRITE));
    local.item.iSubItem = column;
    local.item.pszText = remote->text;
    local.item.cchTextMax = MAX_PATH;
    WriteProcessMemory(process, remote, &local, sizeof local, nullptr);
    std::vector<std::wstring> rows(
        static_cast<size_t>(SendDlgItemMessageW(window, 1001, LVM_GETITEMCOUNT, 0, 0)));
    for (size_t row = 0; row < rows.size(); ++row)
    {
        SendDlgItemMessageW(window, 1001, LVM_GETITEMTEXTW, row,
                            reinterpret_cast<LPARAM>(&remote->item));
        ReadProcessMemory(process, remote->text, local.text, sizeof local.text, nullptr);
        rows[row] = local.text;
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return rows;
}

} // namespace testing_support
