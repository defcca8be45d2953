#include "tkit/ui/TextExtent.h"

namespace tkit
{

SIZE textExtent(HWND window, const wchar_t* text, int length)
{
    SIZE size = {};
    HDC dc = GetDC(window);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0));
    HGDIOBJ previous = SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    GetTextExtentPoint32W(dc, text, length, &size);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return size;
}

} // namespace tkit
