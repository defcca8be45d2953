#pragma once

#include <windows.h>

namespace tkit
{

// The contrast ratio of two colours, from 1 (the same) to 21 (black and white),
// by their relative luminance.
double contrastRatio(COLORREF a, COLORREF b);

// A text colour that reads on background with a contrast of at least 4.5:1:
// preferred where it does, else black or white, whichever contrasts more.
COLORREF readableTextColour(COLORREF background, COLORREF preferred);

} // namespace tkit
