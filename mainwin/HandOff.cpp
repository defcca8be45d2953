#include "mainwin/HandOff.h"

#include "stamps/FileListView.h"
#include "tkit/ui/RedrawPause.h"

#include <utility>
#include <vector>

std::optional<std::wstring> handedOverPath(const COPYDATASTRUCT* data)
{
    if (data == nullptr || data->dwData != handOffKind || data->lpData == nullptr ||
        data->cbData < sizeof(wchar_t))
        return std::nullopt;
    // Never read beyond cbData, whether or not the sender put a null inside it.
    const auto* text = static_cast<const wchar_t*>(data->lpData);
    const size_t units = data->cbData / sizeof(wchar_t);
    size_t length = 0;
    while (length < units && text[length] != L'\0')
        ++length;
    return std::wstring(text, length);
}

bool sendHandOff(HWND window, const std::wstring& path)
{
    std::vector<wchar_t> buffer(path.begin(), path.end());
    buffer.push_back(L'\0');
    COPYDATASTRUCT data;
    data.dwData = handOffKind;
    data.cbData = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    data.lpData = buffer.data();
    return SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)) == TRUE;
}

namespace
{

// The timer that ends a burst of hand-offs, and its tick in milliseconds.
constexpr UINT_PTR burstTimer = 1;
constexpr UINT burstTick = 100;

} // namespace

HandOffIntake::HandOffIntake(HWND intakeWindow, FileListView& intakeList)
    : window(intakeWindow), list(intakeList)
{
}

HandOffIntake::~HandOffIntake() = default;

bool HandOffIntake::take(const COPYDATASTRUCT* data, bool recursive, Steps& steps)
{
    const std::optional<std::wstring> path = handedOverPath(data);
    if (!path)
        return false;
    ReplyMessage(TRUE);
    // A full command line hands over some 1,450 paths, one message each:
    // repainting the list after each would cost many times the path itself.
    ++sinceTick;
    if (!pause)
    {
        pause = std::make_unique<tkit::RedrawPause>(list);
        SetTimer(window, burstTimer, burstTick, nullptr);
    }
    list.addPath(*path, recursive, steps);
    return true;
}

void HandOffIntake::timerTicked(UINT_PTR timer)
{
    if (timer != burstTimer || std::exchange(sinceTick, 0) != 0)
        return;
    KillTimer(window, burstTimer);
    pause.reset();
}
