#include <gtest/gtest.h>

#include "x_server.h"

#include <QGuiApplication>
#include <QTabWidget>
#include <QTest>
#include <filesystem>

#include "bound_frame.h"
#include "frame_binding.h"
#include "image_fixtures.h"
#include "information_page.h"
#include "kestrel_doc.h"
#include "kestrel_view.h"
#include "main_frame.h"
#include "objects_page.h"
#include "sample_files.h"
#include "temp_dir.h"

namespace {

using namespace kestrel;

QTreeWidgetItem* FindItem(QTreeWidget& tree, const QString& text)
{
    const QList<QTreeWidgetItem*> found = tree.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}

TEST(StatisticsPages, FollowTheOpenModelAndShowHideAndSelectItsMeshes)
{
    KESTREL_SKIP_WITHOUT_X_SERVER();
    test::BoundFrame bound(800, 600);
    ASSERT_TRUE(bound.Ready());
    frame::CMainFrame& frame = bound.frame;
    view::CFrameBinding* binding = bound.binding;

    auto* objects = qobject_cast<panels::CObjectsPage*>(bound.StatisticsTabs()->widget(frame::CMainFrame::kObjectsPage));
    auto* information =
        qobject_cast<panels::CInformationPage*>(bound.StatisticsTabs()->widget(frame::CMainFrame::kInformationPage));
    ASSERT_NE(objects, nullptr);
    ASSERT_NE(information, nullptr);
    EXPECT_EQ(bound.StatisticsTabs()->tabText(frame::CMainFrame::kObjectsPage), "Objects");
    EXPECT_NE(FindItem(*objects, "Nothing to display"), nullptr);
    EXPECT_EQ(information->item(0)->text(), "File Type: Unknown");

    test::TempDir dir;
    ASSERT_TRUE(samples::WriteAnimatedArm(dir.Path().string()));
    const std::string model = dir.File("arm.ms3d");
    emit frame.OpenFileRequested(QString::fromStdString(model));
    ASSERT_EQ(binding->Doc().ViewMode(), 1);
    ASSERT_NE(FindItem(*objects, "Scene Objects"), nullptr);
    EXPECT_NE(FindItem(*objects, "Skeleton"), nullptr);
    EXPECT_EQ(information->item(0)->text(), "File Type: 3D Object");
    EXPECT_EQ(information->item(3)->text(), "   - Meshes: 3");

    QTreeWidgetItem* tip = FindItem(*objects, "Tip");
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->checkState(0), Qt::Checked);
    CModel& engine = binding->Doc().Data().model;
    const QImage shown = binding->View().grabFramebuffer();
    tip->setCheckState(0, Qt::Unchecked); // the box hides the mesh
    EXPECT_NE(engine.GetMeshFlag(2) & 2, 0);
    EXPECT_NE(binding->View().grabFramebuffer(), shown);
    tip->setCheckState(0, Qt::Checked); // and shows and selects it again
    EXPECT_EQ(engine.GetMeshFlag(2) & 2, 0);
    EXPECT_EQ(binding->Doc().Selection(), std::vector<int>{2});

    objects->setCurrentItem(FindItem(*objects, "Base"));
    EXPECT_EQ(binding->Doc().Selection(), std::vector<int>{0});
    EXPECT_NE(engine.GetMeshFlag(0) & 1, 0);
    EXPECT_EQ(engine.GetMeshFlag(2) & 1, 0);
}

} // namespace
