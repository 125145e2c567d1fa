#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "avi_recording_dialog.h"
#include "avi_settings_dialog.h"
#include "clip_reader.h"
#include "command_ids.h"
#include "frame_binding.h"
#include "kestrel_doc.h"
#include "kestrel_view.h"
#include "main_frame.h"
#include "sample_files.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace kestrel;
using namespace kestrel::capture;

// Answers the message boxes a dialog shows, keeping their texts.
struct MessageCatcher {
    QStringList texts;
    QTimer timer;
    MessageCatcher()
    {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->accept();
            }
        });
        timer.start();
    }
};

TEST(VideoRecording, TheSettingsDialogStaysOpenWithTheFirstWrongField)
{
    const std::vector<LoopRange> loops = {{"walk", 1.0f, 30.0f}};
    CAviSettingsDialog dialog(DefaultAviSettings("", 24.0, loops, 0), loops);
    MessageCatcher messages;
    EXPECT_FALSE(dialog.Accept());
    dialog.findChild<QLineEdit*>("output")->setText("clip");
    dialog.findChild<QSpinBox*>("width")->setValue(3);
    EXPECT_FALSE(dialog.Accept());
    EXPECT_EQ(dialog.findChild<QLineEdit*>("output")->text(), "clip.avi");
    dialog.findChild<QSpinBox*>("width")->setValue(64);
    EXPECT_TRUE(dialog.Accept());
    EXPECT_EQ(messages.texts, (QStringList{"Please select the output file", "Viewport width should be more than 3 pixels"}));
    EXPECT_EQ(dialog.Settings().output, "clip.avi");
    EXPECT_EQ(dialog.Settings().width, 64);
    EXPECT_EQ(dialog.Settings().endFrame, 30);
}

TEST(VideoRecording, AnAnimatedModelIsRecordedFrameByFrame)
{
    const auto before = fs::current_path();
    frame::CMainFrame frame(frame::CMainFrame::Options{KESTREL_PLUGIN_FOLDER, false});
    ASSERT_TRUE(frame.Create());
    auto* binding = new view::CFrameBinding(frame);
    frame.resize(800, 600);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    test::TempDir dir;
    frame.RefreshCommands();
    EXPECT_FALSE(frame.Action(cmd::kRecordAvi)->isEnabled()); // nothing animated yet
    ASSERT_TRUE(samples::WriteAnimatedArm(dir.Path().string()));
    ASSERT_TRUE(binding->Doc().Open(QString::fromStdString(dir.File("arm.ms3d"))));
    frame.RefreshCommands();
    EXPECT_TRUE(frame.Action(cmd::kRecordAvi)->isEnabled());

    CModel& model = binding->Doc().Data().model;
    ASSERT_FALSE(model.mSequences.empty());
    const LoopRange loop{model.mSequences[0].mName, model.mSequences[0].mStart, model.mSequences[0].mEnd};
    AviSettings settings = DefaultAviSettings(dir.File("arm.ms3d"), 24.0, {loop}, 0);
    settings.width = 65;
    settings.height = 49;
    settings.endFrame = 6;
    ASSERT_EQ(ValidateAviSettings(settings), "");
    CAviRecordingDialog recording(binding->View(), binding->Doc(), settings, loop);
    EXPECT_TRUE(recording.Record(VideoOptions{"mjpeg", -1}));
    EXPECT_EQ(recording.FramesDone(), 6);
    EXPECT_TRUE(fs::exists(dir.File("arm.avi")));
    EXPECT_GT(fs::file_size(dir.File("arm.avi")), 1000u);
    EXPECT_TRUE(recording.Outcome().startsWith("Video saved to")) << recording.Outcome().toStdString();
    // It plays: six frames of the picture's size (made even for the codec) at the rate,
    // and the arm moves between the first and the last.
    const test::Clip clip = test::ReadClip(dir.File("arm.avi"));
    ASSERT_TRUE(clip.opened);
    EXPECT_EQ(clip.container, "avi");
    EXPECT_EQ(clip.frames.size(), 6u);
    EXPECT_EQ(clip.width, 66);
    EXPECT_EQ(clip.height, 50);
    EXPECT_EQ(clip.frameRate.num, 24);
    EXPECT_EQ(clip.frameRate.den, 1);
    ASSERT_FALSE(clip.frames.empty());
    EXPECT_NE(clip.frames.front(), clip.frames.back());
    std::printf("Recorded %d frames of %dx%d: %.1f frames/s (drawing %.1f ms, writing %.1f ms a frame)\n",
                recording.FramesDone(), settings.width, settings.height, recording.FramesPerSecond(),
                recording.DrawMilliseconds(), recording.WriteMilliseconds());

    // The arm at the default size with the codecs users take most: where the time goes.
    settings.width = 512;
    settings.height = 384;
    settings.endFrame = 30;
    settings.output = dir.File("speed.avi");
    for (const char* codec : {"mjpeg", "libx264"}) {
        VideoCodec found;
        if (!FindVideoCodec(codec, found))
            continue;
        CAviRecordingDialog timed(binding->View(), binding->Doc(), settings, loop);
        ASSERT_TRUE(timed.Record(VideoOptions{codec, -1}));
        std::printf("%s 512x384: %.1f frames/s (drawing %.1f ms, writing %.1f ms a frame)\n", codec,
                    timed.FramesPerSecond(), timed.DrawMilliseconds(), timed.WriteMilliseconds());
    }

    // A file that cannot be made: the written warning, nothing recorded.
    settings.output = (dir.Path() / "missing" / "clip.avi").string();
    CAviRecordingDialog failing(binding->View(), binding->Doc(), settings, loop);
    EXPECT_FALSE(failing.Record(VideoOptions{"mjpeg", -1}));
    EXPECT_EQ(failing.Outcome(), "AVI failed to init!");
    EXPECT_EQ(failing.FramesDone(), 0);
    fs::current_path(before);
}

} // namespace
