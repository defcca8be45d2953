#include "tkit/ui/Question.h"

namespace tkit
{

namespace
{

// The line with kept characters of it left, half from each end, and "…" between;
// a surrogate pair is kept or left out whole.
std::wstring shortened(const std::wstring& line, size_t kept)
{
    size_t head = (kept + 1) / 2;
    size_t tail = line.size() - kept / 2;
    if (head > 0 && IS_HIGH_SURROGATE(line[head - 1]))
        --head;
    if (tail < line.size() && IS_LOW_SURROGATE(line[tail]))
        ++tail;
    return line.substr(0, head) + L"\u2026" + line.substr(tail);
}

} // namespace

bool askYesNo(HWND owner, const wchar_t* question, const wchar_t* caption)
{
    return MessageBoxW(owner, question, caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void tell(HWND owner, const wchar_t* text, const wchar_t* caption, UINT icon)
{
    MessageBoxW(owner, text, caption, MB_OK | icon);
}

std::wstring fitForMessage(HWND owner, const std::wstring& line)
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const LONG limit = (monitor.rcWork.right - monitor.rcWork.left) / 2;

    // Measured in the font of message boxes, tabs expanded as the box expands them.
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    const auto fits = [&](const std::wstring& text) {
        RECT rect = {};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
                  DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX);
        return rect.right - rect.left <= limit;
    };

    std::wstring fitted = line;
    if (!fits(line))
    {
        // The most characters kept that still fit.
        size_t low = 0;
        size_t high = line.size() - 1;
        while (low < high)
        {
            const size_t middle = (low + high + 1) / 2;
            if (fits(shortened(line, middle)))
                low = middle;
            else
                high = middle - 1;
        }
        fitted = shortened(line, low);
    }
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return fitted;
}

} // namespace tkit
