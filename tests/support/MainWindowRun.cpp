#include "support/MainWindowRun.h"

#include "stamps/FileListView.h"

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

std::wstring quoted(const std::vector<std::wstring>& paths)
{
    std::wstring text;
    for (const std::wstring& path : paths)
        text += (text.empty() ? L"" : L" ") + quoted(path);
    return text;
}

std::vector<std::wstring> paths(const MainDialog& dialog)
{
    std::vector<std::wstring> result;
    for (int row = 0; row < dialog.list()->itemCount(); ++row)
        result.push_back(dialog.list()->itemText(row, 0));
    return result;
}

} // namespace testing_support
