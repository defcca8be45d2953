// A second start of the built program beside an open window, across processes.
#include "app/StartUp.h"

#include "support/Hosts.h"
#include "support/ProgramRun.h"
#include "support/TempDir.h"
#include "mainwin/HandOff.h"
#include "mainwin/MainDialog.h"
#include "mainwin/WindowTitle.h"
#include "stamps/FileListView.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using testing_support::MainWindowRun;
using testing_support::paths;
using testing_support::ProgramRun;
using testing_support::quoted;
using testing_support::rowsOfWindow;
using testing_support::TempDir;
using testing_support::windowOfProcess;
using testing_support::windowsTitled;

namespace
{

const std::wstring title = windowTitle();

TEST(StartUp, ASecondStartWithPathsHandsThemOverInOrderAndOpensNoWindow)
{
    TempDir dir;
    const std::vector<std::wstring> files = {dir.file(L"b.txt"), dir.file(L"a.txt"),
                                             dir.file(L"日本語.txt"), dir.folder(L"folder")};
    dir.file(L"folder\\inside.txt");
    const std::wstring nearby = dir.file(L"near.txt");
    const std::wstring deeper = dir.file(L"sub\\deeper.txt");
    const struct
    {
        std::wstring arguments;
        std::wstring folder; // the second start's current folder; empty: this process's
        std::vector<std::wstring> rows;
    } cases[] = {
        // The -r of the second start is not applied: the folder is one row.
        {L"-r " + quoted(files), L"", files},
        // Relative paths arrive absolute against the sender's folder.
        {L"near.txt sub\\deeper.txt", dir.path(), {nearby, deeper}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        MainWindowRun window(L"");
        std::unique_ptr<ProgramRun> second;
        size_t mostWindows = 0;
        std::vector<std::wstring> rows;
        window
            .then([&] {
                second = std::make_unique<ProgramRun>(c.arguments, c.folder);
                ASSERT_TRUE(second->started());
            })
            .waitFor([&] {
                mostWindows = std::max(mostWindows, windowsTitled(title).size());
                return second->finished();
            })
            .then([&] {
                rows = paths(window.dialog);
                window.close();
            });
        window.run();
        EXPECT_EQ(second->exitCode(), 1u);
        EXPECT_EQ(mostWindows, 1u);
        EXPECT_EQ(rows, c.rows);
        EXPECT_FALSE(window.dialog.addRecursively);
    }
}

// Stands in for a window that the platform keeps hand-offs from (one of a
// process run as administrator): it takes the first paths, then answers 0.
struct RefusingWindow : MainDialog
{
    using MainDialog::MainDialog;
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        return message == WM_COPYDATA && taken-- <= 0
                   ? 0
                   : MainDialog::onMessage(message, wParam, lParam);
    }
    int taken = 0;
};

TEST(StartUp, PathsTheOpenWindowDoesNotTakeOpenInAWindowOfTheSecondStart)
{
    TempDir dir;
    const std::vector files = {dir.file(L"a.txt"), dir.file(L"b.txt"), dir.file(L"c.txt")};
    for (const int taken : {0, 1})
    {
        const tkit::CommandLine commandLine(L"chronoguard.exe");
        RefusingWindow window(GetModuleHandleW(nullptr), &commandLine);
        window.taken = taken;
        std::unique_ptr<ProgramRun> second;
        HWND own = nullptr;
        std::vector<std::wstring> ownRows, rows;
        testing_support::ModalSteps steps;
        steps.then([&] { second = std::make_unique<ProgramRun>(quoted(files)); })
            .waitFor([&] { return (own = windowOfProcess(title, second->id())) != nullptr; })
            // The window adds its start paths once it shows.
            .waitFor([&] {
                return rowsOfWindow(own).size() == files.size() - static_cast<size_t>(taken);
            })
            .then([&] { ownRows = rowsOfWindow(own), PostMessageW(own, WM_CLOSE, 0, 0); })
            .waitFor([&] { return second->finished(); })
            .then([&] {
                rows = paths(window), PostMessageW(window.window, WM_COMMAND, IDCANCEL, 0);
            });
        steps.run([&] { return window.runModal(nullptr); });
        EXPECT_EQ(second->exitCode(), 1u);
        EXPECT_EQ(rows, std::vector(files.begin(), files.begin() + taken));
        EXPECT_EQ(ownRows, std::vector(files.begin() + taken, files.end()));
    }
}

// Whether a window of this process can become the one in front. Wine always
// lets it; a hosted Windows runner whose console keeps the foreground does not.
bool canComeToFront()
{
    HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 8, 8, nullptr,
                                 nullptr, nullptr, nullptr);
    SetForegroundWindow(probe);
    const bool inFront = GetForegroundWindow() == probe;
    DestroyWindow(probe);
    return inFront;
}

