#include <gtest/gtest.h>

#include "command_ids.h"
#include "command_rules.h"
#include "image_navigation.h"

namespace {

using namespace kestrel::scene;

TEST(ImageNavigation, ZoomStaysWithinItsLimitsAndTheCommandsSayWhenTheyCanGoOn)
{
    const ImageFrame frame{400, 300, 100, 50};
    ImageView view;
    for (int i = 0; i < 400; ++i)
        ZoomImageBy(view, kImageZoomCommandStep, frame);
    EXPECT_EQ(view.zoom, kMaxImageZoom);
    EXPECT_FALSE(CanZoomImageIn(view));
    EXPECT_TRUE(CanZoomImageOut(view));
    for (int i = 0; i < 400; ++i)
        ZoomImageBy(view, -kImageZoomCommandStep, frame);
    EXPECT_EQ(view.zoom, kMinImageZoom);
    EXPECT_FALSE(CanZoomImageOut(view));
    // A zoom change centres the image: 100 x 50 at 2.0 in 400 x 300.
    view.zoom = 1.98f;
    ZoomImageBy(view, kImageZoomCommandStep, frame);
    EXPECT_FLOAT_EQ(view.zoom, 2.0f);
    EXPECT_EQ(view.fitX, 100);
    EXPECT_EQ(view.fitY, 100);
}

TEST(ImageNavigation, FitAndActualSizeClearTheScrollAndNeverEnlargeByFitting)
{
    const ImageFrame small{400, 300, 50, 40};
    ImageView view;
    view.zoom = 3.0f;
    ScrollImage(view, 25, -7);
    FitImageToWindow(view, small);
    EXPECT_EQ(view.zoom, 1.0f);
    EXPECT_EQ(view.scrollX, 0);
    EXPECT_EQ(view.scrollY, 0);
    EXPECT_EQ(view.fitX, 175);
    EXPECT_EQ(view.fitY, 130);

    const ImageFrame large{400, 400, 800, 600};
    FitImageToWindow(view, large);
    EXPECT_EQ(view.zoom, 0.5f);
    EXPECT_EQ(view.fitY, 50);
    ScrollImage(view, -300, 10); // below zero is allowed: the image may start outside the window
    EXPECT_EQ(view.scrollX, -300);
    ShowImageActualSize(view, large);
    EXPECT_EQ(view.zoom, 1.0f);
    EXPECT_EQ(view.scrollX, 0);
    EXPECT_EQ(view.fitX, -200);
    EXPECT_EQ(view.fitY, -100);
}

TEST(ImageNavigation, TheWheelKeepsThePixelUnderTheMouseWhereItIs)
{
    const ImageFrame frame{400, 300, 200, 100};
    ImageView view;
    FitImageToWindow(view, frame); // zoom 1 at (100, 100)
    const int x = 150, y = 120;     // over image pixel (50, 20)
    for (float delta : {0.0375f, 0.0375f, 0.5f, -0.3f}) {
        const double u = (x - (view.fitX + view.scrollX)) / double(view.zoom);
        const double v = (y - (view.fitY + view.scrollY)) / double(view.zoom);
        ZoomImageAbout(view, delta, x, y, frame);
        EXPECT_NEAR(view.fitX + view.scrollX + u * view.zoom, x, 1.0);
        EXPECT_NEAR(view.fitY + view.scrollY + v * view.zoom, y, 1.0);
    }
    // The centring part stays what the commands expect.
    ImageView centred = view;
    CentreImage(centred, 400, 300, 200, 100);
    EXPECT_EQ(centred.fitX, view.fitX);
}

TEST(ImageNavigation, ArrowStepsGrowWithTheZoomAboveOne)
{
    EXPECT_EQ(ImageArrowStep(1.0f, 1), 2);
    EXPECT_EQ(ImageArrowStep(0.25f, 3), 6);
    EXPECT_EQ(ImageArrowStep(2.5f, 1), 5);
    EXPECT_EQ(ImageArrowStep(1.7f, 2), 6); // truncated from 6.8
    EXPECT_EQ(ImageArrowStep(7.0f, 0), 14); // a key press counts at least once
}

TEST(ImageNavigation, TheViewCommandsWorkOnlyOnAnImage)
{
    using kestrel::view::IsImageViewCommandEnabled;
    namespace cmd = kestrel::cmd;
    kestrel::doc::Document doc;
    ImageView view;
    EXPECT_FALSE(IsImageViewCommandEnabled(cmd::kFitWindow, doc, view));
    doc.viewMode = kestrel::doc::kImage;
    EXPECT_TRUE(IsImageViewCommandEnabled(cmd::kFitWindow, doc, view));
    EXPECT_TRUE(IsImageViewCommandEnabled(cmd::kActualSize, doc, view));
    view.zoom = kMaxImageZoom;
    EXPECT_FALSE(IsImageViewCommandEnabled(cmd::kZoomIn, doc, view));
    EXPECT_TRUE(IsImageViewCommandEnabled(cmd::kZoomOut, doc, view));
    view.zoom = kMinImageZoom;
    EXPECT_TRUE(IsImageViewCommandEnabled(cmd::kZoomIn, doc, view));
    EXPECT_FALSE(IsImageViewCommandEnabled(cmd::kZoomOut, doc, view));
    EXPECT_FALSE(IsImageViewCommandEnabled(cmd::kRotateLeft, doc, view)); // not one of these
}

} // namespace
