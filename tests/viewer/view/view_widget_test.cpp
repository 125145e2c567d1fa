#include <gtest/gtest.h>

#include "x_server.h"

#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <filesystem>
#include <memory>
#include <set>

#include "formats/bvh_writer.h"
#include "formats/ms3d_writer.h"
#include "formats/off_writer.h"
#include "formats/stl_writer.h"
#include "formats/studio3ds_writer.h"
#include "command_ids.h"
#include "image_fixtures.h"
#include "kestrel_doc.h"
#include "kestrel_view.h"
#include "kxm3_format.h"
#include "plugin_manager.h"
#include "temp_dir.h"

namespace {

using namespace kestrel;
using view::CKestrelDoc;
using view::CKestrelView;

class KestrelView : public ::testing::Test {
protected:
    void SetUp() override
    {
        KESTREL_SKIP_WITHOUT_X_SERVER();
        ASSERT_GT(plugIns_.Scan(KESTREL_PLUGIN_FOLDER), 0);
        doc_ = std::make_unique<CKestrelDoc>(plugIns_, state_, settings_);
        QObject::connect(doc_.get(), &CKestrelDoc::statusChanged,
                         [this](const QString& text, int) { statuses_.push_back(text); });
        view_ = std::make_unique<CKestrelView>(*doc_);
        view_->resize(320, 240);
        view_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view_.get()));
        view_->grabFramebuffer(); // the context exists from here on
    }

    void TearDown() override
    {
        CTimer::SetManualClock(false);
        view_.reset();
        doc_.reset();
        std::filesystem::current_path(before_);
    }

    QString Write(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        test::WriteBytes(dir_.File(name), bytes);
        return QString::fromStdString(dir_.File(name));
    }
    QString WriteText(const std::string& name, const std::string& text)
    {
        return Write(name, std::vector<uint8_t>(text.begin(), text.end()));
    }

    // A red 24-bit image file.
    QString RedImage(uint32_t width, uint32_t height)
    {
        CTexture image;
        image.mWidth = width;
        image.mHeight = height;
        image.mBpp = 24;
        image.InitPixelData();
        for (size_t i = 0; i < image.mData.size(); i += 3)
            image.mData[i] = 255;
        const std::string path = dir_.File("red.bmp");
        return image.SaveToFile(path.c_str(), SK_TEX_BMP) ? QString::fromStdString(path) : QString();
    }
    QString Cube() { return Write("cube.stl", test::stl::WriteBinary("cube", test::stl::Cube())); }

    // Everything that could hide the model is switched off.
    void OnlyTheMesh()
    {
        state_.gridMode = 0;
        state_.boundingBoxMode = 0;
        state_.axesShown = 0;
    }

    static int CountOtherThan(const QImage& image, QRgb colour)
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += (image.pixel(x, y) & 0xffffff) != (colour & 0xffffff);
        return n;
    }

    // The clear colour's alpha is 0: keep the colours only, as people see them.
    static QImage Opaque(const QImage& image)
    {
        QImage out(image.size(), QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                out.setPixel(x, y, image.pixel(x, y) | 0xff000000u);
        return out;
    }

    QPoint Centre() const { return QPoint(view_->width() / 2, view_->height() / 2); }

    void Click(const QPoint& at, double seconds, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mousePress(view_.get(), Qt::LeftButton, modifiers, at);
        CTimer::AdvanceManualClock(seconds);
        QTest::mouseRelease(view_.get(), Qt::LeftButton, modifiers, at);
    }

    host::CPlugInManager plugIns_;
    prefs::StateBlock state_;
    prefs::SettingsBlock settings_;
    test::TempDir dir_;
    std::filesystem::path before_ = std::filesystem::current_path();
    std::unique_ptr<CKestrelDoc> doc_;
    std::unique_ptr<CKestrelView> view_;
    std::vector<QString> statuses_;
};

