#include "tkit/ui/Contrast.h"

#include <gtest/gtest.h>

namespace
{

// The scheme's text colour where it reads at 4.5:1, else black or white,
// whichever reads better: on the rows' light green and red, and on the ends.
TEST(Contrast, TheTextColourReadsOnItsBackground)
{
    const COLORREF black = RGB(0, 0, 0);
    const COLORREF white = RGB(255, 255, 255);
    const COLORREF green = RGB(203, 255, 203);
    const COLORREF red = RGB(255, 203, 203);
    const struct
    {
        COLORREF background, preferred, chosen;
        double ratio;
    } cases[] = {
        {green, black, black, 18.71},       {green, white, black, 18.71},
        {red, white, black, 14.66},         {red, RGB(0, 0, 128), RGB(0, 0, 128), 11.17},
        {black, black, white, 21.0},        {white, RGB(118, 118, 118), RGB(118, 118, 118), 4.54},
        {white, RGB(119, 119, 119), black, 21.0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << std::hex << c.background << " " << c.preferred);
        EXPECT_EQ(tkit::readableTextColour(c.background, c.preferred), c.chosen);
        EXPECT_NEAR(tkit::contrastRatio(c.chosen, c.background), c.ratio, 0.01);
    }
}

} // namespace
