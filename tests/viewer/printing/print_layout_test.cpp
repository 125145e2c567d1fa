#include <gtest/gtest.h>

#include "print_layout.h"

namespace {

using namespace kestrel::printing;

TEST(PrintPictureSize, FillsThePrintableAreaWithTheViewsShape)
{
    // A wide view fills the width of a portrait page, a tall one its height.
    EXPECT_EQ(PrintPictureSize({4760, 6776}, {800, 600}), (PixelSize{4760, 3570}));
    EXPECT_EQ(PrintPictureSize({2000, 3000}, {300, 600}), (PixelSize{1500, 3000}));
    EXPECT_EQ(PrintPictureSize({1000, 500}, {100, 100}), (PixelSize{500, 500}));
    // An empty view counts as one pixel each way rather than dividing by zero.
    EXPECT_EQ(PrintPictureSize({1000, 500}, {0, 0}), (PixelSize{500, 500}));
    EXPECT_EQ(PrintPictureSize({0, 500}, {100, 100}), (PixelSize{}));
}

TEST(PrintPictureSize, HalvesWhileTwentyMillionPixelsOrMore)
{
    // A 1200-dpi A4 page: 9681 x 7260 (70 million) halves once to 4840 x 3630 (17.6 million).
    EXPECT_EQ(PrintPictureSize({9681, 13791}, {800, 600}), (PixelSize{4840, 3630}));
    // Exactly the limit halves too; one below stays.
    EXPECT_EQ(HalveUntilSmall({5000, 4000}), (PixelSize{2500, 2000}));
    EXPECT_EQ(HalveUntilSmall({4999, 4000}), (PixelSize{4999, 4000}));
    EXPECT_EQ(HalveUntilSmall({40000, 40000}), (PixelSize{2500, 2500}));
    // A side larger than the context can draw halves as well, never below one pixel.
    EXPECT_EQ(HalveUntilSmall({9000, 100}, 4096), (PixelSize{2250, 25}));
    EXPECT_EQ(HalveUntilSmall({9000, 1}, 4096), (PixelSize{2250, 1}));
}

TEST(PrintTargetRect, ScalesByTheSmallerRatioCentredInsideTheMargins)
{
    EXPECT_EQ(PrintableSize({5000, 7016}), (PixelSize{4760, 6776}));
    EXPECT_EQ(PrintableSize({200, 100}), (PixelSize{0, 0}));

    // Width limits: 4760 / 800 < 6776 / 600.
    EXPECT_EQ(PrintTargetRect({4760, 6776}, {800, 600}), (PageRect{120, 120 + (6776 - 3570) / 2, 4760, 3570}));
    // Height limits: the picture is centred across.
    EXPECT_EQ(PrintTargetRect({4000, 1000}, {200, 100}), (PageRect{120 + 1000, 120, 2000, 1000}));
    // A picture larger than the area shrinks into it.
    EXPECT_EQ(PrintTargetRect({100, 100}, {4000, 2000}), (PageRect{120, 120 + 25, 100, 50}));
    EXPECT_EQ(PrintTargetRect({100, 100}, {0, 10}), (PageRect{}));
    EXPECT_EQ(PrintTargetRect({0, 100}, {10, 10}), (PageRect{}));
}

} // namespace