TEST(StartUp, TheBoxOrDialogOpenOverTheWindowStillTakesTheKeyboardAfterAHandOff)
{
    if (!testing_support::runningUnderWine() && !canComeToFront())
        GTEST_SKIP() << "no window of this test can come to the front here, so the keys "
                        "would go to another program's window";
    TempDir dir;
    const std::wstring a = dir.file(L"a.txt"), b = dir.file(L"b.txt");
    // The restore question (answered N), the edit dialog (left with Esc), and the
    // clear question (answered Y), which clears only the rows there when it asked.
    const struct
    {
        WPARAM command;
        BYTE key;
        std::vector<std::wstring> rows;
    } cases[] = {{IDOK, 'N', {a, b}}, {IDM_EDIT, VK_ESCAPE, {a, b}}, {IDM_CLEAR, 'Y', {b}}};
    for (const auto& [command, key, expected] : cases)
    {
        MainWindowRun window(L"-cr -cc " + quoted(a));
        std::unique_ptr<ProgramRun> second;
        HWND popup = nullptr;
        std::vector<std::wstring> rows;
        window
            .then([&] {
                window.dialog.list()->setItemState(0, LVIS_SELECTED, LVIS_SELECTED);
                SendMessageW(window.dialog.window, WM_COMMAND, command, 0);
            })
            .then([&] {
                popup = GetActiveWindow(), second = std::make_unique<ProgramRun>(quoted(b));
            })
            .waitFor([&] { return second->finished(); })
            .then([&] { keybd_event(key, 0, 0, 0), keybd_event(key, 0, KEYEVENTF_KEYUP, 0); })
            .waitFor([&] { return !IsWindow(popup); })
            .then([&] { rows = paths(window.dialog), window.close(); });
        window.run();
        EXPECT_NE(popup, window.dialog.window);
        EXPECT_EQ(rows, expected);
    }
}

// Esc or the close box: a hand-off the window still gets is refused, and the
// second start opens a window of its own with the path.
TEST(HandOff, AWindowThatHasBegunToCloseTakesNoPath)
{
    TempDir dir;
    const std::wstring file = dir.file(L"a.txt");
    for (const auto& [message, wParam] :
         {std::pair<UINT, WPARAM>{WM_COMMAND, IDCANCEL}, {WM_CLOSE, 0}})
    {
        MainWindowRun window(L"");
        bool taken = true;
        window.then([&] {
            SendMessageW(window.dialog.window, message, wParam, 0);
            taken = sendHandOff(window.dialog.window, file) || !paths(window.dialog).empty();
        });
        window.run();
        EXPECT_FALSE(taken) << message;
    }
}

// Waits until condition holds, for a minute at most; false if it never did.
bool eventually(const std::function<bool()>& condition)
{
    for (int tries = 0; tries < 6000 && !condition(); ++tries)
        Sleep(10);
    return condition();
}

TEST(StartUp, StartsThatComeTogetherElectOneWindow)
{
    TempDir dir;
    std::vector<std::wstring> files, rows;
    std::vector<std::unique_ptr<ProgramRun>> starts;
    for (wchar_t name = L'0'; name <= L'9'; ++name)
        files.push_back(dir.file(std::wstring(1, name))),
            starts.push_back(std::make_unique<ProgramRun>(L'"' + files.back() + L'"'));
    size_t ended = 0;
    // Every start has either ended or opened a window.
    ASSERT_TRUE(eventually([&] {
        ended = static_cast<size_t>(std::count_if(starts.begin(), starts.end(),
                                                  [](auto& start) { return start->finished(); }));
        return ended + windowsTitled(title).size() == 10;
    }));
    ASSERT_EQ(ended, 9u);
    HWND window = windowsTitled(title)[0];
    EXPECT_TRUE(eventually([&] { return rowsOfWindow(window).size() == files.size(); }));
    rows = rowsOfWindow(window);
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, files);
    PostMessageW(window, WM_CLOSE, 0, 0);
    for (auto& start : starts)
        EXPECT_TRUE(start->started() && eventually([&] { return start->exitCode() == 1; }))
            << start->exitCode();
}

