#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "document_panels.h"
#include "information_lines.h"

namespace kestrel::panels {
namespace {

using Lines = std::vector<std::string>;

SK_MODEL_STATS AnimatedStats()
{
    SK_MODEL_STATS s{};
    s.meshCount = 3;
    s.totalVertices = 120;
    s.totalTriangles = 200;
    s.totalNormals = 118;
    s.totalTexCoords = 96;
    s.jointCount = 7;
    s.materialCount = 2;
    s.animated = true;
    s.sequenceCount = 3;
    s.totalFrames = 50;
    s.fps = 24.0f;
    s.boundsMax = CVector3d(1.0f, 0.5f, 0.126f);
    s.boundsMin = CVector3d(-1.0f, -0.006f, -2.346f);
    s.center = CVector3d(0.0f, 10.0f, -0.0f);
    s.scale = 0.03125f;
    return s;
}

TEST(InformationLines, ImageListing)
{
    const Lines expected = {"File Type: 2D Image", "", "General", "   - Width: 640px", "   - Height: 480px",
                            "   - Color Depth: 32bpp"};
    EXPECT_EQ(InformationLines(doc::kImage, SK_MODEL_STATS{}, {640, 480, 32}), expected);
}

TEST(InformationLines, AnimatedModelListing)
{
    const Lines expected = {
        "File Type: 3D Object",
        "",
        "General",
        "   - Meshes: 3",
        "   - Vertices: 120",
        "   - Faces: 200",
        "   - Normals: 118",
        "   - Texture Coordinates: 96",
        "   - Joints: 7",
        "   - Materials: 2",
        "",
        "Animation",
        "   - Animation Present: Yes",
        "   - Sequences: 3",
        "   - Total Frames: 50",
        "   - Total Time: 2.083s",
        "   - Frame Rate: 24.00",
        "",
        "Dimensions",
        "   - Max Vector: 1.00, 0.50, 0.13",
        "   - Min Vector: -1.00, -0.01, -2.35",
        "   - Center Vector: 0.00, 10.00, -0.00",
        "   - Scale Value: 0.0312",
    };
    EXPECT_EQ(InformationLines(doc::kModel, AnimatedStats(), {}), expected);
}

TEST(InformationLines, StillModelSaysNoAnimation)
{
    SK_MODEL_STATS s = AnimatedStats();
    s.animated = false;
    const Lines lines = ModelInformation(s);
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[11], "Animation");
    EXPECT_EQ(lines[12], "   - Animation Present: No");
    EXPECT_EQ(lines[13], "");
    EXPECT_EQ(lines[14], "Dimensions");
}

TEST(InformationLines, UnusableFrameRateShowsNoTotalTime)
{
    for (float rate : {0.0f, -24.0f, std::nanf(""), -std::numeric_limits<float>::infinity()}) {
        SK_MODEL_STATS s = AnimatedStats();
        s.fps = rate;
        s.totalFrames = 4000000000u;
        const Lines lines = ModelInformation(s);
        EXPECT_EQ(lines[14], "   - Total Frames: 4000000000");
        EXPECT_EQ(lines[15], "   - Total Time: Not Available") << rate;
        for (const std::string& line : lines) {
            EXPECT_EQ(line.find("inf"), std::string::npos) << line;
            EXPECT_EQ(line.find("nan"), std::string::npos) << line;
        }
    }
}

TEST(InformationLines, EmptyAndUnknownModes)
{
    const Lines expected = {"File Type: Unknown", "", "General", "   - Not Available"};
    EXPECT_EQ(InformationLines(doc::kEmpty, AnimatedStats(), {1, 1, 24}), expected);
    EXPECT_EQ(InformationLines(doc::ViewMode(9), AnimatedStats(), {1, 1, 24}), expected);
}

TEST(InformationLines, DocumentPanelsReadTheImageAndTheStatistics)
{
    doc::Document document;
    document.viewMode = doc::kImage;
    document.image.mWidth = 3;
    document.image.mHeight = 2;
    document.image.mBpp = 24;
    EXPECT_EQ(InformationFor(document)[3], "   - Width: 3px");
    EXPECT_EQ(InformationFor(document)[5], "   - Color Depth: 24bpp");
    EXPECT_EQ(ObjectTreeFor(document).nodes[0].text, "Image File");

    document.viewMode = doc::kModel;
    document.stats = AnimatedStats();
    EXPECT_EQ(InformationFor(document)[3], "   - Meshes: 3");
    EXPECT_EQ(ObjectTreeFor(document).nodes[0].text, "Scene Objects");
}

} // namespace
} // namespace kestrel::panels
