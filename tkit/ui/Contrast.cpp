#include "tkit/ui/Contrast.h"

#include <algorithm>
#include <cmath>

namespace tkit
{

namespace
{

// The least contrast at which text reads for most people.
constexpr double readableContrast = 4.5;

double linearChannel(BYTE value)
{
    const double channel = value / 255.0;
    return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double relativeLuminance(COLORREF colour)
{
    return 0.2126 * linearChannel(GetRValue(colour)) + 0.7152 * linearChannel(GetGValue(colour)) +
           0.0722 * linearChannel(GetBValue(colour));
}

} // namespace

double contrastRatio(COLORREF a, COLORREF b)
{
    const double first = relativeLuminance(a);
    const double second = relativeLuminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

COLORREF readableTextColour(COLORREF background, COLORREF preferred)
{
    if (contrastRatio(preferred, background) >= readableContrast)
        return preferred;
    const COLORREF black = RGB(0, 0, 0);
    const COLORREF white = RGB(255, 255, 255);
    return contrastRatio(black, background) >= contrastRatio(white, background) ? black : white;
}

} // namespace tkit
