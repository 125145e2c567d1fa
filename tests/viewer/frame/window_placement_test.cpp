#include <QDataStream>
#include <QIODevice>
#include <gtest/gtest.h>

#include "toolbar_rows.h"
#include "window_placement.h"

namespace kestrel::frame {
namespace {

const ScreenArea kScreen{QRect(0, 0, 1280, 1024), QRect(0, 0, 1280, 994)}; // a panel at the bottom
const ScreenArea kRightScreen{QRect(1280, 0, 1920, 1080), QRect(1280, 0, 1920, 1080)};

WindowPlacement Placement(const QRect& normal, bool maximized)
{
    WindowPlacement p;
    p.frame = p.client = p.normal = normal;
    p.maximized = maximized;
    p.screenWidth = 1280;
    return p;
}

TEST(WindowPlacementRecord, ReadsWhatItWritesAndRejectsDamage)
{
    WindowPlacement p = Placement(QRect(100, 80, 900, 700), true);
    p.frame = QRect(96, 60, 908, 724);
    p.screenNumber = 1;
    const QByteArray record = WritePlacement(p);
    const auto read = ReadPlacement(record);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->frame, p.frame);
    EXPECT_EQ(read->normal, p.normal);
    EXPECT_EQ(read->client, p.client);
    EXPECT_EQ(read->screenNumber, 1);
    EXPECT_TRUE(read->maximized);
    EXPECT_FALSE(read->fullScreen);
    EXPECT_EQ(read->screenWidth, 1280);

    EXPECT_FALSE(ReadPlacement({}));
    EXPECT_FALSE(ReadPlacement(record.left(record.size() - 3))); // cut short
    QByteArray badMagic = record;
    badMagic[0] = char(0x7f);
    EXPECT_FALSE(ReadPlacement(badMagic));
    QByteArray future = record;
    future[5] = char(9); // major version 9
    EXPECT_FALSE(ReadPlacement(future));
}

TEST(WindowPlacementRecord, ReadsTheOlderVersionTwoLayout)
{
    QByteArray record;
    QDataStream out(&record, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_4_0);
    out << quint32(0x1D9D0CB) << quint16(2) << quint16(0) << QRect(10, 10, 800, 600) << QRect(12, 30, 796, 580)
        << qint32(0) << quint8(0) << quint8(0) << qint32(1280);
    const auto read = ReadPlacement(record);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->normal, QRect(12, 30, 796, 580));
    EXPECT_EQ(read->client, read->normal);
    EXPECT_FALSE(read->maximized);
}

TEST(StartPlacement, FirstStartIsMaximisedAndWithoutWindowManagerFillsTheWorkArea)
{
    const PlacementPlan bare = PlanStart(std::nullopt, {kScreen}, 0, false);
    EXPECT_EQ(bare.mode, WindowMode::Maximized);
    ASSERT_TRUE(bare.bareGeometry);
    EXPECT_EQ(*bare.bareGeometry, kScreen.available);
    // Un-maximising later goes to a real window inside the work area, not a strip.
    EXPECT_TRUE(kScreen.available.contains(bare.normal));
    EXPECT_GE(bare.normal.height(), 600);

    const PlacementPlan managed = PlanStart(std::nullopt, {kScreen}, 0, true);
    EXPECT_EQ(managed.mode, WindowMode::Maximized);
    EXPECT_FALSE(managed.bareGeometry); // the window manager maximises
    EXPECT_EQ(managed.normal, bare.normal);
}

TEST(StartPlacement, LaterStartsKeepTheStoredPlacementAndState)
{
    const QRect normal(200, 150, 900, 700);
    const PlacementPlan maximized = PlanStart(Placement(normal, true), {kScreen}, 0, false);
    EXPECT_EQ(maximized.mode, WindowMode::Maximized);
    EXPECT_EQ(maximized.normal, normal);
    EXPECT_EQ(*maximized.bareGeometry, kScreen.available);

    const PlacementPlan plain = PlanStart(Placement(normal, false), {kScreen}, 0, false);
    EXPECT_EQ(plain.mode, WindowMode::Normal);
    EXPECT_EQ(plain.normal, normal);
    EXPECT_FALSE(plain.bareGeometry);

    // On the second screen it stays there, and maximises there.
    const QRect right(1500, 100, 1000, 800);
    const PlacementPlan there = PlanStart(Placement(right, true), {kScreen, kRightScreen}, 0, false);
    EXPECT_EQ(there.normal, right);
    EXPECT_EQ(there.screen, 1);
    EXPECT_EQ(*there.bareGeometry, kRightScreen.available);
}

