// Thumbnails as the file list shows them: drawn off screen, checked pixel by pixel where a
// fact is known and against pictures kept beside this file where the whole look matters.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "document.h"
#include "document_loader.h"
#include "headless_gl.h"
#include "nimbus/texture.h"
#include "plugin_manager.h"
#include "sample_files.h"
#include "temp_dir.h"
#include "thumbnail.h"

namespace {

namespace th = kestrel::thumbnail;
using kestrel::doc::Document;

// The pictures as a window shows them, to compare with the stored PNG references.
QImage ToQImage(const th::Picture& p)
{
    if (p.IsNull())
        return QImage();
    return QImage(reinterpret_cast<const uchar*>(p.pixels.data()), p.width, p.height, p.width * 4,
                  QImage::Format_RGB32)
        .copy();
}

namespace shown {
QImage RenderThumbnail(Document& d, int width = th::kWidth, int height = th::kHeight)
{
    return ToQImage(th::RenderThumbnail(d, width, height));
}
QImage ImageThumbnail(const CTexture& image) { return ToQImage(th::ImageThumbnail(image)); }
QImage TextureToImage(const CTexture& image) { return ToQImage(th::TextureToImage(image)); }
} // namespace shown

constexpr QRgb kFrame = qRgb(192, 192, 192);
constexpr QRgb kWhite = qRgb(255, 255, 255);
// A reference holds when fewer than 1% of the pixels differ by more than 8 in a channel.
constexpr int kChannelTolerance = 8;
constexpr double kDifferentShareAllowed = 0.01;

bool FramedAllRound(const QImage& picture)
{
    for (int x = 0; x < picture.width(); ++x)
        if (picture.pixel(x, 0) != kFrame || picture.pixel(x, picture.height() - 1) != kFrame)
            return false;
    for (int y = 0; y < picture.height(); ++y)
        if (picture.pixel(0, y) != kFrame || picture.pixel(picture.width() - 1, y) != kFrame)
            return false;
    return true;
}

int Grey(QRgb p) { return (qRed(p) + qGreen(p) + qBlue(p)) / 3; }

double DifferentShare(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull())
        return 1.0;
    int different = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > kChannelTolerance || std::abs(qGreen(p) - qGreen(q)) > kChannelTolerance ||
                std::abs(qBlue(p) - qBlue(q)) > kChannelTolerance)
                ++different;
        }
    return double(different) / (double(a.width()) * a.height());
}

// Compares with the reference of that name; a missing reference is written for a person to
// look at and commit, and the test fails until it is there.
void ExpectLikeReference(const QImage& picture, const std::string& name)
{
    const std::filesystem::path reference = std::filesystem::path(KESTREL_THUMBNAIL_REFERENCE_DIR) / (name + ".png");
    std::filesystem::create_directories(KESTREL_THUMBNAIL_OUTPUT_DIR);
    picture.save(QString::fromStdString((std::filesystem::path(KESTREL_THUMBNAIL_OUTPUT_DIR) / (name + ".png")).string()));
    if (!std::filesystem::exists(reference)) {
        std::filesystem::create_directories(reference.parent_path());
        ASSERT_TRUE(picture.save(QString::fromStdString(reference.string())));
        FAIL() << "the reference " << reference << " was missing and has been written from this run: look at it and "
               << "commit it";
    }
    const QImage expected = QImage(QString::fromStdString(reference.string())).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull()) << reference;
    EXPECT_LT(DifferentShare(picture, expected), kDifferentShareAllowed)
        << name << " differs from " << reference << "; this run's picture is in " << KESTREL_THUMBNAIL_OUTPUT_DIR;
}

// An RGBA test card bottom row first as textures keep it: a red top-left corner, a blue
// bottom-right one, a horizontal ramp elsewhere, and alpha zero over its left half.
CTexture TestCard(int w, int h)
{
    CTexture t;
    t.mWidth = uint32_t(w);
    t.mHeight = uint32_t(h);
    t.mBpp = 32;
    t.InitPixelData();
    for (int row = 0; row < h; ++row)
        for (int x = 0; x < w; ++x) {
            const int yFromTop = h - 1 - row;
            uint8_t* p = t.mData.data() + (size_t(row) * size_t(w) + size_t(x)) * 4;
            const bool topLeft = x < w / 4 && yFromTop < h / 4, bottomRight = x >= w - w / 4 && yFromTop >= h - h / 4;
            p[0] = topLeft ? 255 : uint8_t(x * 200 / w);
            p[1] = topLeft || bottomRight ? 0 : uint8_t(40 + yFromTop * 150 / h);
            p[2] = bottomRight ? 255 : 60;
            p[3] = x < w / 2 ? 0 : 255;
        }
    return t;
}

