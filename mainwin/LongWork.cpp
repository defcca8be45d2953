#include "mainwin/LongWork.h"

#include "tkit/ui/Dpi.h"
#include "tkit/ui/ListView.h"
#include "tkit/ui/MessagePump.h"
#include "tkit/ui/RedrawPause.h"
#include "tkit/ui/StatusBar.h"
#include "tkit/fs/FormatString.h"

#include <commctrl.h>

namespace
{

// Work shorter than this shows no progress.
constexpr ULONGLONG showAfter = 1000;
// The rows added or coloured so far are painted this often.
constexpr ULONGLONG paintEvery = 500;
// The progress bar's width at 100 %.
constexpr int progressWidth = 200;
constexpr int textWidth = 220;

} // namespace

UINT LongWork::sliceMilliseconds = 50;

LongWork::LongWork(HWND window, tkit::StatusBar& statusBar, tkit::ListView& rows,
                   const wchar_t* workName)
    : dialog(window), bar(statusBar), list(rows), name(workName), started(GetTickCount64()),
      lastPump(started), lastPaint(started), taskbar(window)
{
}

LongWork::~LongWork()
{
    if (!shown)
        return;
    DestroyWindow(progress);
    DestroyWindow(stopButton);
    bar.setParts({});
    bar.setText(0, summary);
}

void LongWork::setTotal(size_t count)
{
    total = count;
    done = 0;
}

bool LongWork::advance()
{
    ++done;
    const ULONGLONG now = GetTickCount64();
    if (now - lastPump < sliceMilliseconds)
        return !stopped;
    lastPump = now;
    if (!shown && now - started >= showAfter)
        showProgress();
    if (shown)
    {
        const int percent = total == 0 ? 0 : static_cast<int>(done * 100 / total);
        SendMessageW(progress, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
        bar.setText(0, total == 0
                           ? tkit::formatString(L"%ls %zu", name.c_str(), done)
                           : tkit::formatString(L"%ls %zu / %zu", name.c_str(), done, total));
        taskbar.show(done, total);
    }
    if (now - lastPaint >= paintEvery)
    {
        lastPaint = now;
        tkit::RedrawPause::paintNow(list);
    }
    if (!tkit::handleWaitingMessages(dialog))
        stopped = true;
    return !stopped;
}

void LongWork::showProgress()
{
    shown = true;
    summary = bar.text(0);
    const UINT dpi = tkit::windowDpi(dialog);
    bar.setParts({tkit::scaled(textWidth, dpi), tkit::scaled(progressWidth, dpi)});
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
    RECT part = bar.partRect(1);
    progress = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, part.left + 2,
                               part.top + 2, part.right - part.left - 4, part.bottom - part.top - 4,
                               dialog, nullptr, instance, nullptr);
    part = bar.partRect(2);
    stopButton = CreateWindowExW(
        0, L"BUTTON", L"中止", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, part.left + 2, part.top + 1,
        tkit::scaled(60, dpi), part.bottom - part.top - 2, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(stopCommand)), instance, nullptr);
    SendMessageW(stopButton, WM_SETFONT,
                 static_cast<WPARAM>(SendMessageW(dialog, WM_GETFONT, 0, 0)), FALSE);
    // Over the status bar, which was made first.
    SetWindowPos(progress, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(stopButton, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}
