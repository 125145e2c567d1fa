// The sample set as a new user meets it: every sample opens, is wound the way its normals
// point, draws the same after a round trip through the native format, and a model made of
// joints alone still shows something.
#include <gtest/gtest.h>

#include <future>

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "document.h"
#include "document_loader.h"
#include "headless_gl.h"
#include "nimbus/camera.h"
#include "nimbus/scene_draw.h"
#include "plugin_manager.h"
#include "sample_files.h"
#include "scene_drawing.h"
#include "temp_dir.h"
#include "view_camera.h"

namespace {

using kestrel::doc::Document;
using kestrel::doc::OpenDocument;
using kestrel::test::HeadlessGl;

constexpr int kPictureSize = 96;
constexpr int kLastMeshMode = 12;
const char* const kSampleModels[] = {"arm.ms3d", "crate.3ds", "terrain.stl", "tiles.off", "walk.bvh"};

class SampleModels : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string why;
        gl_ = HeadlessGl::Acquire(kPictureSize, kPictureSize, &why);
        ASSERT_NE(gl_, nullptr) << why;
        gl_->Resize(kPictureSize, kPictureSize);
        ASSERT_GT(plugIns_.Scan(KESTREL_PLUGIN_FOLDER), 0);
        using namespace kestrel::samples;
        const std::string folder = dir_.Path().string();
        ASSERT_TRUE(WriteImages(folder) && WriteAnimatedArm(folder) && WriteTexturedCrate(folder) &&
                    WriteTerrainStl(folder) && WriteTileOff(folder) && WriteWalkBvh(folder));
    }

    // Opening makes the model's folder current.
    void TearDown() override { std::filesystem::current_path(before_); }

    void Open(const std::string& name, Document& doc)
    {
        const auto outcome = OpenDocument(dir_.File(name), plugIns_, doc);
        ASSERT_TRUE(outcome.ok) << name << ": " << outcome.status;
    }

    // The scene as the view draws it at start, frozen in its rest pose.
    std::vector<uint8_t> Draw(Document& doc, const kestrel::prefs::StateBlock& state)
    {
        gl_->MakeCurrent();
        kestrel::scene::InitViewGlState();
        kestrel::scene::ApplyBackFaceOption(state);
        skfReshapeViewport(kPictureSize, kPictureSize, false, 45.0f);
        const kestrel::prefs::SettingsBlock settings;
        kestrel::scene::SetClearColour(kestrel::doc::kModel, settings);
        CCamera camera;
        kestrel::scene::CameraState cameraState;
        kestrel::scene::SetModelCamera(camera, cameraState);
        kestrel::scene::DrawModelScene(doc.model, camera, doc.stats, state, settings, kestrel::scene::SceneFrame{});
        glFinish();
        return gl_->ReadPixels();
    }

    static kestrel::prefs::StateBlock MeshOnly(int mode)
    {
        kestrel::prefs::StateBlock state;
        state.meshMode = uint8_t(mode);
        state.gridMode = 0;
        state.boundingBoxMode = 0;
        state.axesShown = 0;
        return state;
    }

    HeadlessGl* gl_ = nullptr;
    kestrel::host::CPlugInManager plugIns_;
    kestrel::test::TempDir dir_;
    std::filesystem::path before_ = std::filesystem::current_path();
};

// Pixels that differ by more than a rounding step, as a share of the picture.
double DifferentShare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    if (a.size() != b.size() || a.empty())
        return 1.0;
    size_t different = 0;
    for (size_t p = 0; p + 3 < a.size(); p += 4)
        for (int c = 0; c < 3; ++c)
            if (std::abs(int(a[p + size_t(c)]) - int(b[p + size_t(c)])) > 3) {
                ++different;
                break;
            }
    return double(different) / double(a.size() / 4);
}

