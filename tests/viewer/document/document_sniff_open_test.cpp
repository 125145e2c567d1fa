#include <gtest/gtest.h>

#include <filesystem>

#include "document.h"
#include "formats/stl_writer.h"
#include "headless_gl.h"
#include "image_checks.h"
#include "image_fixtures.h"
#include "plugin_manager.h"
#include "temp_dir.h"

namespace {

using kestrel::doc::Document;
using kestrel::doc::OpenDocument;
using namespace kestrel::test;

class DocumentSniffOpen : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string why;
        ASSERT_NE(HeadlessGl::Acquire(32, 32, &why), nullptr) << why;
        ASSERT_GT(plugIns_.Scan(KESTREL_PLUGIN_FOLDER), 0);
    }
    void TearDown() override { std::filesystem::current_path(before_); }

    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        WriteBytes(dir_.File(name), bytes);
        return dir_.File(name);
    }

    kestrel::host::CPlugInManager plugIns_;
    TempDir dir_;
    std::filesystem::path before_ = std::filesystem::current_path();
};

TEST_F(DocumentSniffOpen, FilesWithoutAKnownExtensionOpenByTheirContent)
{
    const RefImage ref = MakePattern(6, 4, 24, PatternColours::kFull);
    Document doc;
    auto outcome = OpenDocument(Write("picture", MakeTga(ref, {})), plugIns_, doc);
    ASSERT_TRUE(outcome.ok) << outcome.status;
    EXPECT_EQ(doc.viewMode, kestrel::doc::kImage);
    EXPECT_TRUE(SameImage(doc.image, ref));

    const std::string stl = stl::WriteAscii("cube", stl::Cube());
    outcome = OpenDocument(Write("cube.download", std::vector<uint8_t>(stl.begin(), stl.end())), plugIns_, doc);
    ASSERT_TRUE(outcome.ok) << outcome.status;
    EXPECT_EQ(doc.viewMode, kestrel::doc::kModel);
    EXPECT_GT(doc.stats.meshCount, 0u);

    // A relative path is sniffed where it was given, before the folder changes.
    std::filesystem::current_path(dir_.Path());
    outcome = OpenDocument("picture", plugIns_, doc);
    EXPECT_TRUE(outcome.ok) << outcome.status;
}

TEST_F(DocumentSniffOpen, AKnownExtensionWithOtherContentStaysRefused)
{
    const std::string stl = stl::WriteAscii("cube", stl::Cube());
    Document doc;
    auto outcome = OpenDocument(Write("cube.tga", std::vector<uint8_t>(stl.begin(), stl.end())), plugIns_, doc);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.status, "Invalid or unsupported file!");
    EXPECT_EQ(doc.viewMode, kestrel::doc::kEmpty);
    // The native type is registered too: a damaged ".kxm3" is not imported as anything else.
    outcome = OpenDocument(Write("cube.kxm3", std::vector<uint8_t>(stl.begin(), stl.end())), plugIns_, doc);
    EXPECT_EQ(outcome.status, "Invalid or unsupported file!");
    // Content that no format fits.
    outcome = OpenDocument(Write("notes", std::vector<uint8_t>(40, 'x')), plugIns_, doc);
    EXPECT_EQ(outcome.status, "Invalid or unsupported file!");
}

} // namespace