TEST_F(KestrelView, EachKindOfFileOpensWithItsStatusAndViewMode)
{
    test::bvh::Node chest{"Chest", {0, 5, 0}, {"Zrotation", "Xrotation", "Yrotation"}, {test::bvh::EndSite(0, 5, 0)}};
    test::bvh::Node hips{"Hips", {0, 0, 0},
                         {"Xposition", "Yposition", "Zposition", "Zrotation", "Xrotation", "Yrotation"}, {chest}};
    CDocModel native;
    native.mMeshes.resize(1);
    native.mMeshes[0].SetName("Native");
    const struct {
        QString path;
        size_t meshes;
    } models[] = {
        {Cube(), 1},
        {WriteText("grid.off", test::off::Write(test::off::QuadsAndPentagons(2))), 1},
        {Write("walker.ms3d", test::ms3d::Write(test::ms3d::SampleModel())), 2},
        {Write("box.3ds", test::studio3ds::Write({}, {test::studio3ds::Cube(false)})), 1},
        {WriteText("walk.bvh", test::bvh::Write(hips, {std::vector<float>(9, 0.0f), std::vector<float>(9, 5.0f)},
                                                0.04f)), 0},
        {Write("native.kxm3", kxm3::Write(native)), 1},
    };
    for (const auto& m : models) {
        SCOPED_TRACE(m.path.toStdString());
        statuses_.clear();
        ASSERT_TRUE(doc_->Open(m.path)) << doc_->StatusText().toStdString();
        ASSERT_GE(statuses_.size(), 2u);
        EXPECT_EQ(statuses_.front(), "Loading file...");
        EXPECT_TRUE(doc_->StatusText().startsWith("Model loaded in ")) << doc_->StatusText().toStdString();
        EXPECT_TRUE(doc_->StatusText().endsWith(" seconds"));
        EXPECT_EQ(doc_->StatusSeverity(), 1);
        EXPECT_EQ(doc_->ViewMode(), 1);
        EXPECT_EQ(doc_->Data().model.mMeshes.size(), m.meshes);
        EXPECT_EQ(doc_->Title(), QFileInfo(m.path).fileName());
        EXPECT_EQ(doc_->PathName(), QFileInfo(m.path).absoluteFilePath());
        // The 3D camera of a fresh model.
        EXPECT_EQ(doc_->CameraValues().rotation.x, -12.0f);
        EXPECT_EQ(doc_->CameraValues().rotation.y, -45.0f);
        EXPECT_EQ(doc_->Camera().mPosition.z, 3.5f);
    }

    CTexture image;
    image.mWidth = 20;
    image.mHeight = 10;
    image.mBpp = 24;
    image.InitPixelData();
    ASSERT_TRUE(image.SaveToFile(dir_.File("flat.png").c_str(), SK_TEX_PNG));
    statuses_.clear();
    ASSERT_TRUE(doc_->Open(QString::fromStdString(dir_.File("flat.png"))));
    EXPECT_EQ(statuses_.front(), "Loading file...");
    EXPECT_EQ(doc_->StatusText(), "Dimensions: 20x10  Color Depth: 24 bpp");
    EXPECT_EQ(doc_->ViewMode(), 2);
    EXPECT_EQ(doc_->Data().backdrop.mWidth, 0u); // no backdrop for 24 bits
    EXPECT_EQ(doc_->Camera().mPosition.z, 2.7f);
    EXPECT_EQ(doc_->ImageView().zoom, 1.0f);
    EXPECT_EQ(doc_->ImageView().fitX, (320 - 20) / 2);
}

TEST_F(KestrelView, NativeModelNamedMs3dIsReadNatively)
{
    CDocModel native;
    native.mMeshes.resize(1);
    native.mMeshes[0].SetName("Native");
    ASSERT_TRUE(doc_->Open(Write("disguised.ms3d", kxm3::Write(native))));
    ASSERT_EQ(doc_->Data().model.mMeshes.size(), 1u);
    EXPECT_STREQ(doc_->Data().model.mMeshes[0].mName, "Native");
}