TEST_F(SampleModels, WindingAgreesWithStoredNormals)
{
    for (const char* name : kSampleModels) {
        Document doc;
        Open(name, doc);
        size_t checked = 0, disagreeing = 0;
        for (const CMesh& mesh : doc.model.mMeshes)
            for (const CTriangle& t : mesh.mTriangles) {
                // The rest pose after opening: skinned vertices keep their file position only
                // in their joint's influence, and centring and scaling keep every direction.
                const float* a = mesh.mVertices[size_t(t.mVertices[0])].mPos;
                const float* b = mesh.mVertices[size_t(t.mVertices[1])].mPos;
                const float* c = mesh.mVertices[size_t(t.mVertices[2])].mPos;
                const float u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
                const float v[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
                const float face[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
                for (int k = 0; k < 3; ++k) {
                    if (t.mNormals[k] < 0)
                        continue;
                    const float* n = mesh.mNormals[size_t(t.mNormals[k])].mDir;
                    ++checked;
                    disagreeing += face[0] * n[0] + face[1] * n[1] + face[2] * n[2] <= 0.0f;
                }
            }
        EXPECT_EQ(disagreeing, 0u) << name << ": " << disagreeing << " of " << checked << " corners";
    }
}

TEST_F(SampleModels, NativeRoundTripDrawsTheSameInEveryMeshMode)
{
    for (const char* name : kSampleModels) {
        Document original;
        Open(name, original);
        const std::string native = std::string(name) + ".kxm3";
        ASSERT_TRUE(original.model.SaveNative(dir_.File(native))) << name;
        Document reopened;
        Open(native, reopened);
        ASSERT_EQ(reopened.model.mMeshes.size(), original.model.mMeshes.size()) << name;
        for (int mode = 0; mode <= kLastMeshMode; ++mode) {
            const auto before = Draw(original, MeshOnly(mode));
            const auto after = Draw(reopened, MeshOnly(mode));
            EXPECT_LT(DifferentShare(before, after), 0.002) << name << " in mesh mode " << mode;
        }
    }
    // The default mode shows the crate at all, not only its background.
    Document crate;
    Open("crate.3ds.kxm3", crate);
    const auto picture = Draw(crate, MeshOnly(12));
    const auto empty = Draw(crate, MeshOnly(2));
    EXPECT_GT(DifferentShare(picture, empty), 0.05);
}

TEST_F(SampleModels, AJointOnlyModelShowsItsSkeletonWhenTheOptionIsOff)
{
    kestrel::prefs::StateBlock off = MeshOnly(12);
    ASSERT_EQ(off.skeletonMode, 0);
    Document walk;
    Open("walk.bvh", walk);
    ASSERT_TRUE(walk.model.mMeshes.empty());
    ASSERT_FALSE(walk.model.mJoints.empty());
    kestrel::prefs::StateBlock style4 = off;
    style4.skeletonMode = 4;
    kestrel::prefs::StateBlock nothing = off;
    nothing.skeletonMode = 5; // a style that draws no skeleton
    const auto drawnOff = Draw(walk, off);
    EXPECT_GT(DifferentShare(drawnOff, Draw(walk, nothing)), 0.002);
    EXPECT_LT(DifferentShare(drawnOff, Draw(walk, style4)), 0.002);
    EXPECT_EQ(off.skeletonMode, 0); // the option itself is left alone

    // A model with meshes keeps the option as it is.
    Document arm;
    Open("arm.ms3d", arm);
    ASSERT_FALSE(arm.model.mJoints.empty());
    kestrel::prefs::StateBlock armStyle4 = MeshOnly(2);
    armStyle4.skeletonMode = 4;
    kestrel::prefs::StateBlock armNothing = MeshOnly(2);
    armNothing.skeletonMode = 5;
    EXPECT_LT(DifferentShare(Draw(arm, MeshOnly(2)), Draw(arm, armNothing)), 0.002);
    EXPECT_GT(DifferentShare(Draw(arm, MeshOnly(2)), Draw(arm, armStyle4)), 0.002);
}

TEST_F(SampleModels, AReadOnAWorkerDrawsExactlyAsAReadInPlace)
{
    kestrel::doc::CDocumentLoader loader;
    for (const char* name : kSampleModels) {
        Document inPlace;
        Open(name, inPlace);
        // Start a read, give it up, then read again: the first is waited for, never mixed in.
        loader.Start(dir_.File(name), plugIns_);
        loader.Abandon();
        loader.Start(dir_.File(name), plugIns_);
        ASSERT_TRUE(loader.WaitFor(std::chrono::seconds(30))) << name;
        Document worker;
        gl_->MakeCurrent();
        const auto outcome = loader.TakeResult(worker);
        ASSERT_TRUE(outcome.ok) << name << ": " << outcome.status;
        EXPECT_FALSE(loader.Running());
        ASSERT_EQ(worker.model.mMeshes.size(), inPlace.model.mMeshes.size()) << name;
        EXPECT_EQ(worker.stats.totalTriangles, inPlace.stats.totalTriangles) << name;
        for (const CMaterial& m : worker.model.mMaterials)
            if (m.mDiffuseTex.mWidth != 0)
                EXPECT_NE(m.mDiffuseTex.mTexName, 0u) << name << ": its texture was made where it is drawn";
        for (int mode : {2, 9, 12})
            EXPECT_EQ(DifferentShare(Draw(inPlace, MeshOnly(mode)), Draw(worker, MeshOnly(mode))), 0.0)
                << name << " in mesh mode " << mode;
    }
    // Given up while running, it still ends before the loader goes.
    loader.Start(dir_.File("crate.3ds"), plugIns_);
    loader.Abandon();
}

// The worker says when a read has ended, and by then the loader says so too: a window
// waiting for it takes the result at once instead of at its next look.
TEST_F(SampleModels, TheWorkerTellsWhenTheReadHasEnded)
{
    kestrel::doc::CDocumentLoader loader;
    std::promise<bool> told;
    loader.Start(dir_.File("arm.ms3d"), plugIns_, {},
                 [&] { told.set_value(loader.WaitFor(std::chrono::milliseconds(0))); });
    auto ended = told.get_future();
    ASSERT_EQ(ended.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    EXPECT_TRUE(ended.get());
    gl_->MakeCurrent();
    Document doc;
    EXPECT_TRUE(loader.TakeResult(doc).ok);
}

} // namespace
