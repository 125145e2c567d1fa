#include "render_command.h"

#include <GL/gl.h>
#include <cstdio>
#include <filesystem>

#include "document_session.h"
#include "model_frame.h"
#include "image_drawing.h"
#include "nimbus/camera.h"
#include "nimbus/console.h"
#include "nimbus/scene_draw.h"
#include "offscreen/headless_gl.h"
#include "output_target.h"
#include "scene_drawing.h"
#include "view_camera.h"

namespace kestrel::cli {
namespace {

void DrawModel(doc::Document& d, const RenderOptions& o, const prefs::SettingsBlock& settings)
{
    // The requested frame is posed and held; drawing leaves the time where it is.
    if (o.frameGiven && !d.model.mSequences.empty()) {
        d.model.AniSetLoop(0, true);
        d.model.AniPlay(o.frame);
        d.model.AniPause();
    }
    DrawModelFrame(d, o.width, o.height, o.display, settings, CameraChoice{o.rotationGiven, o.pitch, o.yaw});
}

void DrawImage(doc::Document& d, const RenderOptions& o, const prefs::SettingsBlock& settings)
{
    scene::InitViewGlState();
    skfReshapeViewport(o.width, o.height, true, 45.0f);
    scene::SetClearColour(doc::kImage, settings);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    scene::ImageView view;
    scene::FitImage(view, o.width, o.height, int(d.image.mWidth), int(d.image.mHeight));
    scene::DrawImage(d.image, d.backdrop, view, o.display.showAlpha != 0);
}

// The console fully down over the picture, with a few lines about the document and the
// cursor showing, as one frame of a view that had it open would look.
void DrawConsole(const doc::Document& d, const RenderOptions& o, const doc::OpenOutcome& outcome)
{
    CWSKConsole console;
    if (!console.SetupFont(skfCurrentDeviceContext()))
        std::fprintf(stderr, "No font for the console's text\n");
    console.Add("Opened %s", std::filesystem::path(o.input).filename().string().c_str());
    if (!outcome.status.empty())
        console.Add("%s", outcome.status.c_str());
    if (d.viewMode == doc::kImage)
        console.Add("%u x %u pixels, %u bits", unsigned(d.image.mWidth), unsigned(d.image.mHeight),
                    unsigned(d.image.mBpp));
    else
        console.Add("Meshes %u, triangles %u, joints %u", d.stats.meshCount, d.stats.totalTriangles,
                    d.stats.jointCount);
    console.Visible(true);
    console.mCurrentHeight = console.mFullHeight;
    console.mCursorOn = true;
    console.mCursorTime = console.mTimer.GetTime();
    glViewport(0, 0, o.width, o.height);
    console.Render();
}

// Reads the framebuffer into a texture, bottom row first, and saves it as PNG.
bool SavePicture(offscreen::HeadlessGl& gl, const std::string& path)
{
    const std::vector<uint8_t> topFirst = gl.ReadPixels();
    CTexture picture;
    picture.mWidth = uint32_t(gl.Width());
    picture.mHeight = uint32_t(gl.Height());
    picture.mBpp = 24;
    picture.InitPixelData();
    for (uint32_t y = 0; y < picture.mHeight; ++y)
        for (uint32_t x = 0; x < picture.mWidth; ++x) {
            const uint8_t* src = topFirst.data() + (size_t(picture.mHeight - 1 - y) * picture.mWidth + x) * 4;
            uint8_t* dst = picture.mData.data() + (size_t(y) * picture.mWidth + x) * 3;
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
        }
    return picture.SaveToFile(path.c_str(), SK_TEX_PNG);
}

} // namespace

int RenderCommand(const RenderOptions& o)
{
    std::error_code ec;
    const std::string output = std::filesystem::absolute(o.output, ec).string();
    DocumentSession session(o.plugInFolder, o.input);
    doc::OpenOutcome outcome;
    if (!session.OpenForDrawing(o.width, o.height, outcome))
        return 1;
    const prefs::SettingsBlock settings;
    doc::Document& d = session.Document();
    session.Gl()->MakeCurrent();
    if (d.viewMode == doc::kImage)
        DrawImage(d, o, settings);
    else
        DrawModel(d, o, settings);
    if (o.console)
        DrawConsole(d, o, outcome);
    const std::string target = ec ? o.output : output;
    const std::string refusal = WriteRefusalFor(target);
    if (!refusal.empty() || !SavePicture(*session.Gl(), target)) {
        ReportWriteFailure("Cannot write " + o.output, refusal);
        return 1;
    }
    return 0;
}

} // namespace kestrel::cli
