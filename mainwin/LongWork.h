#pragma once

#include "stamps/Steps.h"
#include "tkit/ui/TaskbarProgress.h"

#include <windows.h>

#include <memory>
#include <string>

namespace tkit
{
class ListView;
class StatusBar;
} // namespace tkit

// One command's long work in the window: between its items the window handles
// its messages (at least every sliceMilliseconds), so it paints, moves and
// answers other programs; once the work has lasted a second, the status bar
// shows its name, "n / N", a progress bar and Stop ("中止"), and the taskbar
// button the same progress. All of it goes when the work ends.
class LongWork : public Steps
{
public:
    // name: what the work is doing, as the status bar shows it ("復元中").
    LongWork(HWND dialog, tkit::StatusBar& bar, tkit::ListView& list, const wchar_t* name);
    ~LongWork() override;
    LongWork(const LongWork&) = delete;
    LongWork& operator=(const LongWork&) = delete;

    void setTotal(size_t total) override;
    bool advance() override;
    // Asks the work to stop after the item at hand.
    void stop() { stopped = true; }

    // How long the work may go without the window handling its messages.
    static UINT sliceMilliseconds;
    // The Stop button's command.
    static constexpr int stopCommand = 1010;

private:
    void showProgress();
    // Places the parts, the progress bar and Stop in the window's width now.
    void layOut();

    HWND dialog;
    tkit::StatusBar& bar;
    tkit::ListView& list;
    std::wstring name;
    size_t done = 0;
    size_t total = 0;
    bool stopped = false;
    ULONGLONG started;
    ULONGLONG lastPump;
    ULONGLONG lastPaint;
    // How long the last paint of the list took, in milliseconds.
    ULONGLONG paintCost = 0;
    ULONGLONG lastShown = 0;
    // The status bar's width the parts were placed for.
    LONG laidOutWidth = -1;
    // Shown once the work has lasted a second.
    bool shown = false;
    std::wstring summary;
    HWND progress = nullptr;
    HWND stopButton = nullptr;
    std::unique_ptr<tkit::TaskbarProgress> taskbar;
};
