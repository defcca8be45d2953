#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

class FileListView;
class Steps;
namespace tkit
{
class RedrawPause;
}

// The message by which a second start hands a path to the open window:
// WM_COPYDATA of kind 1 carrying one UTF-16 path and its terminating null.
inline constexpr ULONG_PTR handOffKind = 1;

// The path a hand-off message carries: the text up to the first null inside
// the data, or up to the data's end. None for another kind or no data.
std::optional<std::wstring> handedOverPath(const COPYDATASTRUCT* data);

// Sends one path to a window and waits until it has been taken in. False when
// the window did not take it: it refused it, or the platform did not let the
// message through (a window of a process run as administrator, say).
bool sendHandOff(HWND window, const std::wstring& path);

// Takes the hand-offs that reach a window into its list. Each path is answered
// as soon as it is copied, so that the second start goes on with its next
// one, and is then added; that one waits until this one is in, so the paths
// keep their order. The list repaints once a burst of hand-offs is over, not
// after each path.
class HandOffIntake
{
public:
    HandOffIntake(HWND window, FileListView& list);
    ~HandOffIntake();
    HandOffIntake(const HandOffIntake&) = delete;
    HandOffIntake& operator=(const HandOffIntake&) = delete;

    // Takes the path of a hand-off message into the list; whether it was taken.
    bool take(const COPYDATASTRUCT* data, bool recursive, Steps& steps);
    // A WM_TIMER of the window: the burst is over once a whole tick went by
    // without a hand-off. Other timers are not the intake's.
    void timerTicked(UINT_PTR timer);

private:
    HWND window;
    FileListView& list;
    // Held while hand-offs come in; the list repaints when it goes.
    std::unique_ptr<tkit::RedrawPause> pause;
    // Hand-offs since the last tick of the timer.
    int sinceTick = 0;
};
