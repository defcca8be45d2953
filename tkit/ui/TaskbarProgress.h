#pragma once

#include <windows.h>

struct ITaskbarList3;

namespace tkit
{

// The progress shown on a window's taskbar button, where the system offers it
// (Windows 7 and later; Wine: none, and nothing shows). The window's own
// progress bar is the one that always shows: Windows hides the taskbar's in
// high contrast.
class TaskbarProgress
{
public:
    explicit TaskbarProgress(HWND window);
    ~TaskbarProgress();
    TaskbarProgress(const TaskbarProgress&) = delete;
    TaskbarProgress& operator=(const TaskbarProgress&) = delete;

    void show(ULONGLONG done, ULONGLONG total);

private:
    HWND window;
    ITaskbarList3* taskbar = nullptr;
    bool comStarted = false;
};

} // namespace tkit
