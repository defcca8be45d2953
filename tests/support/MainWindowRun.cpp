#include "support/MainWindowRun.h"

namespace testing_support
{

MainWindowRun::MainWindowRun(const std::wstring& arguments)
    : commandLine((L"chronoguard.exe " + arguments).c_str()),
      dialog(GetModuleHandleW(nullptr), &commandLine)
{
}

INT_PTR MainWindowRun::run()
{
    return steps.run([this] { return dialog.runModal(nullptr); });
}

void MainWindowRun::close() const
{
    PostMessageW(dialog.window, WM_COMMAND, IDCANCEL, 0);
}

void withMainWindow(const std::wstring& arguments, const std::function<void(MainDialog&)>& body)
{
    MainWindowRun window(arguments);
    window.then([&] {
        body(window.dialog);
        window.close();
    });
    window.run();
}

std::wstring quoted(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}

} // namespace testing_support
