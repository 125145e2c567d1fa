#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "command_rules.h"
#include "display_options.h"
#include "file_filters.h"
#include "command_ids.h"
#include "navigation.h"
#include "nimbus/texture.h"
#include "picking.h"
#include "plugin_manager.h"
#include "save_rules.h"
#include "temp_dir.h"

namespace {

using namespace kestrel;
using namespace kestrel::view;

TEST(DisplayOptions, ChoosingTheCurrentModeSwitchesItOff)
{
    prefs::StateBlock s;
    ASSERT_EQ(s.meshMode, 12);
    EXPECT_TRUE(ApplyDisplayCommand(s, cmd::kMeshSolid));
    EXPECT_EQ(s.meshMode, 0);
    EXPECT_TRUE(IsDisplayCommandChecked(s, cmd::kMeshOff));
    EXPECT_TRUE(ApplyDisplayCommand(s, cmd::kMeshSolid));
    EXPECT_EQ(s.meshMode, 12);
    EXPECT_TRUE(ApplyDisplayCommand(s, cmd::kMeshFirst + 5)); // Wireframe
    EXPECT_EQ(s.meshMode, 6);
    EXPECT_TRUE(IsDisplayCommandChecked(s, cmd::kMeshFirst + 5));
    EXPECT_FALSE(IsDisplayCommandChecked(s, cmd::kMeshSolid));
    EXPECT_TRUE(ApplyDisplayCommand(s, cmd::kMeshOff));
    EXPECT_EQ(s.meshMode, 0);
    EXPECT_TRUE(ApplyDisplayCommand(s, cmd::kMeshOff)); // Off stays off
    EXPECT_EQ(s.meshMode, 0);
}

TEST(DisplayOptions, EachFamilyKeepsToItsOwnOption)
{
    prefs::StateBlock s;
    ApplyDisplayCommand(s, cmd::kSkeletonFirst + 3);
    EXPECT_EQ(s.skeletonMode, 4);
    ApplyDisplayCommand(s, cmd::kGridFirst); // grid was transparent (3)
    EXPECT_EQ(s.gridMode, 1);
    ApplyDisplayCommand(s, cmd::kBoundingBoxFirst); // corners were on: off
    EXPECT_EQ(s.boundingBoxMode, 0);
    ApplyDisplayCommand(s, cmd::kBoundingBoxLast);
    EXPECT_EQ(s.boundingBoxMode, 4);
    EXPECT_EQ(s.meshMode, 12);

    ApplyDisplayCommand(s, cmd::kNormals);
    ApplyDisplayCommand(s, cmd::kAxes);
    ApplyDisplayCommand(s, cmd::kBackFaces);
    EXPECT_EQ(s.normalsShown, 1);
    EXPECT_EQ(s.axesShown, 0);
    EXPECT_EQ(s.backFacesShown, 0);
    EXPECT_TRUE(IsDisplayCommandChecked(s, cmd::kNormals));
    ApplyDisplayCommand(s, cmd::kNormals);
    EXPECT_EQ(s.normalsShown, 0);

    EXPECT_FALSE(ApplyDisplayCommand(s, cmd::kCameraFront));
    EXPECT_FALSE(ApplyDisplayCommand(s, cmd::kDisplayCameras));
}

TEST(Navigation, AnglesWrapIntoOneTurn)
{
    EXPECT_FLOAT_EQ(WrapDegrees(359.5f + 1.0f), 0.5f);
    EXPECT_FLOAT_EQ(WrapDegrees(-12.0f), 348.0f);
    EXPECT_FLOAT_EQ(WrapDegrees(720.0f), 0.0f);
    EXPECT_GE(WrapDegrees(-1e-8f), 0.0f);
    EXPECT_LT(WrapDegrees(-1e-8f), 360.0f);
    EXPECT_EQ(WrapDegrees(std::numeric_limits<float>::infinity()), 0.0f);
}

TEST(Navigation, MouseAndKeysUseTheirFactors)
{
    CCamera camera;
    scene::CameraState state;
    scene::SetModelCamera(camera, state);
    MouseOrbit(camera, state, 10, -5); // last minus current
    EXPECT_FLOAT_EQ(state.rotation.y, WrapDegrees(-45.0f + 2.0f));
    EXPECT_FLOAT_EQ(state.rotation.x, WrapDegrees(-12.0f - 1.0f));
    EXPECT_FLOAT_EQ(camera.mRotation.y, state.rotation.y);

    MousePan(camera, state, 45, 90);
    EXPECT_FLOAT_EQ(state.pan.x, 1.0f);
    EXPECT_FLOAT_EQ(state.pan.y, -2.0f);
    EXPECT_FLOAT_EQ(camera.mPan.x, 1.0f);

    WheelZoom(camera, state, -120); // one notch towards the viewer
    EXPECT_NEAR(state.zoom, 0.3f, 1e-6f);
    MouseZoom(camera, state, -10);
    EXPECT_NEAR(state.zoom, 0.7f, 1e-6f);
    ZoomBy(camera, state, -kKeyZoomStep);
    EXPECT_NEAR(state.zoom, 0.55f, 1e-6f);
    // The camera clamps: the stored value is what the camera accepted.
    ZoomBy(camera, state, 1e6f);
    EXPECT_EQ(state.zoom, camera.mZoom);

    CVector3d r;
    ASSERT_TRUE(CameraPresetRotation(cmd::kCameraBack, r));
    EXPECT_EQ(r.y, 180.0f);
    ASSERT_TRUE(CameraPresetRotation(cmd::kCameraTop, r));
    EXPECT_EQ(r.x, -90.0f);
    ASSERT_TRUE(CameraPresetRotation(cmd::kCameraRight, r));
    EXPECT_EQ(r.y, -90.0f);
    EXPECT_FALSE(CameraPresetRotation(cmd::kMeshSolid, r));
}

TEST(Picking, NearestRecordWinsAndBadCountsAreSafe)
{
    // Records: names, min depth, max depth, names...
    const uint32_t buffer[] = {1, 900, 950, 4, 1, 300, 400, 7, 2, 500, 600, 1, 9};
    EXPECT_EQ(NearestHit(buffer, std::size(buffer), 3), 7);
    EXPECT_EQ(NearestHit(buffer, std::size(buffer), 1), 4);
    EXPECT_EQ(NearestHit(buffer, std::size(buffer), 0), kNoHit);
    // The top of a deeper name stack is the last name.
    const uint32_t stacked[] = {2, 10, 20, 1, 9};
    EXPECT_EQ(NearestHit(stacked, std::size(stacked), 1), 9);
    // More hits than fit, a name count past the end, an overflowed buffer.
    EXPECT_EQ(NearestHit(buffer, 4, 50), 4);
    const uint32_t liar[] = {1000, 1, 2, 3};
    EXPECT_EQ(NearestHit(liar, std::size(liar), 1), kNoHit);
    const uint32_t overflow[] = {1, 5, 6, 3, 1, 2, 3}; // the second record was cut
    EXPECT_EQ(NearestHit(overflow, std::size(overflow), -1), 3);
}

TEST(Picking, PlainClickReplacesAdditiveClickToggles)
{
    std::vector<int> sel;
    std::vector<std::pair<int, bool>> flags;
    const auto set = [&](int m, bool on) { flags.emplace_back(m, on); };
    UpdateSelection(sel, 2, false, set);
    UpdateSelection(sel, 5, true, set);
    EXPECT_EQ(sel, (std::vector<int>{2, 5}));
    UpdateSelection(sel, 2, true, set);
    EXPECT_EQ(sel, (std::vector<int>{5}));
    UpdateSelection(sel, kNoHit, true, set); // an additive miss changes nothing
    EXPECT_EQ(sel, (std::vector<int>{5}));
    flags.clear();
    UpdateSelection(sel, kNoHit, false, set); // a plain miss clears
    EXPECT_TRUE(sel.empty());
    EXPECT_EQ(flags, (std::vector<std::pair<int, bool>>{{5, false}}));
}

TEST(FileFilters, OpenFilterFollowsTheFileTypeList)
{
    std::vector<host::FileTypeEntry> types(3);
    types[0].extension = "STL";
    types[0].description = "Stereolithography";
    types[1].extension = "PNG";
    types[1].description = "PNG Image";
    types[2].extension = "KXM3";
    types[2].description = "Kestrel Model";
    EXPECT_EQ(BuildOpenFilter(types), "All Supported Files (*.*)|*.STL;*.PNG;*.KXM3;|Kestrel Files (*.KXM3)|*.KXM3|"
                                      "Stereolithography (*.STL)|*.STL|PNG Image (*.PNG)|*.PNG||");
    EXPECT_EQ(ToDialogFilter(BuildOpenFilter(types)),
              "All Supported Files (*.stl *.STL *.png *.PNG *.kxm3 *.KXM3);;Kestrel Files (*.kxm3 *.KXM3);;"
              "Stereolithography (*.stl *.STL);;PNG Image (*.png *.PNG)");
    EXPECT_EQ(BuildOpenFilter({}), "All Supported Files (*.*)||Kestrel Files (*.KXM3)|*.KXM3||");

    EXPECT_EQ(SaveAsFilter(1), "Kestrel Files (*.kxm3)|*.kxm3|All files (*.*)|*.*||");
    EXPECT_EQ(SaveAsFilter(0), "");
    const auto image = SplitFilter(SaveAsFilter(2));
    ASSERT_EQ(image.size(), 4u);
    EXPECT_EQ(image[0].label, "Windows Bitmap Graphic (*.bmp;*.dib)");
    EXPECT_EQ(image[1].patterns, (std::vector<std::string>{"*.jpg", "*.jpeg"}));
    EXPECT_EQ(ToDialogFilter(SaveAsFilter(1)), "Kestrel Files (*.kxm3 *.KXM3);;All files (*.*)");
}

TEST(CommandRules, SaveAndImageCommandsFollowTheDocument)
{
    doc::Document document;
    EXPECT_FALSE(IsSaveEnabled(document));
    EXPECT_FALSE(IsImageCommandEnabled(cmd::kRotateLeft, document));
    document.viewMode = doc::kModel;
    EXPECT_TRUE(IsSaveEnabled(document));
    EXPECT_FALSE(IsImageCommandEnabled(cmd::kInvert, document));

    document.viewMode = doc::kImage;
    document.image.mBpp = 24;
    for (int id : {cmd::kRotateLeft, cmd::kRotateRight, cmd::kFlipVertical, cmd::kFlipHorizontal, cmd::kGrayscale,
                   cmd::kInvert, cmd::kNormalMap})
        EXPECT_TRUE(IsImageCommandEnabled(id, document)) << id;
    // The alpha channel only where there is one; the zoom commands are not image edits.
    EXPECT_FALSE(IsImageCommandEnabled(cmd::kToggleAlpha, document));
    EXPECT_FALSE(IsImageCommandEnabled(cmd::kMeshSolid, document));
    document.image.mBpp = 32;
    EXPECT_TRUE(IsImageCommandEnabled(cmd::kToggleAlpha, document));

    prefs::StateBlock state{};
    state.showAlpha = 0;
    EXPECT_FALSE(IsImageCommandChecked(cmd::kToggleAlpha, state));
    state.showAlpha = 1;
    EXPECT_TRUE(IsImageCommandChecked(cmd::kToggleAlpha, state));
    EXPECT_FALSE(IsImageCommandChecked(cmd::kInvert, state));
}

TEST(SaveRules, SaveInPlaceOrAskForAName)
{
    EXPECT_EQ(DecideSave(1, "/m/walker.kxm3", true).action, SaveAction::WriteNative);
    EXPECT_EQ(DecideSave(1, "/m/walker.KXM3", true).action, SaveAction::WriteNative);
    // An imported model is never written over its source file.
    EXPECT_EQ(DecideSave(1, "/m/walker.ms3d", true).action, SaveAction::AskForName);
    EXPECT_EQ(DecideSave(1, "/m/walker.kxm3", false).action, SaveAction::AskForName);
    EXPECT_EQ(DecideSave(1, "", false).action, SaveAction::AskForName);
    const SaveDecision png = DecideSave(2, "/i/a.png", true);
    EXPECT_EQ(png.action, SaveAction::WriteImage);
    EXPECT_EQ(png.imageType, unsigned(SK_TEX_PNG));
    EXPECT_EQ(DecideSave(2, "/i/a.jpeg", true).imageType, unsigned(SK_TEX_JPEG));
    EXPECT_EQ(DecideSave(2, "/i/a.dib", true).imageType, unsigned(SK_TEX_BMP));
    EXPECT_EQ(DecideSave(2, "/i/a.gif", true).action, SaveAction::AskForName);
    EXPECT_EQ(DecideSave(2, "/i/a.png", false).action, SaveAction::Fail);
    EXPECT_EQ(DecideSave(0, "/i/a.png", true).action, SaveAction::Nothing);
    EXPECT_EQ(UpperExtension("/a.b/file"), "");
    EXPECT_EQ(UpperExtension("x.tar.Tga"), "TGA");
}

TEST(SaveRules, ANameTypedWithoutExtensionGetsTheNativeOne)
{
    EXPECT_EQ(WithDefaultExtension("/m/crate", kNativeExtension), "/m/crate.kxm3");
    EXPECT_EQ(WithDefaultExtension("/m.d/crate", kNativeExtension), "/m.d/crate.kxm3");
    EXPECT_EQ(WithDefaultExtension("/m/crate.", kNativeExtension), "/m/crate.kxm3");
    EXPECT_EQ(WithDefaultExtension("/m/.crate", kNativeExtension), "/m/.crate.kxm3");
    // A name with any extension is the user's choice.
    EXPECT_EQ(WithDefaultExtension("/m/crate.kxm3", kNativeExtension), "/m/crate.kxm3");
    EXPECT_EQ(WithDefaultExtension("/m/crate.bak", kNativeExtension), "/m/crate.bak");
}

TEST(SaveRules, ImageReplacesTheTargetOnlyWhenFullyWritten)
{
    test::TempDir dir;
    const std::string target = dir.File("picture.png");
    CTexture image;
    image.mWidth = 4;
    image.mHeight = 3;
    image.mBpp = 24;
    image.InitPixelData();
    ASSERT_TRUE(SaveImageReplacing(image, target, SK_TEX_PNG));
    const auto first = std::filesystem::file_size(target);
    image.mWidth = 40;
    image.mHeight = 30;
    image.InitPixelData();
    ASSERT_TRUE(SaveImageReplacing(image, target, SK_TEX_PNG));
    EXPECT_GT(std::filesystem::file_size(target), first);

    CTexture empty; // cannot be written
    const auto before = std::filesystem::file_size(target);
    EXPECT_FALSE(SaveImageReplacing(empty, target, SK_TEX_PNG));
    EXPECT_EQ(std::filesystem::file_size(target), before);
    EXPECT_FALSE(SaveImageReplacing(image, target, 0));
    EXPECT_FALSE(SaveImageReplacing(image, dir.File("missing/x.png"), SK_TEX_PNG));
    // No temporary files are left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

mode_t ModeOf(const std::string& path)
{
    struct stat st{};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Saving over an image keeps what the user set up around it.
TEST(SaveRules, ImageSaveKeepsReadOnlyFilesPermissionsLinksAndLongNames)
{
    namespace fs = std::filesystem;
    test::TempDir dir;
    CTexture image;
    image.mWidth = 4;
    image.mHeight = 3;
    image.mBpp = 24;
    image.InitPixelData();

    const std::string locked = dir.File("locked.png");
    std::ofstream(locked) << "keep";
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    EXPECT_FALSE(SaveImageReplacing(image, locked, SK_TEX_PNG));
    EXPECT_EQ(ReadBytes(locked), "keep");
    EXPECT_EQ(ModeOf(locked), mode_t(0444));

    const std::string secret = dir.File("secret.png");
    std::ofstream(secret) << "old";
    ASSERT_EQ(::chmod(secret.c_str(), 0600), 0);
    ASSERT_TRUE(SaveImageReplacing(image, secret, SK_TEX_PNG));
    EXPECT_EQ(ReadBytes(secret).substr(1, 3), "PNG");
    EXPECT_EQ(ModeOf(secret), mode_t(0600));

    const std::string longName = dir.File(std::string(246, 'l') + ".png"); // 250 bytes
    ASSERT_TRUE(SaveImageReplacing(image, longName, SK_TEX_PNG));
    EXPECT_EQ(ReadBytes(longName).substr(1, 3), "PNG");

    const std::string link = dir.File("link.bmp");
    std::ofstream(dir.File("real.bmp")) << "old";
    fs::create_symlink("real.bmp", link);
    ASSERT_TRUE(SaveImageReplacing(image, link, SK_TEX_BMP));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(dir.File("real.bmp")).substr(0, 2), "BM");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), {}), 5); // no temporary file left
}

} // namespace
