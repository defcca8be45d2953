#include "mainwin/LongWork.h"

#include "tkit/ui/Dpi.h"
#include "tkit/ui/ListView.h"
#include "tkit/ui/MessagePump.h"
#include "tkit/ui/RedrawPause.h"
#include "tkit/ui/StatusBar.h"
#include "tkit/fs/FormatString.h"

#include <commctrl.h>

#include <algorithm>

namespace
{

// Work shorter than this shows no progress.
constexpr ULONGLONG showAfter = 1000;
// The rows added or coloured so far are painted this often, and at most in one
// part of paintShare of the work's time: a paint of the list costs 30 to 40 ms
// under Wine, which a paint every second would take from the work.
constexpr ULONGLONG paintEvery = 1000;
constexpr ULONGLONG paintShare = 40;
// The progress is shown anew this often: each showing repaints the status bar.
constexpr ULONGLONG showEvery = 200;
// Widths at 100 %: the text at most, the Stop button, the size grip.
constexpr int textWidth = 220;
constexpr int stopWidth = 64;
constexpr int gripWidth = 20;

} // namespace

UINT LongWork::sliceMilliseconds = 50;

LongWork::LongWork(HWND window, tkit::StatusBar& statusBar, tkit::ListView& rows,
                   const wchar_t* workName)
    : dialog(window), bar(statusBar), list(rows), name(workName), started(GetTickCount64()),
      lastPump(started), lastPaint(started)
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
    if (shown && now - lastShown >= showEvery)
    {
        lastShown = now;
        layOut();
        const int percent = total == 0 ? 0 : static_cast<int>(done * 100 / total);
        SendMessageW(progress, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
        bar.setText(0, total == 0
                           ? tkit::formatString(L"%ls %zu", name.c_str(), done)
                           : tkit::formatString(L"%ls %zu / %zu", name.c_str(), done, total));
        taskbar->show(done, total);
    }
    if (now - lastPaint >= std::max(paintEvery, paintCost * paintShare))
    {
        tkit::RedrawPause::paintNow(list);
        lastPaint = GetTickCount64();
        paintCost = lastPaint - now;
    }
    if (!tkit::handleWaitingMessages(dialog))
        stopped = true;
    return !stopped;
}

void LongWork::showProgress()
{
    shown = true;
    // Made only for work that lasts: most commands end within the second.
    taskbar = std::make_unique<tkit::TaskbarProgress>(dialog);
    summary = bar.text(0);
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
    progress = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, dialog,
                               nullptr, instance, nullptr);
    stopButton = CreateWindowExW(
        0, L"BUTTON", L"中止", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(stopCommand)), instance, nullptr);
    SendMessageW(stopButton, WM_SETFONT,
                 static_cast<WPARAM>(SendMessageW(dialog, WM_GETFONT, 0, 0)), FALSE);
    // Over the status bar, which was made first.
    SetWindowPos(progress, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(stopButton, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    layOut();
}

void LongWork::layOut()
{
    RECT client = {};
    GetClientRect(bar.window, &client);
    if (client.right == laidOutWidth)
        return;
    laidOutWidth = client.right;
    // The text, the bar taking what is left, and Stop, in the window's width now.
    const UINT dpi = tkit::windowDpi(dialog);
    const int stop = tkit::scaled(stopWidth, dpi);
    const int text = std::min(tkit::scaled(textWidth, dpi), static_cast<int>(client.right) * 2 / 5);
    const int rest = client.right - text - stop - tkit::scaled(gripWidth, dpi);
    bar.setParts({text, std::max(rest, 0)});
    const RECT bars = bar.partRect(1);
    MoveWindow(progress, bars.left + 2, bars.top + 2, bars.right - bars.left - 4,
               bars.bottom - bars.top - 4, TRUE);
    const RECT stops = bar.partRect(2);
    MoveWindow(stopButton, stops.left + 1, stops.top + 1, stop - 2, stops.bottom - stops.top - 2,
               TRUE);
}
