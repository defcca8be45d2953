#include "tkit/ui/TextExtent.h"

namespace tkit
{

SIZE textExtent(HWND window, const wchar_t* text, int length)
{
    SIZE size = {};
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    GetTextExtentPoint32W(dc, text, length, &size);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return size;
}

} // namespace tkit
