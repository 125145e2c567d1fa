// The landscape generator dialog: defaults, loading an image, the linked size fields,
// clamping and Generate.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "image_fixtures.h"
#include "image_preview.h"
#include "temp_dir.h"
#include "terrainer_dialog.h"
#include "tool_dialog_support.h"
#include "tool_models.h"
#include "toolkit/clamped_spin_box.h"

using namespace kestrel::test;

namespace {

// Writes a TGA of the given size and depth and returns its path.
std::string WriteTga(const TempDir& dir, const char* name, uint32_t w, uint32_t h, uint8_t bpp)
{
    const RefImage image = MakePattern(w, h, bpp, PatternColours::kFull);
    TgaOptions options;
    options.depth = bpp;
    const std::string path = dir.File(name);
    WriteBytes(path, MakeTga(image, options));
    return path;
}

void TypeInto(QAbstractSpinBox* field, const char* text)
{
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
    // Leaving the field commits it (Return would also press Generate).
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(field, &leave);
}

TEST(TerrainerDialog, StartsWithDefaultsAndNoImage)
{
    ToolRecord record;
    CTerrainOptionsDlg dialog(&record.model);
    EXPECT_EQ(dialog.windowTitle(), "Landscape Generator");
    EXPECT_TRUE(dialog.FileName()->isReadOnly());
    EXPECT_TRUE(dialog.KeepAspectBox()->isChecked());
    EXPECT_EQ(dialog.LengthX()->text(), "100.0");
    EXPECT_EQ(dialog.WidthZ()->text(), "100.0");
    EXPECT_EQ(dialog.HeightY()->text(), "20.0");
    EXPECT_DOUBLE_EQ(dialog.LengthX()->singleStep(), 0.1);
    EXPECT_DOUBLE_EQ(dialog.LengthX()->minimum(), 1.0);
    EXPECT_DOUBLE_EQ(dialog.LengthX()->maximum(), 1000.0);
    EXPECT_EQ(dialog.LengthSegments()->value(), 10);
    EXPECT_EQ(dialog.WidthSegments()->maximum(), 1000);
    EXPECT_EQ(dialog.TileU()->text(), "1.0");
    EXPECT_DOUBLE_EQ(dialog.TileV()->minimum(), 0.1);
    EXPECT_TRUE(dialog.TexCoordsBox()->isChecked());
    EXPECT_TRUE(dialog.QuadWireframeBox()->isChecked());
    EXPECT_FALSE(dialog.AlphaBox()->isChecked());
    EXPECT_FALSE(dialog.AlphaBox()->isEnabled());
    EXPECT_EQ(dialog.WidthLabel()->text(), "0px");
    EXPECT_EQ(dialog.HeightLabel()->text(), "0px");
    EXPECT_EQ(dialog.BitsLabel()->text(), "0");
    EXPECT_TRUE(dialog.Preview()->Image().isNull());
    EXPECT_EQ(dialog.GenerateButton()->text(), "&Generate");
}

TEST(TerrainerDialog, GenerateWithoutImageAsksForTheSource)
{
    ToolRecord record;
    MessageRecorder messages;
    CTerrainOptionsDlg dialog(&record.model);
    EXPECT_TRUE(ExecAndPressOk(dialog).stayedOpen);
    EXPECT_EQ(messages.information, QStringList{"Please define the source file!"});
    EXPECT_EQ(skModelGetGroupCount(&record.model), 0);
}

TEST(TerrainerDialog, LoadingAWideImageKeepsItsAspect)
{
    TempDir dir;
    ToolRecord record;
    CTerrainOptionsDlg dialog(&record.model);
    dialog.LengthX()->setValue(300);
    dialog.HeightY()->setValue(60);
    FileDialogAnswer answer(QString::fromStdString(WriteTga(dir, "wide.tga", 256, 128, 32)));
    dialog.BrowseButton()->click();
    EXPECT_FALSE(answer.last.save);
    EXPECT_EQ(dialog.WidthLabel()->text(), "256px");
    EXPECT_EQ(dialog.HeightLabel()->text(), "128px");
    EXPECT_EQ(dialog.BitsLabel()->text(), "32");
    EXPECT_DOUBLE_EQ(dialog.LengthX()->value(), 100.0);
    EXPECT_DOUBLE_EQ(dialog.WidthZ()->value(), 50.0);
    EXPECT_DOUBLE_EQ(dialog.HeightY()->value(), 20.0);
    EXPECT_FALSE(dialog.Preview()->Image().isNull());

    EXPECT_TRUE(dialog.AlphaBox()->isEnabled());
    EXPECT_EQ(dialog.SourceImage().bpp, 32);
    dialog.AlphaBox()->setChecked(true);
    EXPECT_EQ(dialog.SourceImage().bpp, 24);  // the alpha as gray
}

TEST(TerrainerDialog, UnreadableImageClearsTheImageControls)
{
    TempDir dir;
    ToolRecord record;
    MessageRecorder messages;
    CTerrainOptionsDlg dialog(&record.model);
    ASSERT_TRUE(dialog.LoadImage(QString::fromStdString(WriteTga(dir, "a.tga", 4, 4, 32))));
    dialog.AlphaBox()->setChecked(true);
    WriteBytes(dir.File("bad.tga"), {1, 2, 3});
    EXPECT_FALSE(dialog.LoadImage(QString::fromStdString(dir.File("bad.tga"))));
    EXPECT_EQ(messages.Warnings(), QStringList{"Image read error!"});
    EXPECT_TRUE(dialog.FileName()->text().isEmpty());
    EXPECT_EQ(dialog.WidthLabel()->text(), "0px");
    EXPECT_FALSE(dialog.AlphaBox()->isEnabled());
    EXPECT_FALSE(dialog.AlphaBox()->isChecked());
}

TEST(TerrainerDialog, SpinStepsMoveLinkedSides)
{
    TempDir dir;
    ToolRecord record;
    CTerrainOptionsDlg dialog(&record.model);
    ASSERT_TRUE(dialog.LoadImage(QString::fromStdString(WriteTga(dir, "w.tga", 200, 100, 24))));
    dialog.LengthX()->stepBy(1);
    EXPECT_EQ(dialog.LengthX()->text(), "100.1");
    EXPECT_EQ(dialog.WidthZ()->text(), "50.1");
    dialog.WidthZ()->stepBy(-2);
    EXPECT_EQ(dialog.LengthX()->text(), "99.9");
    EXPECT_EQ(dialog.WidthZ()->text(), "49.9");

    dialog.KeepAspectBox()->setChecked(false);
    dialog.LengthX()->stepBy(1);
    EXPECT_EQ(dialog.WidthZ()->text(), "49.9");
    dialog.LengthX()->setValue(80);
    dialog.KeepAspectBox()->setChecked(true);  // Z follows X: 100 x 80 / 200
    EXPECT_DOUBLE_EQ(dialog.WidthZ()->value(), 40.0);
}

TEST(TerrainerDialog, TypedValuesAreClampedIntoRange)
{
    ToolRecord record;
    CTerrainOptionsDlg dialog(&record.model);
    dialog.show();
    TypeInto(dialog.TileU(), "2500");
    EXPECT_EQ(dialog.TileU()->text(), "1000.0");
    TypeInto(dialog.TileV(), "0");
    EXPECT_EQ(dialog.TileV()->text(), "0.1");
    TypeInto(dialog.LengthSegments(), "25000");
    EXPECT_EQ(dialog.LengthSegments()->value(), 1000);
}

TEST(TerrainerDialog, GenerateBuildsTheLandscapeAndCloses)
{
    TempDir dir;
    ToolRecord record;
    CTerrainOptionsDlg dialog(&record.model);
    ASSERT_TRUE(dialog.LoadImage(QString::fromStdString(WriteTga(dir, "s.tga", 3, 2, 24))));
    dialog.QuadWireframeBox()->setChecked(false);
    EXPECT_EQ(ExecAndPressOk(dialog).result, QDialog::Accepted);
    ASSERT_EQ(skModelGetGroupCount(&record.model), 1);
    EXPECT_EQ(skGroupGetFaceCount(record.Group()), 4);
    EXPECT_EQ(skGroupGetTriangle(record.Group(), 0)->edgeFlags[2], 1);
    EXPECT_FLOAT_EQ(skGroupGetVertex(record.Group(), 1)->x, 100.0f / 3.0f);
}

} // namespace
