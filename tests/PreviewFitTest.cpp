#include <gtest/gtest.h>

#include "filelist/PreviewFit.h"

TEST(PreviewFit, FitsToTheBoxWidthOrHeightWithFortyBitRatio)
{
    struct Case {
        int pictureWidth, pictureHeight, width, height;
    } cases[] = {
        {640, 480, 184, 138},    {480, 640, 144, 192},   {1536, 1024, 184, 123}, {1024, 1536, 128, 192},
        {1920, 1080, 184, 104},  // 16/9 in 40 bits lies just below 16/9: the quotient just above 103.5
        {830, 1280, 124, 192},   // exactly 124.5: the even neighbour
        {1000, 1000, 184, 184},  // a square takes the width
        {990, 1000, 190, 192},   // wider than the box: not clipped
        {3680, 10, 184, 0},      // exactly 0.5 goes to 0
        {1024, 960, 184, 172},   // 16:15 rounded to nearest in 40 bits: 172.4999... (cutting would give 173)
    };
    for (const Case& c : cases) {
        PreviewSize size = FitPreview(184, 192, c.pictureWidth, c.pictureHeight);
        EXPECT_EQ(size.Width, c.width) << c.pictureWidth << "x" << c.pictureHeight;
        EXPECT_EQ(size.Height, c.height) << c.pictureWidth << "x" << c.pictureHeight;
    }
}
