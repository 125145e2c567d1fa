// The normals recalculation dialog: the angle controls, clamping and Start.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "smoother_dialog.h"
#include "tool_dialog_support.h"
#include "tool_models.h"
#include "toolkit/clamped_spin_box.h"

using namespace kestrel::test;

namespace {

TEST(SmootherDialog, ExistingGroupsLockTheAngle)
{
    ToolRecord record;
    CSmootherOptionsDlg dialog(&record.model);
    EXPECT_EQ(dialog.windowTitle(), "Recalculate Normals");
    EXPECT_TRUE(dialog.RegenerateRadio()->isChecked());
    EXPECT_FALSE(dialog.ExistingGroupsRadio()->isChecked());
    EXPECT_EQ(dialog.AngleField()->value(), 30);
    EXPECT_EQ(dialog.AngleField()->minimum(), 0);
    EXPECT_EQ(dialog.AngleField()->maximum(), 180);
    EXPECT_TRUE(dialog.AngleField()->isEnabled());
    EXPECT_EQ(dialog.StartButton()->text(), "&S&tart");

    dialog.ExistingGroupsRadio()->setChecked(true);
    EXPECT_FALSE(dialog.AngleField()->isEnabled());
    EXPECT_FALSE(dialog.AngleLabel()->isEnabled());
    dialog.RegenerateRadio()->setChecked(true);
    EXPECT_TRUE(dialog.AngleField()->isEnabled());
    EXPECT_TRUE(dialog.AngleLabel()->isEnabled());
}

TEST(SmootherDialog, TypedAngleAboveTheRangeBecomes180)
{
    ToolRecord record;
    CSmootherOptionsDlg dialog(&record.model);
    dialog.show();
    auto* field = dialog.AngleField();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, "250");
    EXPECT_EQ(field->text(), "250");  // the keystrokes are taken
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);  // leaving the field commits it
    QApplication::sendEvent(field, &leave);
    EXPECT_EQ(field->text(), "180");
    EXPECT_EQ(field->value(), 180);
}

TEST(SmootherDialog, StartRecalculatesAndCloses)
{
    ToolRecord record;
    AddCube(&record.model);
    CSmootherOptionsDlg dialog(&record.model);
    dialog.AngleField()->setValue(91);
    EXPECT_EQ(ExecAndPressOk(dialog).result, QDialog::Accepted);
    EXPECT_EQ(skGroupGetNormalCount(record.Group()), 8);
}

} // namespace
