#include "ui/twipsconverter.h"

#include <gtest/gtest.h>

TEST(TwipsConverter, FifteenTwipsMakeAPixelAtNinetySixDpiAndScaleWithIt)
{
    EXPECT_EQ(TwipsConverter(96).rect(4080, 240, 1300, 350), QRect(272, 16, 87, 23));
    EXPECT_EQ(TwipsConverter(144).rect(120, 240, 1035, 240), QRect(12, 24, 104, 24));
    EXPECT_EQ(TwipsConverter(192).point(5685, 4575), QPoint(758, 610));
    // A screen that reports nothing usable is taken as 96 dpi.
    EXPECT_EQ(TwipsConverter(0).toPixels(150), 10);
}