TEST_F(KestrelView, DamagedFileLeavesAnEmptyScene)
{
    ASSERT_TRUE(doc_->Open(Cube()));
    auto cut = test::ms3d::Write(test::ms3d::SampleModel());
    cut.resize(40);
    EXPECT_FALSE(doc_->Open(Write("cut.ms3d", cut)));
    EXPECT_EQ(doc_->StatusText(), "Invalid or unsupported file!");
    EXPECT_EQ(doc_->StatusSeverity(), 2);
    EXPECT_EQ(doc_->ViewMode(), 0);
    EXPECT_TRUE(doc_->Data().model.mMeshes.empty());
    // The failed file still names the document.
    EXPECT_EQ(doc_->Title(), "cut.ms3d");
    // Mode 0 shows the start picture on white.
    ASSERT_TRUE(view_->HasStartPicture());
    const QImage shot = view_->grabFramebuffer();
    EXPECT_GT(CountOtherThan(shot, qRgb(255, 255, 255)), 1000);
    EXPECT_EQ(shot.pixel(shot.width() - 1, shot.height() - 1) & 0xffffff, 0xffffffu);

    EXPECT_FALSE(doc_->Open(QString::fromStdString(dir_.File("missing.stl"))));
    EXPECT_EQ(doc_->StatusText(), "Unable to load file!");
}

TEST_F(KestrelView, SaveOfAnImportedModelAsksForANativeName)
{
    ASSERT_TRUE(doc_->Open(Write("walker.ms3d", test::ms3d::Write(test::ms3d::SampleModel()))));
    const auto original = std::filesystem::file_size(dir_.File("walker.ms3d"));
    QString askedFilter, askedFolder;
    QString answer; // cancel first
    doc_->SetSaveDialog([&](const QString& folder, const QString& filter) {
        askedFolder = folder;
        askedFilter = filter;
        return answer;
    });
    EXPECT_FALSE(doc_->Save());
    EXPECT_EQ(askedFilter, "Kestrel Files (*.kxm3 *.KXM3);;All files (*.*)");
    EXPECT_EQ(askedFolder, QString::fromStdString(dir_.Path().string()));
    EXPECT_EQ(std::filesystem::file_size(dir_.File("walker.ms3d")), original);

    answer = QString::fromStdString(dir_.File("walker.kxm3"));
    ASSERT_TRUE(doc_->Save());
    EXPECT_EQ(doc_->Title(), "walker.kxm3");
    // Now the native file exists: Save writes it in place without asking.
    askedFilter.clear();
    ASSERT_TRUE(doc_->Save());
    EXPECT_TRUE(askedFilter.isEmpty());
    ASSERT_TRUE(doc_->Open(answer));
    EXPECT_EQ(doc_->Data().model.mMeshes.size(), 2u);

    // A name typed without extension is saved under the native one, which File Open lists.
    answer = QString::fromStdString(dir_.File("typed"));
    ASSERT_TRUE(doc_->SaveAs());
    EXPECT_TRUE(std::filesystem::exists(dir_.File("typed.kxm3")));
    EXPECT_FALSE(std::filesystem::exists(dir_.File("typed")));
    EXPECT_EQ(doc_->Title(), "typed.kxm3");
}

TEST_F(KestrelView, ImageSaveAndEdits)
{
    CTexture image;
    image.mWidth = 100;
    image.mHeight = 50;
    image.mBpp = 32;
    image.InitPixelData();
    ASSERT_TRUE(image.SaveToFile(dir_.File("wide.png").c_str(), SK_TEX_PNG));
    ASSERT_TRUE(doc_->Open(QString::fromStdString(dir_.File("wide.png"))));
    EXPECT_EQ(doc_->Data().backdrop.mWidth, 100u);
    doc_->ImageView().scrollX = 7;
    ASSERT_TRUE(doc_->ImageCommand(cmd::kRotateRight));
    EXPECT_EQ(doc_->Data().image.mWidth, 50u);
    EXPECT_EQ(doc_->Data().image.mHeight, 100u);
    EXPECT_EQ(doc_->ImageView().scrollX, 0);
    EXPECT_EQ(doc_->ImageView().fitX, (320 - 50) / 2);
    EXPECT_EQ(doc_->Data().backdrop.mHeight, 100u);
    ASSERT_TRUE(doc_->ImageCommand(cmd::kToggleAlpha));
    EXPECT_EQ(state_.showAlpha, 0);

    bool asked = false;
    doc_->SetSaveDialog([&](const QString&, const QString&) {
        asked = true;
        return QString();
    });
    ASSERT_TRUE(doc_->Save()); // a PNG is written in place
    EXPECT_FALSE(asked);
    ASSERT_TRUE(doc_->Open(QString::fromStdString(dir_.File("wide.png"))));
    EXPECT_EQ(doc_->Data().image.mWidth, 50u);
    EXPECT_FALSE(doc_->ImageCommand(cmd::kMeshSolid));
}

