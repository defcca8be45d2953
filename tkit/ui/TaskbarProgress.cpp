#include "tkit/ui/TaskbarProgress.h"

#include <shobjidl.h>

namespace tkit
{

TaskbarProgress::TaskbarProgress(HWND progressWindow) : window(progressWindow)
{
    comStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                reinterpret_cast<void**>(&taskbar))))
        taskbar = nullptr;
    else if (FAILED(taskbar->HrInit()))
    {
        taskbar->Release();
        taskbar = nullptr;
    }
}

TaskbarProgress::~TaskbarProgress()
{
    if (taskbar != nullptr)
    {
        taskbar->SetProgressState(window, TBPF_NOPROGRESS);
        taskbar->Release();
    }
    if (comStarted)
        CoUninitialize();
}

void TaskbarProgress::show(ULONGLONG done, ULONGLONG total)
{
    if (taskbar == nullptr)
        return;
    if (total == 0)
        taskbar->SetProgressState(window, TBPF_INDETERMINATE);
    else
        taskbar->SetProgressValue(window, done, total);
}

} // namespace tkit