class Thumbnails : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string why;
        ASSERT_NE(kestrel::test::HeadlessGl::Acquire(th::kWidth, th::kHeight, &why), nullptr) << why;
        ASSERT_GT(plugIns_.Scan(KESTREL_PLUGIN_FOLDER), 0);
        const std::string folder = dir_.Path().string();
        // The images include the crate's texture.
        ASSERT_TRUE(kestrel::samples::WriteAnimatedArm(folder) && kestrel::samples::WriteWalkBvh(folder) &&
                    kestrel::samples::WriteTexturedCrate(folder) && kestrel::samples::WriteImages(folder));
    }

    // Opening makes the model's folder current.
    void TearDown() override { std::filesystem::current_path(before_); }

    void Open(const std::string& name, Document& doc)
    {
        // Textures are made in the context the thumbnail is drawn in.
        kestrel::test::HeadlessGl::Acquire(th::kWidth, th::kHeight);
        const auto outcome = kestrel::doc::OpenDocument(dir_.File(name), plugIns_, doc);
        ASSERT_TRUE(outcome.ok) << name << ": " << outcome.status;
    }

    kestrel::host::CPlugInManager plugIns_;
    kestrel::test::TempDir dir_;
    std::filesystem::path before_ = std::filesystem::current_path();
};

TEST_F(Thumbnails, AModelShowsLargeOverTheGreyGradient)
{
    Document arm;
    Open("arm.ms3d", arm);
    const QImage picture = shown::RenderThumbnail(arm);
    ASSERT_EQ(picture.size(), QSize(th::kWidth, th::kHeight));
    EXPECT_TRUE(FramedAllRound(picture));
    // The corners show the gradient: dark at the top, light at the bottom.
    EXPECT_LT(Grey(picture.pixel(2, 2)), 80);
    EXPECT_GT(Grey(picture.pixel(2, th::kHeight - 3)), 205);
    EXPECT_LT(Grey(picture.pixel(th::kWidth - 3, 2)), Grey(picture.pixel(th::kWidth - 3, th::kHeight - 3)));

    // Against a model with nothing to draw, the arm covers a good part of the picture.
    Document nothing;
    nothing.viewMode = kestrel::doc::kModel;
    const QImage gradient = shown::RenderThumbnail(nothing);
    EXPECT_TRUE(FramedAllRound(gradient));
    EXPECT_GT(DifferentShare(picture, gradient), 0.05);
    // The slim arm stands over most of the height rather than as a speck in the middle.
    int top = picture.height(), bottom = -1;
    for (int y = 1; y < picture.height() - 1; ++y)
        for (int x = 1; x < picture.width() - 1; ++x)
            if (Grey(picture.pixel(x, y)) + kChannelTolerance < Grey(gradient.pixel(x, y)) ||
                Grey(picture.pixel(x, y)) > Grey(gradient.pixel(x, y)) + kChannelTolerance) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_GT(bottom - top, picture.height() * 2 / 3) << top << " to " << bottom;
    EXPECT_LT(Grey(gradient.pixel(th::kWidth / 2, 1 + 2)), Grey(gradient.pixel(th::kWidth / 2, th::kHeight / 2)));
    ExpectLikeReference(picture, "arm_model");
}

TEST_F(Thumbnails, ATexturedModelMatchesItsReference)
{
    Document crate;
    Open("crate.3ds", crate);
    ASSERT_NE(crate.model.mMaterials.at(0).mDiffuseTex.mTexName, 0u);
    ExpectLikeReference(shown::RenderThumbnail(crate), "crate_model");
}

TEST_F(Thumbnails, AModelOfJointsAloneShowsItsSkeletonInRed)
{
    Document walk;
    Open("walk.bvh", walk);
    ASSERT_TRUE(walk.model.mMeshes.empty());
    const QImage picture = shown::RenderThumbnail(walk);
    int red = 0;
    for (int y = 1; y < picture.height() - 1; ++y)
        for (int x = 1; x < picture.width() - 1; ++x) {
            const QRgb p = picture.pixel(x, y);
            red += qRed(p) > 150 && qRed(p) > qGreen(p) + 60 && qRed(p) > qBlue(p) + 60;
        }
    EXPECT_GT(red, 8);
    EXPECT_TRUE(FramedAllRound(picture));
    ExpectLikeReference(picture, "walk_skeleton");
}

