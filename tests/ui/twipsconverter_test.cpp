#include "ui/twipsconverter.h"

#include <gtest/gtest.h>

TEST(TwipsConverter, FifteenTwipsMakeAPixelAtNinetySixDpi)
{
    const TwipsConverter twips(96);
    EXPECT_EQ(twips.toPixels(5685), 379);
    EXPECT_EQ(twips.toPixels(4575), 305);
    EXPECT_EQ(twips.toPixels(1300), 87);
    EXPECT_EQ(twips.toPixels(350), 23);
    EXPECT_EQ(twips.rect(4080, 240, 1300, 350), QRect(272, 16, 87, 23));
    EXPECT_EQ(twips.point(1680, 3705), QPoint(112, 247));
}

TEST(TwipsConverter, ScalesWithTheLogicalDpi)
{
    EXPECT_EQ(TwipsConverter(144).rect(120, 240, 1035, 240), QRect(12, 24, 104, 24));
    EXPECT_EQ(TwipsConverter(192).toPixels(5685), 758);
    // A screen that reports nothing usable is taken as 96 dpi.
    EXPECT_EQ(TwipsConverter(0).toPixels(150), 10);
}
