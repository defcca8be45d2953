#include "tkit/ui/Marks.h"

#include <algorithm>
#include <initializer_list>

namespace tkit
{

namespace
{

// Draws strokes through points given in hundredths of the side, on a square
// filled with the background colour.
void drawMark(HDC dc, int left, int size, MarkColours colours,
              std::initializer_list<std::initializer_list<POINT>> strokes)
{
    const RECT square = {left, 0, left + size, size};
    HBRUSH fill = CreateSolidBrush(colours.background);
    FillRect(dc, &square, fill);
    DeleteObject(fill);

    // Round ends and joins keep a thick stroke one shape at any size.
    LOGBRUSH brush = {BS_SOLID, colours.stroke, 0};
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND,
                            static_cast<DWORD>(std::max(2, size / 7)), &brush, 0, nullptr);
    HGDIOBJ before = SelectObject(dc, pen);
    for (const auto& stroke : strokes)
    {
        POINT points[8];
        int count = 0;
        for (const POINT& at : stroke)
            points[count++] = {left + MulDiv(at.x, size, 100), MulDiv(at.y, size, 100)};
        Polyline(dc, points, count);
    }
    SelectObject(dc, before);
    DeleteObject(pen);
}

} // namespace

HIMAGELIST markImages(int size, MarkColours tick, MarkColours cross)
{
    HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 3, 0);
    if (images == nullptr)
        return nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, 3 * size, size);
    // The mask: set bits are see-through, the blank image all of it.
    HBITMAP mask = CreateBitmap(3 * size, size, 1, 1, nullptr);
    ReleaseDC(nullptr, screen);

    HGDIOBJ before = SelectObject(dc, mask);
    PatBlt(dc, 0, 0, size, size, WHITENESS);
    PatBlt(dc, size, 0, 2 * size, size, BLACKNESS);
    SelectObject(dc, picture);
    PatBlt(dc, 0, 0, size, size, WHITENESS);
    drawMark(dc, size, size, tick, {{{22, 52}, {42, 72}, {78, 30}}});
    drawMark(dc, 2 * size, size, cross, {{{28, 28}, {72, 72}}, {{72, 28}, {28, 72}}});
    SelectObject(dc, before);
    DeleteDC(dc);

    const bool added = ImageList_Add(images, picture, mask) == 0;
    DeleteObject(picture);
    DeleteObject(mask);
    if (!added || ImageList_GetImageCount(images) != 3)
    {
        ImageList_Destroy(images);
        return nullptr;
    }
    return images;
}

} // namespace tkit
