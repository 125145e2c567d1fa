#include "information_lines.h"

#include <cmath>

#include "text_format.h"

namespace kestrel::panels {
namespace {

constexpr const char* kNotAvailable = "Not Available";

std::string VectorLine(const char* label, const CVector3d& v)
{
    return FormatText("   - %s: %.2f, %.2f, %.2f", label, double(v.x), double(v.y), double(v.z));
}

// Frames divided by the frame rate, or nothing when that is no finite number of seconds.
bool TotalSeconds(const SK_MODEL_STATS& stats, double& seconds)
{
    const double rate = double(stats.fps);
    if (!(rate > 0.0) || !std::isfinite(rate))
        return false;
    seconds = double(stats.totalFrames) / rate;
    return std::isfinite(seconds);
}

void AddAnimation(std::vector<std::string>& lines, const SK_MODEL_STATS& stats)
{
    lines.push_back("Animation");
    if (!stats.animated) {
        lines.push_back("   - Animation Present: No");
        return;
    }
    lines.push_back("   - Animation Present: Yes");
    lines.push_back(FormatText("   - Sequences: %u", stats.sequenceCount));
    lines.push_back(FormatText("   - Total Frames: %u", stats.totalFrames));
    double seconds = 0.0;
    if (TotalSeconds(stats, seconds))
        lines.push_back(FormatText("   - Total Time: %.3fs", seconds));
    else
        lines.push_back(FormatText("   - Total Time: %s", kNotAvailable));
    if (std::isfinite(stats.fps))
        lines.push_back(FormatText("   - Frame Rate: %.2f", double(stats.fps)));
    else
        lines.push_back(FormatText("   - Frame Rate: %s", kNotAvailable));
}

} // namespace

std::vector<std::string> ImageInformation(const ImageFacts& image)
{
    return {"File Type: 2D Image",
            "",
            "General",
            FormatText("   - Width: %upx", image.width),
            FormatText("   - Height: %upx", image.height),
            FormatText("   - Color Depth: %ubpp", image.bitsPerPixel)};
}

std::vector<std::string> ModelInformation(const SK_MODEL_STATS& stats)
{
    std::vector<std::string> lines = {
        "File Type: 3D Object",
        "",
        "General",
        FormatText("   - Meshes: %u", stats.meshCount),
        FormatText("   - Vertices: %u", stats.totalVertices),
        FormatText("   - Faces: %u", stats.totalTriangles),
        FormatText("   - Normals: %u", stats.totalNormals),
        FormatText("   - Texture Coordinates: %u", stats.totalTexCoords),
        FormatText("   - Joints: %u", stats.jointCount),
        FormatText("   - Materials: %u", stats.materialCount),
        "",
    };
    AddAnimation(lines, stats);
    lines.push_back("");
    lines.push_back("Dimensions");
    lines.push_back(VectorLine("Max Vector", stats.boundsMax));
    lines.push_back(VectorLine("Min Vector", stats.boundsMin));
    lines.push_back(VectorLine("Center Vector", stats.center));
    lines.push_back(FormatText("   - Scale Value: %.4f", double(stats.scale)));
    return lines;
}

std::vector<std::string> EmptyInformation()
{
    return {"File Type: Unknown", "", "General", FormatText("   - %s", kNotAvailable)};
}

std::vector<std::string> InformationLines(doc::ViewMode viewMode, const SK_MODEL_STATS& stats,
                                          const ImageFacts& image)
{
    switch (viewMode) {
    case doc::kImage:
        return ImageInformation(image);
    case doc::kModel:
        return ModelInformation(stats);
    default:
        return EmptyInformation();
    }
}

} // namespace kestrel::panels