TEST_F(Thumbnails, OtherSizesAreDrawnTheSameWayAndFramed)
{
    Document arm;
    Open("arm.ms3d", arm);
    const QImage standard = shown::RenderThumbnail(arm);
    const QImage half = shown::RenderThumbnail(arm, 48, 42);
    ASSERT_EQ(half.size(), QSize(48, 42));
    EXPECT_TRUE(FramedAllRound(half));
    const QImage tiny = shown::RenderThumbnail(arm, 3, 3);
    ASSERT_EQ(tiny.size(), QSize(3, 3));
    EXPECT_TRUE(FramedAllRound(tiny));
    // Within the frame the half size shows what the standard size shows.
    QImage shrunk = standard.scaled(48, 42, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage inner = half.copy(2, 2, 44, 38);
    EXPECT_LT(DifferentShare(shrunk.copy(2, 2, 44, 38).convertToFormat(QImage::Format_RGB32), inner), 0.25);
}

TEST_F(Thumbnails, AnOpenedImageFileIsShownInTheFrame)
{
    Document wheel;
    Open("wheel.png", wheel);
    ASSERT_EQ(wheel.viewMode, kestrel::doc::kImage);
    const QImage picture = shown::RenderThumbnail(wheel);
    EXPECT_TRUE(FramedAllRound(picture));
    EXPECT_EQ(picture, shown::ImageThumbnail(wheel.image));
    ExpectLikeReference(picture, "wheel_image");
}

TEST(ImageThumbnails, ASmallImageSitsUnscaledInTheMiddleWithItsAlphaDropped)
{
    const CTexture card = TestCard(40, 30);
    const QImage picture = shown::ImageThumbnail(card);
    ASSERT_EQ(picture.size(), QSize(96, 84));
    EXPECT_TRUE(FramedAllRound(picture));
    // The image's top row is at y = 27, its left column at x = 28, each pixel as stored.
    const QImage source = shown::TextureToImage(card);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(picture.pixel(28 + x, 27 + y), source.pixel(x, y)) << x << ", " << y;
    EXPECT_EQ(picture.pixel(28, 27), qRgb(255, 0, 60)); // red corner, though its alpha is zero
    EXPECT_EQ(picture.pixel(67, 56), qRgb(195, 0, 255));
    // White all round it.
    for (int y = 1; y < 83; ++y) {
        for (int x = 1; x < 95; ++x) {
            if (x < 28 || x >= 68 || y < 27 || y >= 57) {
                ASSERT_EQ(picture.pixel(x, y), kWhite) << x << ", " << y;
            }
        }
    }
}

TEST(ImageThumbnails, ALargeImageIsScaledToTheFrameWidthAndCentred)
{
    const CTexture card = TestCard(800, 600);
    const QImage picture = shown::ImageThumbnail(card);
    EXPECT_TRUE(FramedAllRound(picture));
    // 96 x 72 at (0, 6): white bands of six rows above and below, the frame over its edge.
    for (int x = 1; x < 95; ++x) {
        for (int y = 1; y < 6; ++y)
            ASSERT_EQ(picture.pixel(x, y), kWhite) << x << ", " << y;
        for (int y = 78; y < 83; ++y)
            ASSERT_EQ(picture.pixel(x, y), kWhite) << x << ", " << y;
        ASSERT_NE(picture.pixel(x, 6), kWhite) << x;
        ASSERT_NE(picture.pixel(x, 77), kWhite) << x;
    }
    EXPECT_GT(qRed(picture.pixel(4, 10)), 200); // the red corner stays at the top left
    EXPECT_GT(qBlue(picture.pixel(92, 74)), 200);
    ExpectLikeReference(picture, "large_image");
}

TEST(ImageThumbnails, EmptyAndUnreadableDocumentsGiveTheWhiteFrame)
{
    Document empty;
    const QImage blank = shown::RenderThumbnail(empty);
    ASSERT_EQ(blank.size(), QSize(96, 84));
    EXPECT_TRUE(FramedAllRound(blank));
    EXPECT_EQ(blank.pixel(48, 42), kWhite);
    // An image whose pixels fall short of its size draws nothing rather than reading past them.
    CTexture truncated = TestCard(40, 30);
    truncated.mData.resize(100);
    const QImage unread = shown::ImageThumbnail(truncated);
    EXPECT_EQ(unread, blank);
    CTexture grey;
    grey.mWidth = grey.mHeight = 4;
    grey.mBpp = 8;
    grey.mData.assign(16, 7);
    EXPECT_EQ(shown::ImageThumbnail(grey), blank);
}

} // namespace
