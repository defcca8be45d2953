#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>

namespace testing_support
{

// Runs test steps from inside whatever message loop the thread is in: the
// modal loop of a dialog under test, or a question box or edit dialog nested
// in it. Each step runs on its own tick of a thread timer; a step that opens a
// nested modal loop blocks there, and the following steps run inside that
// loop (so a later step can answer the box that an earlier one opened).
//
//   ModalSteps steps;
//   steps.then([&] { SendMessageW(dialog.window, WM_COMMAND, IDOK, 0); })  // asks
//        .then([&] { answerQuestion(title, IDNO); })                      // answers
//        .then([&] { PostMessageW(dialog.window, WM_COMMAND, IDCANCEL, 0); });
//   INT_PTR end = steps.run([&] { return dialog.runModal(nullptr); });
class ModalSteps
{
public:
    ModalSteps() = default;
    ~ModalSteps();
    ModalSteps(const ModalSteps&) = delete;
    ModalSteps& operator=(const ModalSteps&) = delete;

    ModalSteps& then(std::function<void()> step);
    // A step that waits, tick after tick, until condition holds (for another
    // process, say). Gives up with a test failure after about a minute.
    ModalSteps& waitFor(std::function<bool()> condition);
    // Starts the steps and runs the modal loop; returns the loop's result.
    // Steps left over when the loop ends are reported as a test failure; a
    // loop still running long after the last step is ended with 99.
    INT_PTR run(const std::function<INT_PTR()>& modalLoop);

    // While this holds, no step runs: the steps wait for long work in the
    // window to end, as they would have before it answered meanwhile.
    std::function<bool()> holdWhile;

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD);

    std::deque<std::function<void()>> steps;
    // Set by a waiting step whose condition does not hold yet.
    bool waitAgain = false;
    // Ticks since the last step ran.
    int idleTicks = 0;
    UINT_PTR timer = 0;
};

// A top-level dialog window of this thread with exactly this caption that does
// not hold the timestamp list (a question box, not the main window); or null.
HWND findQuestionBox(const wchar_t* caption);
// The text of the question a box shows (its static text), or an empty string.
std::wstring questionText(HWND box);
// Answers the open question box with IDYES or IDNO; false when there is none.
bool answerQuestion(const wchar_t* caption, int answer);

} // namespace testing_support
