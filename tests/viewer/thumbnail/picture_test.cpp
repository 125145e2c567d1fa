#include <gtest/gtest.h>

#include "picture.h"

namespace {

using namespace kestrel::thumbnail;

TEST(Picture, ShrinkingAveragesTheAreaEachPixelCovers)
{
    // 4 x 2: black and white columns pairs -> 2 x 1: each the mean of its 2 x 2 block.
    Picture p = FilledPicture(4, 2, Rgb(0, 0, 0));
    p.At(1, 0) = p.At(1, 1) = Rgb(255, 255, 255);
    p.At(2, 0) = Rgb(100, 0, 0);
    const Picture half = Resampled(p, 2, 1);
    ASSERT_EQ(half.width, 2);
    ASSERT_EQ(half.height, 1);
    EXPECT_EQ(half.At(0, 0), Rgb(128, 128, 128)); // (0 + 255 + 0 + 255) / 4, rounded
    EXPECT_EQ(half.At(1, 0), Rgb(25, 0, 0));

    // 3 -> 2: the middle pixel is shared half and half.
    Picture row = FilledPicture(3, 1, Rgb(0, 0, 0));
    row.At(1, 0) = Rgb(90, 90, 90);
    row.At(2, 0) = Rgb(240, 240, 240);
    const Picture two = Resampled(row, 2, 1);
    EXPECT_EQ(RedOf(two.At(0, 0)), 30);  // (0 * 1 + 90 * 0.5) / 1.5
    EXPECT_EQ(RedOf(two.At(1, 0)), 190); // (90 * 0.5 + 240) / 1.5
}

TEST(Picture, SizesAndPastingStayInsideTheirBounds)
{
    const Picture p = FilledPicture(5, 4, Rgb(1, 2, 3));
    EXPECT_EQ(Resampled(p, 5, 4).pixels, p.pixels);
    EXPECT_TRUE(Resampled(p, 0, 4).IsNull());
    EXPECT_TRUE(Resampled(Picture(), 3, 3).IsNull());
    EXPECT_TRUE(FilledPicture(-1, 4, 0).IsNull());
    const Picture up = Resampled(p, 10, 8); // a larger picture repeats its pixels
    EXPECT_EQ(up.At(9, 7), Rgb(1, 2, 3));

    Picture canvas = FilledPicture(4, 4, Rgb(255, 255, 255));
    Paste(canvas, FilledPicture(3, 3, Rgb(0, 0, 0)), 2, -1); // clipped on the right and the top
    EXPECT_EQ(canvas.At(2, 0), Rgb(0, 0, 0));
    EXPECT_EQ(canvas.At(3, 1), Rgb(0, 0, 0));
    EXPECT_EQ(canvas.At(3, 2), Rgb(255, 255, 255));
    EXPECT_EQ(canvas.At(1, 0), Rgb(255, 255, 255));
}

} // namespace