TEST_F(KestrelView, ImageModeShowsTheImageFittedOnTheBackground)
{
    ASSERT_TRUE(doc_->Open(RedImage(50, 40)));
    EXPECT_EQ(doc_->ImageView().fitX, 135);
    EXPECT_EQ(doc_->ImageView().fitY, 100);
    const QImage shot = view_->grabFramebuffer();
    EXPECT_EQ(shot.pixel(Centre()) & 0xffffff, 0xff0000u);
    EXPECT_EQ(shot.pixel(134, 120) & 0xffffff, 0xffffffu); // the 2D background, left of the image
    EXPECT_EQ(shot.pixel(135, 120) & 0xffffff, 0xff0000u);
    EXPECT_EQ(CountOtherThan(shot, qRgb(255, 255, 255)), 50 * 40);
}

TEST_F(KestrelView, AReadStartedEarlyIsTheOneOpenTakesEvenByARelativeName)
{
    const auto sub = dir_.Path() / "sub";
    std::filesystem::create_directory(sub);
    test::WriteBytes((sub / "cube.stl").string(), test::stl::WriteBinary("cube", test::stl::Cube()));
    std::filesystem::current_path(dir_.Path());
    doc_->StartReading("sub/cube.stl");
    // The read makes the file's folder current before Open is asked for the same name.
    for (int i = 0; i < 500 && std::filesystem::current_path() != sub; ++i)
        QTest::qWait(10);
    ASSERT_EQ(std::filesystem::current_path(), sub);
    EXPECT_TRUE(doc_->Open("sub/cube.stl"));
    EXPECT_EQ(doc_->PathName(), QString::fromStdString((sub / "cube.stl").string()));
    EXPECT_EQ(doc_->Data().stats.totalTriangles, 12u);
}

