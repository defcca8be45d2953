#pragma once

#include <windows.h>

#include <commctrl.h>

namespace tkit
{

// The colours of one mark: its strokes and the square behind them.
struct MarkColours
{
    COLORREF stroke;
    COLORREF background;
};

// The images of markImages, by index.
inline constexpr int blankMark = 0;
inline constexpr int tickMark = 1;
inline constexpr int crossMark = 2;

// A new image list of three square images of side size, drawn with GDI: a
// blank one that shows nothing, a tick and a cross, each drawn in strokes
// that grow with the size on a square of its background colour. The caller
// owns it. Null when it cannot be made.
HIMAGELIST markImages(int size, MarkColours tick, MarkColours cross);

} // namespace tkit
