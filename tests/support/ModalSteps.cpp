#include "support/ModalSteps.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <vector>

namespace testing_support
{

namespace
{

thread_local ModalSteps* running = nullptr;
constexpr UINT tickMilliseconds = 10;

std::wstring windowText(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

std::wstring className(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

} // namespace

ModalSteps::~ModalSteps()
{
    if (timer != 0)
        KillTimer(nullptr, timer);
    if (running == this)
        running = nullptr;
}

ModalSteps& ModalSteps::then(std::function<void()> step)
{
    steps.push_back(std::move(step));
    return *this;
}

ModalSteps& ModalSteps::waitFor(std::function<bool()> condition)
{
    constexpr int giveUpAfterTicks = 6000;
    auto ticks = std::make_shared<int>(0);
    return then([this, condition = std::move(condition), ticks] {
        if (condition())
            return;
        if (++*ticks >= giveUpAfterTicks)
        {
            ADD_FAILURE() << "a waiting step gave up";
            return;
        }
        waitAgain = true;
    });
}

void CALLBACK ModalSteps::tick(HWND, UINT, UINT_PTR, DWORD)
{
    ModalSteps* self = running;
    if (self == nullptr || (self->holdWhile && self->holdWhile()))
        return;
    if (self->steps.empty())
    {
        // A test whose steps did not end the loop would hang until the test
        // runner's timeout: end every dialog of the thread instead.
        constexpr int idleTicksAllowed = 1000;
        if (++self->idleTicks == idleTicksAllowed)
        {
            ADD_FAILURE() << "the steps ran out and the modal loop is still running";
            EnumThreadWindows(
                GetCurrentThreadId(),
                [](HWND window, LPARAM) -> BOOL {
                    if (className(window) == L"#32770")
                        EndDialog(window, 99);
                    return TRUE;
                },
                0);
        }
        return;
    }
    self->idleTicks = 0;
    // Taken off the queue before it runs: the step may open a nested loop in
    // which the next ticks run the following steps.
    std::function<void()> step = std::move(self->steps.front());
    self->steps.pop_front();
    self->waitAgain = false;
    step();
    if (self->waitAgain)
    {
        self->waitAgain = false;
        self->steps.push_front(std::move(step));
    }
}

INT_PTR ModalSteps::run(const std::function<INT_PTR()>& modalLoop)
{
    running = this;
    timer = SetTimer(nullptr, 0, tickMilliseconds, tick);
    const INT_PTR result = modalLoop();
    KillTimer(nullptr, timer);
    timer = 0;
    running = nullptr;
    EXPECT_TRUE(steps.empty()) << steps.size() << " steps did not run";
    steps.clear();
    return result;
}

HWND findQuestionBox(const wchar_t* caption)
{
    struct Search
    {
        const wchar_t* caption;
        HWND found;
    } search{caption, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (className(window) == L"#32770" && windowText(window) == s->caption &&
                IsWindowVisible(window) && GetDlgItem(window, 1001) == nullptr)
            {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring questionText(HWND box)
{
    std::wstring text;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM data) -> BOOL {
            if (className(child) == L"Static" && GetWindowTextLengthW(child) > 0)
            {
                *reinterpret_cast<std::wstring*>(data) = windowText(child);
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

bool answerQuestion(const wchar_t* caption, int answer)
{
    HWND box = findQuestionBox(caption);
    if (box == nullptr)
        return false;
    PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
    return true;
}

} // namespace testing_support
