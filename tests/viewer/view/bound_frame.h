#pragma once
// A main frame with its document and view, shown as the viewer starts them. Opening a file
// makes its folder current; the folder the test started in comes back afterwards.

#include <QComboBox>
#include <QDockWidget>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <filesystem>

#include "command_ids.h"
#include "frame_binding.h"
#include "main_frame.h"

namespace kestrel::test {

class BoundFrame {
public:
    BoundFrame(int width, int height) : before_(std::filesystem::current_path())
    {
        created_ = frame.Create();
        if (!created_)
            return;
        binding = new view::CFrameBinding(frame);
        frame.resize(width, height);
        frame.show();
        exposed_ = QTest::qWaitForWindowExposed(&frame);
    }
    ~BoundFrame() { std::filesystem::current_path(before_); }
    BoundFrame(const BoundFrame&) = delete;
    BoundFrame& operator=(const BoundFrame&) = delete;

    bool Ready() const { return created_ && exposed_; }

    // What the features put in the frame's bars and panels.
    QComboBox* Sequences() const { return frame.findChild<QComboBox*>(QString("command%1").arg(cmd::kSequences)); }
    QSlider* SeekBar() const { return frame.findChild<QSlider*>(QString("command%1").arg(cmd::kFramesSlider)); }
    QTabWidget* StatisticsTabs() const
    {
        QDockWidget* panel = frame.Panel(cmd::kStatisticsPanel);
        return panel ? qobject_cast<QTabWidget*>(panel->widget()) : nullptr;
    }

    frame::CMainFrame frame{frame::CMainFrame::Options{KESTREL_PLUGIN_FOLDER, false}};
    view::CFrameBinding* binding = nullptr; // owned by the frame

private:
    std::filesystem::path before_;
    bool created_ = false;
    bool exposed_ = false;
};

} // namespace kestrel::test
