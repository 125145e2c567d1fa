#include <gtest/gtest.h>

#include "thumbnail_geometry.h"

namespace {

using kestrel::thumbnail::ImageTarget;
using kestrel::thumbnail::ModelPictureSize;
using kestrel::thumbnail::Rect;
using kestrel::thumbnail::Size;

TEST(ThumbnailGeometry, ImagesThatFitKeepTheirSizeAndAreCentredInWholePixels)
{
    EXPECT_EQ(ImageTarget(40, 30), (Rect{28, 27, 40, 30}));
    EXPECT_EQ(ImageTarget(41, 31), (Rect{27, 26, 41, 31}));
    EXPECT_EQ(ImageTarget(96, 84), (Rect{0, 0, 96, 84}));
    EXPECT_EQ(ImageTarget(1, 1), (Rect{47, 41, 1, 1}));
    // Small images are never enlarged, even when one side already fills the frame.
    EXPECT_EQ(ImageTarget(96, 10), (Rect{0, 37, 96, 10}));
}

TEST(ThumbnailGeometry, LargerImagesShrinkUntilTheLimitingSideFillsTheFrame)
{
    EXPECT_EQ(ImageTarget(800, 600), (Rect{0, 6, 96, 72}));
    EXPECT_EQ(ImageTarget(100, 400), (Rect{37, 0, 21, 84}));
    // Larger in one direction only is enough to scale both.
    EXPECT_EQ(ImageTarget(200, 10), (Rect{0, 39, 96, 5}));
    EXPECT_EQ(ImageTarget(50, 168), (Rect{35, 0, 25, 84}));
    // A sliver keeps one pixel rather than vanishing.
    EXPECT_EQ(ImageTarget(10000, 1), (Rect{0, 41, 96, 1}));
}

TEST(ThumbnailGeometry, OtherFrameSizesFollowTheSameRule)
{
    EXPECT_EQ(ImageTarget(800, 600, 48, 42), (Rect{0, 3, 48, 36}));
    EXPECT_EQ(ImageTarget(40, 30, 48, 42), (Rect{4, 6, 40, 30}));
    EXPECT_EQ(ImageTarget(40, 30, 3, 3), (Rect{0, 0, 3, 2}));
}

TEST(ThumbnailGeometry, NothingIsPlacedForAnEmptyImageOrFrame)
{
    EXPECT_EQ(ImageTarget(0, 30), Rect{});
    EXPECT_EQ(ImageTarget(40, -1), Rect{});
    EXPECT_EQ(ImageTarget(40, 30, 0, 84), Rect{});
}

TEST(ThumbnailGeometry, TheModelIsDrawnAtFourTimesTheSizeWithinTheContextsLimit)
{
    EXPECT_EQ(ModelPictureSize(), (Size{384, 336}));
    EXPECT_EQ(ModelPictureSize(48, 42), (Size{192, 168}));
    EXPECT_EQ(ModelPictureSize(1024, 512), (Size{4096, 2048}));
    // Larger frames keep their shape at the limit.
    EXPECT_EQ(ModelPictureSize(4096, 2048), (Size{4096, 2048}));
    EXPECT_EQ(ModelPictureSize(2000, 1000), (Size{4096, 2048}));
    EXPECT_EQ(ModelPictureSize(4096, 3), (Size{4096, 3}));
}

} // namespace
