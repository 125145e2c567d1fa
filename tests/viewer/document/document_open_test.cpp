#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "document.h"
#include "formats/ms3d_writer.h"
#include "headless_gl.h"
#include "image_drawing.h"
#include "image_fixtures.h"
#include "kxm3_format.h"
#include "plugin_manager.h"
#include "temp_dir.h"

namespace {

using kestrel::doc::Document;
using kestrel::doc::OpenDocument;
using kestrel::test::TempDir;

class DocumentOpen : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string why;
        ASSERT_NE(kestrel::test::HeadlessGl::Acquire(32, 32, &why), nullptr) << why;
        ASSERT_GT(plugIns_.Scan(KESTREL_PLUGIN_FOLDER), 0);
    }

    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        kestrel::test::WriteBytes(dir_.File(name), bytes);
        return dir_.File(name);
    }

    kestrel::host::CPlugInManager plugIns_;
    TempDir dir_;
    std::filesystem::path before_ = std::filesystem::current_path();
    void TearDown() override { std::filesystem::current_path(before_); }
};

TEST_F(DocumentOpen, ModelsImagesAndTheirStatus)
{
    Document doc;
    const auto ms3d = kestrel::test::ms3d::Write(kestrel::test::ms3d::SampleModel());
    auto outcome = OpenDocument(Write("walker.ms3d", ms3d), plugIns_, doc);
    ASSERT_TRUE(outcome.ok) << outcome.status;
    EXPECT_EQ(doc.viewMode, kestrel::doc::kModel);
    EXPECT_EQ(outcome.status.rfind("Model loaded in ", 0), 0u);
    EXPECT_EQ(outcome.status.substr(outcome.status.size() - 8), " seconds");
    EXPECT_EQ(doc.stats.meshCount, 2u);
    // Texture names inside models are relative to the model's folder.
    EXPECT_EQ(std::filesystem::current_path(), dir_.Path());

    // The header decides, not the extension: a native model named .ms3d is read natively.
    CDocModel native;
    native.mMeshes.resize(1);
    native.mMeshes[0].SetName("Native");
    const auto kxm3 = kestrel::kxm3::Write(native);
    outcome = OpenDocument(Write("native.ms3d", kxm3), plugIns_, doc);
    ASSERT_TRUE(outcome.ok);
    EXPECT_STREQ(doc.model.mMeshes[0].mName, "Native");

    CTexture image;
    image.mWidth = 20;
    image.mHeight = 10;
    image.mBpp = 32;
    image.InitPixelData();
    ASSERT_TRUE(image.SaveToFile(dir_.File("a.png").c_str(), SK_TEX_PNG));
    outcome = OpenDocument(dir_.File("a.png"), plugIns_, doc);
    ASSERT_TRUE(outcome.ok);
    EXPECT_EQ(doc.viewMode, kestrel::doc::kImage);
    EXPECT_EQ(outcome.status, "Dimensions: 20x10  Color Depth: 32 bpp");
    EXPECT_TRUE(doc.model.mMeshes.empty());
    EXPECT_EQ(doc.backdrop.mWidth, 20u);
}

TEST_F(DocumentOpen, FailuresReportTheViewerTexts)
{
    Document doc;
    auto outcome = OpenDocument(dir_.File("missing.ms3d"), plugIns_, doc);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.status, "Unable to load file!");
    EXPECT_EQ(outcome.severity, kestrel::doc::kError);
    EXPECT_EQ(OpenDocument(Write("short.ms3d", {'M', 'S'}), plugIns_, doc).status, "Unable to load file!");

    // Not native, and no importer takes .kxm3 or .xyz.
    EXPECT_EQ(OpenDocument(Write("foreign.kxm3", std::vector<uint8_t>(64, 'x')), plugIns_, doc).status,
              "Invalid or unsupported file!");
    EXPECT_EQ(OpenDocument(Write("thing.xyz", std::vector<uint8_t>(64, 'x')), plugIns_, doc).status,
              "Invalid or unsupported file!");
    // A damaged MS3D file is refused by its importer.
    auto cut = kestrel::test::ms3d::Write(kestrel::test::ms3d::SampleModel());
    cut.resize(40);
    EXPECT_EQ(OpenDocument(Write("cut.ms3d", cut), plugIns_, doc).status, "Invalid or unsupported file!");
    EXPECT_EQ(doc.viewMode, kestrel::doc::kEmpty);
    EXPECT_TRUE(doc.model.mMeshes.empty());

    // A native header with unusable content.
    auto bad = kestrel::kxm3::Write(CDocModel());
    bad[6] = 0;
    EXPECT_EQ(OpenDocument(Write("bad.kxm3", bad), plugIns_, doc).status, "Unable to load file!");

    // Joints that name a missing parent cannot be finalized.
    CDocModel orphan;
    orphan.mJoints.resize(1);
    orphan.mJoints[0].SetName("child");
    orphan.mJoints[0].SetParentName("nobody");
    outcome = OpenDocument(Write("orphan.kxm3", kestrel::kxm3::Write(orphan)), plugIns_, doc);
    EXPECT_EQ(outcome.status, "KXM3 Model finalization failed!");
    EXPECT_EQ(outcome.severity, kestrel::doc::kUnexpected);
    EXPECT_EQ(doc.viewMode, kestrel::doc::kEmpty);
}

TEST(ImageView, FitCentreAndBackdrop)
{
    kestrel::scene::ImageView v;
    kestrel::scene::FitImage(v, 400, 300, 50, 40);
    EXPECT_EQ(v.zoom, 1.0f);
    EXPECT_EQ(v.fitX, 175);
    EXPECT_EQ(v.fitY, 130);
    kestrel::scene::FitImage(v, 400, 400, 800, 600);
    EXPECT_EQ(v.zoom, 0.5f);
    EXPECT_EQ(v.fitX, 0);
    EXPECT_EQ(v.fitY, 50);
    v.zoom = 2.0f;
    kestrel::scene::CentreImage(v, 400, 400, 100, 100);
    EXPECT_EQ(v.fitX, 100);

    CTexture image, backdrop;
    image.mWidth = 17;
    image.mHeight = 9;
    image.mBpp = 24;
    image.InitPixelData();
    kestrel::scene::BuildAlphaBackdrop(image, backdrop);
    EXPECT_EQ(backdrop.mWidth, 0u); // none for a 24-bit image
    image.mBpp = 32;
    image.InitPixelData();
    kestrel::scene::BuildAlphaBackdrop(image, backdrop);
    ASSERT_EQ(backdrop.mWidth, 17u);
    const auto px = [&](uint32_t x, uint32_t y) { return backdrop.mData[(size_t(y) * 17 + x) * 4]; };
    EXPECT_EQ(px(0, 0), 224);
    EXPECT_EQ(px(8, 0), 255);
    EXPECT_EQ(px(8, 8), 224);
    EXPECT_EQ(px(16, 0), 224);
    EXPECT_EQ(backdrop.mData[2], 255);
}

} // namespace
