#include "tkit/ui/StatusBar.h"

#include <commctrl.h>

namespace tkit
{

StatusBar::StatusBar(HWND parent, int id)
    : window(CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0,
                             0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                             nullptr)),
      dialog(parent)
{
    // The dialog's font, as its other controls have it.
    SendMessageW(window, WM_SETFONT, static_cast<WPARAM>(SendMessageW(dialog, WM_GETFONT, 0, 0)),
                 FALSE);
    resized();
}

StatusBar::~StatusBar()
{
    if (IsWindow(window))
        DestroyWindow(window);
}

void StatusBar::setParts(const std::vector<int>& widths)
{
    std::vector<int> edges;
    int edge = 0;
    for (const int width : widths)
        edges.push_back(edge += width);
    edges.push_back(-1);
    SendMessageW(window, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void StatusBar::setText(int part, const std::wstring& text)
{
    SendMessageW(window, SB_SETTEXTW, static_cast<WPARAM>(part),
                 reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring StatusBar::text(int part) const
{
    const auto length =
        LOWORD(SendMessageW(window, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(window, SB_GETTEXTW, static_cast<WPARAM>(part),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

int StatusBar::height() const
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

RECT StatusBar::partRect(int part) const
{
    RECT rect = {};
    SendMessageW(window, SB_GETRECT, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(&rect));
    MapWindowPoints(window, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void StatusBar::resized() const
{
    // The bar places itself along its parent's bottom edge on any WM_SIZE.
    SendMessageW(window, WM_SIZE, 0, 0);
}

} // namespace tkit
