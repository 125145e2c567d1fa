// The MS3D ASCII export dialog: which parts it offers, the skeleton-animation rule,
// the refusals and the format-limit questions.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>

#include "ms3d_ascii_dialog.h"
#include "temp_dir.h"
#include "tool_dialog_support.h"
#include "tool_models.h"

namespace fs = std::filesystem;
using namespace kestrel::test;

namespace {

void ExpectBox(QCheckBox* box, bool checked, bool enabled)
{
    EXPECT_EQ(box->isChecked(), checked) << box->text().toStdString();
    EXPECT_EQ(box->isEnabled(), enabled) << box->text().toStdString();
}

TEST(Ms3dAsciiDialog, OffersOnlyWhatTheModelHas)
{
    ToolRecord record;
    AddCube(&record.model);
    AddJoint(&record.model, "root", "");
    CMs3dAsciiOptionsDlg dialog(&record.model);
    EXPECT_EQ(dialog.windowTitle(), "MS3D ASCII Export");
    ExpectBox(dialog.MeshesBox(), true, true);
    ExpectBox(dialog.MaterialsBox(), false, false);
    ExpectBox(dialog.SkeletonBox(), true, true);
    ExpectBox(dialog.AnimationBox(), false, false);  // no animation length
    dialog.SkeletonBox()->setChecked(false);
    ExpectBox(dialog.AnimationBox(), false, false);

    ToolRecord empty;
    CMs3dAsciiOptionsDlg nothing(&empty.model);
    for (QCheckBox* box : {nothing.MeshesBox(), nothing.MaterialsBox(), nothing.SkeletonBox(), nothing.AnimationBox()})
        ExpectBox(box, false, false);
}

TEST(Ms3dAsciiDialog, UncheckingTheSkeletonTurnsOffAnimation)
{
    ToolRecord record;
    skModelSetAnimationLength(&record.model, 40);
    AddJoint(&record.model, "root", "");
    skModelAddMaterial(&record.model);
    CMs3dAsciiOptionsDlg dialog(&record.model);
    ExpectBox(dialog.AnimationBox(), true, true);
    EXPECT_TRUE(dialog.Options().animation);
    dialog.SkeletonBox()->setChecked(false);
    ExpectBox(dialog.AnimationBox(), true, false);
    EXPECT_FALSE(dialog.Options().animation);
    dialog.SkeletonBox()->setChecked(true);
    EXPECT_TRUE(dialog.AnimationBox()->isEnabled());
    EXPECT_TRUE(dialog.Options().animation);
}

TEST(Ms3dAsciiDialog, BrowseFillsOrEmptiesTheField)
{
    ToolRecord record;
    CMs3dAsciiOptionsDlg dialog(&record.model);
    {
        FileDialogAnswer answer("/tmp/model.txt");
        dialog.BrowseButton()->click();
        EXPECT_EQ(dialog.FileName()->text(), "/tmp/model.txt");
        EXPECT_EQ(answer.last.defaultSuffix, "txt");
        EXPECT_EQ(answer.last.filter, "MilkShape3D ASCII Files (*.txt)|*.txt|All Files (*.*)|*.*||");
    }
    FileDialogAnswer cancelled("");
    dialog.BrowseButton()->click();
    EXPECT_TRUE(dialog.FileName()->text().isEmpty());
}

TEST(Ms3dAsciiDialog, RefusalsWarnAndKeepItOpen)
{
    CurrentDirScope keep(fs::current_path());
    TempDir dir;
    MessageRecorder messages;
    ToolRecord empty;
    CMs3dAsciiOptionsDlg nothing(&empty.model);
    nothing.FileName()->setText(QString::fromStdString(dir.File("a.txt")));
    EXPECT_TRUE(ExecAndPressOk(nothing).stayedOpen);

    ToolRecord record;
    AddCube(&record.model);
    CMs3dAsciiOptionsDlg dialog(&record.model);
    dialog.FileName()->setText(QString::fromStdString(dir.File("b.txt")));
    dialog.MeshesBox()->setChecked(false);
    const OkOutcome outcome = ExecAndPressOk(dialog);
    EXPECT_TRUE(outcome.stayedOpen);
    EXPECT_EQ(outcome.focus, dialog.FileName());
    EXPECT_EQ(messages.Warnings(), (QStringList{"Nothing to export", "No export options selected"}));
    EXPECT_FALSE(fs::exists(dir.File("a.txt")));
    EXPECT_FALSE(fs::exists(dir.File("b.txt")));
}

TEST(Ms3dAsciiDialog, LimitQuestionDecidesWhetherToWrite)
{
    CurrentDirScope keep(fs::current_path());
    TempDir dir;
    ToolRecord record;
    skModelMaterialArrayResize(&record.model, 129, 0);
    MessageRecorder messages;
    messages.answer = false;
    CMs3dAsciiOptionsDlg dialog(&record.model);
    dialog.FileName()->setText(QString::fromStdString(dir.File("m.txt")));
    EXPECT_TRUE(ExecAndPressOk(dialog).stayedOpen);
    ASSERT_EQ(messages.questions.size(), 1);
    EXPECT_TRUE(messages.questions[0].startsWith("Model material count exceeds format limitations."));
    EXPECT_FALSE(fs::exists(dir.File("m.txt")));

    messages.answer = true;
    EXPECT_EQ(ExecAndPressOk(dialog).result, QDialog::Accepted);
    EXPECT_TRUE(fs::exists(dir.File("m.txt")));
}

} // namespace