TEST(StartUp, AStartWithAPathWhileAStartWithABigTreeIsStillStartingHandsItOver)
{
    TempDir dir;
    // 100 folders of 100 files: Wine looks a new name up through the whole folder.
    for (int folder = 0; folder < 100; ++folder)
        for (int file = 0; file < 100; ++file)
            dir.file(L"tree\\" + std::to_wstring(folder) + L"\\" + std::to_wstring(file));
    ProgramRun first(L"-r " + quoted(dir / L"tree"));
    // The second comes while the first holds the claim and has no window yet.
    ASSERT_TRUE(eventually([] { return !SessionMutex(windowClaimName()).take(0); }));
    ProgramRun second(quoted(dir.file(L"late")));
    ASSERT_TRUE(eventually([&] { return second.finished() || windowsTitled(title).size() > 1; }));
    ASSERT_EQ(windowsTitled(title).size(), 1u);
    EXPECT_TRUE(
        eventually([&] { return rowsOfWindow(windowsTitled(title)[0]).size() == 100 * 101 + 2u; }));
    const std::vector<std::wstring> rows = rowsOfWindow(windowsTitled(title)[0]);
    EXPECT_EQ(rows.size(), 100 * 101 + 2u);
    EXPECT_EQ(rows.back(), dir / L"late");
    PostMessageW(windowsTitled(title)[0], WM_CLOSE, 0, 0);
    EXPECT_TRUE(eventually([&] { return first.finished(); }));
}

TEST(StartUp, AStartWithoutPathsOpensASecondWindow)
{
    MainWindowRun window(L"");
    std::unique_ptr<ProgramRun> second;
    HWND other = nullptr;
    window.then([&] { second = std::make_unique<ProgramRun>(L""); })
        .waitFor([&] { return (other = windowOfProcess(title, second->id())) != nullptr; })
        .then([&] { PostMessageW(other, WM_CLOSE, 0, 0); })
        .waitFor([&] { return second->finished(); })
        .then([&] { window.close(); });
    window.run();
    EXPECT_NE(other, nullptr);
    EXPECT_EQ(second->exitCode(), 1u);
}

TEST(StartUp, AQuestionBoxWithTheTitleIsNotAWindowToHandOverTo)
{
    TempDir dir;
    const std::wstring file = dir.file(L"a.txt");
    testing_support::ModalSteps steps;
    std::unique_ptr<ProgramRun> second;
    HWND own = nullptr;
    size_t ownRows = 0;
    steps.then([&] { second = std::make_unique<ProgramRun>(quoted(file)); })
        .waitFor([&] { return (own = windowOfProcess(title, second->id())) != nullptr; })
        .waitFor([&] { return !rowsOfWindow(own).empty(); })
        .then([&] {
            ownRows = rowsOfWindow(own).size();
            PostMessageW(own, WM_CLOSE, 0, 0);
        })
        .waitFor([&] { return second->finished(); })
        .then([&] { testing_support::answerQuestion(title.c_str(), IDNO); });
    // A box of this process with the program's title, and no main window.
    steps.run([&] {
        return static_cast<INT_PTR>(MessageBoxW(nullptr, L"質問", title.c_str(), MB_YESNO));
    });
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(ownRows, 1u);
    EXPECT_EQ(second->exitCode(), 1u);
}

TEST(StartUp, AWindowOfAnotherVersionIsNotFound)
{
    TempDir dir;
    const std::wstring file = dir.file(L"a.txt");
    MainWindowRun window(L"");
    std::unique_ptr<ProgramRun> second;
    HWND own = nullptr;
    window
        .then([&] {
            SetWindowTextW(window.dialog.window, L"Chronoguard Ver.1.02");
            second = std::make_unique<ProgramRun>(quoted(file));
        })
        .waitFor([&] { return (own = windowOfProcess(title, second->id())) != nullptr; })
        .then([&] { PostMessageW(own, WM_CLOSE, 0, 0); })
        .waitFor([&] { return second->finished(); })
        .then([&] {
            EXPECT_EQ(window.dialog.list()->itemCount(), 0);
            window.close();
        });
    window.run();
    EXPECT_NE(own, nullptr);
}

} // namespace