TEST_F(KestrelView, TheImageZoomsAndScrollsByCommandMouseAndKeys)
{
    ASSERT_TRUE(doc_->Open(RedImage(50, 40)));
    scene::ImageView& v = doc_->ImageView();

    view_->HandleImageViewCommand(cmd::kZoomIn);
    EXPECT_FLOAT_EQ(v.zoom, 1.02f);
    view_->HandleImageViewCommand(cmd::kActualSize);
    EXPECT_EQ(v.zoom, 1.0f);
    EXPECT_EQ(v.fitX, 135);

    // A left drag moves the image with the mouse: right and up.
    QTest::mousePress(view_.get(), Qt::LeftButton, {}, QPoint(100, 100));
    QMouseEvent drag(QEvent::MouseMove, QPointF(130, 90), view_->mapToGlobal(QPointF(130, 90)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view_.get(), &drag);
    QTest::mouseRelease(view_.get(), Qt::LeftButton, {}, QPoint(130, 90));
    EXPECT_EQ(v.scrollX, 30);
    EXPECT_EQ(v.scrollY, 10);
    const QImage moved = view_->grabFramebuffer();
    EXPECT_EQ(moved.pixel(135 + 30, 240 - 100 - 10 - 1) & 0xffffff, 0xff0000u); // its lower-left pixel
    EXPECT_EQ(moved.pixel(134 + 30, 240 - 100 - 10 - 1) & 0xffffff, 0xffffffu);

    QTest::keyClick(view_.get(), Qt::Key_Left);
    EXPECT_EQ(v.scrollX, 28);
    QTest::keyClick(view_.get(), Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_FLOAT_EQ(v.zoom, 1.05f);

    // One notch of the wheel over the image's middle keeps that point under the mouse.
    const QPoint at(135 + 30 - 1 + 25, 240 - (100 + 10) - 20);
    const double u = (at.x() - (v.fitX + v.scrollX)) / double(v.zoom);
    QWheelEvent wheel(QPointF(at), view_->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view_.get(), &wheel);
    EXPECT_FLOAT_EQ(v.zoom, 1.05f + 0.0375f);
    EXPECT_NEAR(v.fitX + v.scrollX + u * v.zoom, at.x(), 1.0);

    // Fit Window puts it back in the middle, and a resize keeps it there at its zoom.
    view_->HandleImageViewCommand(cmd::kFitWindow);
    EXPECT_EQ(v.scrollX, 0);
    EXPECT_EQ(v.fitX, 135);
    v.zoom = 2.0f;
    view_->resize(400, 240);
    view_->grabFramebuffer();
    EXPECT_EQ(v.zoom, 2.0f);
    EXPECT_EQ(v.fitX, (400 - 100) / 2);
}

TEST_F(KestrelView, RenderModeCommandsToggleAndRedraw)
{
    ASSERT_TRUE(doc_->Open(Cube()));
    OnlyTheMesh();
    const QImage solid = view_->grabFramebuffer();
    ASSERT_TRUE(view_->HandleCommand(cmd::kMeshSolid));
    EXPECT_EQ(state_.meshMode, 0);
    EXPECT_TRUE(view_->IsCommandChecked(cmd::kMeshOff));
    ASSERT_TRUE(view_->HandleCommand(cmd::kMeshSolid));
    EXPECT_EQ(state_.meshMode, 12);
    ASSERT_TRUE(view_->HandleCommand(cmd::kMeshFirst + 5)); // Wireframe
    const QImage wire = view_->grabFramebuffer();
    const QRgb bg = qRgb(192, 192, 192);
    EXPECT_LT(CountOtherThan(wire, bg), CountOtherThan(solid, bg));
    ASSERT_TRUE(view_->HandleCommand(cmd::kMeshFirst + 1)); // transparent boxes draw no mesh
    EXPECT_EQ(CountOtherThan(view_->grabFramebuffer(), bg), 0);
    ASSERT_TRUE(view_->HandleCommand(cmd::kGridFirst + 1)); // the grid still draws
    EXPECT_GT(CountOtherThan(view_->grabFramebuffer(), bg), 0);

    ASSERT_TRUE(view_->HandleCommand(cmd::kCameraTop));
    EXPECT_EQ(doc_->CameraValues().rotation.x, -90.0f);
    EXPECT_EQ(doc_->Camera().mRotation.x, -90.0f);
    EXPECT_FALSE(view_->HandleCommand(cmd::kPlay));
}

TEST_F(KestrelView, ShortClickPicksLongPressDoesNot)
{
    ASSERT_TRUE(doc_->Open(Cube()));
    view_->grabFramebuffer();
    CTimer::SetManualClock(true);
    QSignalSpy picked(view_.get(), &CKestrelView::selectionChanged);

    Click(Centre(), 0.2);
    EXPECT_EQ(picked.count(), 0);
    EXPECT_TRUE(doc_->Selection().empty());

    Click(Centre(), 0.1);
    EXPECT_EQ(picked.count(), 1);
    EXPECT_EQ(doc_->Selection(), std::vector<int>{0});
    EXPECT_TRUE(doc_->Data().model.mMeshes[0].mFlags & 1);

    Click(Centre(), 0.1, Qt::ShiftModifier); // additive: toggles off
    EXPECT_TRUE(doc_->Selection().empty());
    EXPECT_FALSE(doc_->Data().model.mMeshes[0].mFlags & 1);

    Click(Centre(), 0.1);
    Click(QPoint(2, 2), 0.1); // a plain click on nothing clears
    EXPECT_TRUE(doc_->Selection().empty());
    EXPECT_FALSE(doc_->Data().model.mMeshes[0].mFlags & 1);
}

TEST_F(KestrelView, NavigationWrapsAnglesAndUsesItsFactors)
{
    ASSERT_TRUE(doc_->Open(Cube()));
    view_->setFocus();
    doc_->CameraValues().rotation.y = 359.5f;
    QTest::keyClick(view_.get(), Qt::Key_Right);
    EXPECT_FLOAT_EQ(doc_->CameraValues().rotation.y, 0.5f);
    EXPECT_FLOAT_EQ(doc_->Camera().mRotation.y, 0.5f);
    QTest::keyClick(view_.get(), Qt::Key_Up);
    EXPECT_FLOAT_EQ(doc_->CameraValues().rotation.x, 347.0f);
    QTest::keyClick(view_.get(), Qt::Key_4, Qt::KeypadModifier);
    EXPECT_FLOAT_EQ(doc_->CameraValues().pan.x, 0.01f);
    QTest::keyClick(view_.get(), Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_NEAR(doc_->CameraValues().zoom, -0.15f, 1e-6f);

    // Dragging with the left button orbits by 0.2 degrees a pixel.
    const QPoint from = Centre();
    QTest::mousePress(view_.get(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(from + QPoint(-10, 0)), QPointF(view_->mapToGlobal(from)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view_.get(), &move);
    QTest::mouseRelease(view_.get(), Qt::LeftButton, {}, from + QPoint(-10, 0));
    EXPECT_FLOAT_EQ(doc_->CameraValues().rotation.y, 2.5f);
}

int DistinctColours(const QImage& image)
{
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y) & 0xffffff);
    return int(colours.size());
}

TEST_F(KestrelView, AntialiasingFollowsItsSettingWithoutARestart)
{
    ASSERT_TRUE(doc_->Open(Cube()));
    OnlyTheMesh();
    state_.meshMode = 6; // aliased lines show only their own colour and the background
    if (!view_->MultisampleAvailable())
        GTEST_SKIP() << "this OpenGL driver cannot multisample off screen";

    settings_.antialiasing = 1;
    // A model just opened shows first without multisampling, then multisampled.
    view_->grabFramebuffer();
    EXPECT_FALSE(view_->LastFrameMultisampled());
    const QImage smooth = view_->grabFramebuffer();
    EXPECT_TRUE(view_->LastFrameMultisampled());
    settings_.antialiasing = 0;
    const QImage aliased = view_->grabFramebuffer();
    EXPECT_FALSE(view_->LastFrameMultisampled());
    EXPECT_LE(DistinctColours(aliased), 3);
    EXPECT_GT(DistinctColours(smooth), DistinctColours(aliased) + 2);
    // The same picture apart from the edges: the camera and model are where they were.
    EXPECT_EQ(smooth.size(), aliased.size());

    // While a drag orbits the camera the frames keep up with the mouse without multisampling;
    // the frame where the camera comes to rest is multisampled again.
    settings_.antialiasing = 1;
    const QPoint middle(view_->width() / 2, view_->height() / 2);
    QTest::mousePress(view_.get(), Qt::LeftButton, Qt::NoModifier, middle);
    QMouseEvent move(QEvent::MouseMove, QPointF(middle + QPoint(30, 0)), view_->mapToGlobal(QPointF(middle + QPoint(30, 0))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view_.get(), &move);
    view_->grabFramebuffer();
    EXPECT_FALSE(view_->LastFrameMultisampled());
    QTest::mouseRelease(view_.get(), Qt::LeftButton, Qt::NoModifier, middle + QPoint(30, 0), 400);
    view_->grabFramebuffer();
    EXPECT_TRUE(view_->LastFrameMultisampled());

    // Only the 3D scene multisamples.
    settings_.antialiasing = 1;
    CTexture image;
    image.mWidth = 8;
    image.mHeight = 8;
    image.mBpp = 24;
    image.InitPixelData();
    ASSERT_TRUE(image.SaveToFile(dir_.File("plain.png").c_str(), SK_TEX_PNG));
    ASSERT_TRUE(doc_->Open(QString::fromStdString(dir_.File("plain.png"))));
    view_->grabFramebuffer();
    EXPECT_FALSE(view_->LastFrameMultisampled());
}

TEST_F(KestrelView, GrabbedPictureShowsTheModelInEachRenderMode)
{
    ASSERT_TRUE(doc_->Open(Cube()));
    OnlyTheMesh();
    const QRgb bg = qRgb(192, 192, 192);
    const std::filesystem::path out = KESTREL_TEST_OUTPUT_DIR;
    std::filesystem::create_directories(out);
    const struct {
        int command;
        const char* name;
    } modes[] = {{cmd::kMeshSolid, "solid"}, {cmd::kMeshFirst + 5, "wireframe"}, {cmd::kMeshFirst + 7, "flat"}};
    for (const auto& m : modes) {
        state_.meshMode = 0;
        ASSERT_TRUE(view_->HandleCommand(m.command));
        const QImage shot = view_->grabFramebuffer();
        EXPECT_NE(shot.pixel(Centre()) & 0xffffff, bg & 0xffffff) << m.name;
        EXPECT_EQ(shot.pixel(1, 1) & 0xffffff, bg & 0xffffff) << m.name;
        EXPECT_TRUE(Opaque(shot).save(QString::fromStdString((out / (std::string("cube_") + m.name + ".png")).string())));
    }
}

TEST_F(KestrelView, AnimationKeepsRepaintingUntilItStops)
{
    ASSERT_TRUE(doc_->Open(Write("walker.ms3d", test::ms3d::Write(test::ms3d::SampleModel()))));
    EXPECT_TRUE(view_->RedrawLoopStarted());
    view_->grabFramebuffer();
    EXPECT_FALSE(view_->IsAnimating());
    // The frame rate is published at most every 0.1 s.
    CTimer::SetManualClock(true);
    QSignalSpy fps(doc_.get(), &CKestrelDoc::frameRateChanged);
    CTimer::AdvanceManualClock(0.15);
    view_->grabFramebuffer();
    view_->grabFramebuffer();
    EXPECT_EQ(fps.count(), 1);
    CTimer::AdvanceManualClock(0.15);
    view_->grabFramebuffer();
    EXPECT_EQ(fps.count(), 2);
    doc_->Data().model.AniSetLoop(0, true);
    doc_->Data().model.AniPlay(0);
    view_->grabFramebuffer();
    EXPECT_TRUE(view_->IsAnimating());
    view_->SetRedrawPaused(true); // as while recording a video
    view_->grabFramebuffer();
    EXPECT_FALSE(view_->IsAnimating());
    view_->SetRedrawPaused(false);
    view_->grabFramebuffer();
    EXPECT_TRUE(view_->IsAnimating());
    doc_->Data().model.AniPause();
    view_->grabFramebuffer();
    EXPECT_FALSE(view_->IsAnimating());
    doc_->Data().model.AniStop();
}

TEST_F(KestrelView, NewDocumentIsAnEmptySceneAndFiltersListTheTypes)
{
    doc_->NewDocument();
    EXPECT_EQ(doc_->ViewMode(), 1);
    EXPECT_EQ(doc_->StatusText(), "");
    const std::string filter = doc_->OpenFilterText();
    EXPECT_EQ(filter.rfind("All Supported Files (*.*)|*.", 0), 0u);
    EXPECT_NE(filter.find("|Kestrel Files (*.KXM3)|*.KXM3|"), std::string::npos);
    EXPECT_EQ(filter.substr(filter.size() - 2), "||");
    EXPECT_TRUE(doc_->OpenDialogFilter().contains("*.stl"));

    const QString cube = Cube();
    ASSERT_TRUE(doc_->Open(cube));
    QSignalSpy folder(doc_.get(), &CKestrelDoc::showFolderRequested);
    EXPECT_TRUE(doc_->RefreshFile());
    EXPECT_EQ(folder.count(), 1);
    std::filesystem::remove(cube.toStdString());
    EXPECT_FALSE(doc_->RefreshFile());
}

} // namespace