TEST(StartPlacement, DamagedOrOffScreenPlacementsComeBackOnTheScreen)
{
    // The strip earlier builds left behind, and nonsense sizes: the default window.
    const QRect fallback = DefaultNormalRect(kScreen.available);
    EXPECT_EQ(PlanStart(Placement(QRect(0, 0, 853, 147), true), {kScreen}, 0, false).normal, fallback);
    EXPECT_EQ(PlanStart(Placement(QRect(0, 0, -5, 400), false), {kScreen}, 0, false).normal, fallback);
    EXPECT_EQ(PlanStart(Placement(QRect(0, 0, 900000, 700), false), {kScreen}, 0, false).normal, fallback);

    // A monitor that is gone: same size, centred on this screen.
    const PlacementPlan gone = PlanStart(Placement(QRect(3000, 200, 800, 600), false), {kScreen}, 0, false);
    EXPECT_EQ(gone.normal.size(), QSize(800, 600));
    EXPECT_EQ(gone.normal.center(), kScreen.available.center());

    // The title bar above the top edge: the window is moved down, not left out of reach.
    const QRect above = PlanStart(Placement(QRect(100, -300, 800, 600), false), {kScreen}, 0, false).normal;
    EXPECT_TRUE(kScreen.available.contains(above));
    // Larger than the screen (it shrank): fitted.
    const QRect big = PlanStart(Placement(QRect(0, 0, 1900, 1200), false), {kScreen}, 0, false).normal;
    EXPECT_EQ(big, kScreen.available);

    // Partly off the right edge: pulled in whole, at its height and size.
    EXPECT_EQ(PlanStart(Placement(QRect(1000, 100, 800, 600), false), {kScreen}, 0, false).normal,
              QRect(480, 100, 800, 600));
}

TEST(ModePlacement, FullScreenWithoutWindowManagerCoversTheWholeScreenAndLeavingRestores)
{
    const QRect normal(200, 150, 900, 700);
    const PlacementPlan full = PlanMode(WindowMode::FullScreen, normal, {kScreen}, 0, false);
    EXPECT_EQ(*full.bareGeometry, kScreen.full); // the panel's strip too
    EXPECT_FALSE(PlanMode(WindowMode::FullScreen, normal, {kScreen}, 0, true).bareGeometry);

    const PlacementPlan back = PlanMode(WindowMode::Normal, normal, {kScreen}, 0, false);
    EXPECT_EQ(back.normal, normal);
    EXPECT_FALSE(back.bareGeometry);
    const PlacementPlan backMaximized = PlanMode(WindowMode::Maximized, normal, {kScreen}, 0, false);
    EXPECT_EQ(*backMaximized.bareGeometry, kScreen.available);

    // No screen at all (nothing to measure): the rectangle as it is, nothing forced.
    EXPECT_FALSE(PlanMode(WindowMode::Maximized, normal, {}, 0, false).bareGeometry);
}

TEST(ToolbarRows, BarsFillRowsInOrderAndNoRowIsWiderThanTheWindow)
{
    const std::vector<int> widths = {300, 350, 380, 170, 350, 150, 30, 130};
    for (int width : {1280, 1920, 800}) {
        const std::vector<int> starts = ToolbarRowStarts(widths, width);
        std::vector<int> bounds = {0};
        bounds.insert(bounds.end(), starts.begin(), starts.end());
        bounds.push_back(int(widths.size()));
        for (size_t row = 0; row + 1 < bounds.size(); ++row) {
            int used = 2 * kToolbarRowMargin;
            for (int i = bounds[row]; i < bounds[row + 1]; ++i)
                used += widths[i] + (i > bounds[row] ? kToolbarGap : 0);
            EXPECT_LE(used, width) << "row " << row << " at " << width;
            // The next bar would not have fitted: rows are filled, not split early.
            if (row + 2 < bounds.size())
                EXPECT_GT(used + kToolbarGap + widths[bounds[row + 1]], width);
        }
    }
    EXPECT_EQ(ToolbarRowStarts(widths, 1280), (std::vector<int>{4}));
    EXPECT_TRUE(ToolbarRowStarts({100, 100}, 1000).empty());
    // A bar wider than the window gets a row to itself.
    EXPECT_EQ(ToolbarRowStarts({100, 1500, 100}, 1000), (std::vector<int>{1, 2}));
}

} // namespace
} // namespace kestrel::frame
