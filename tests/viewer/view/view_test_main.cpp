#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <QSurfaceFormat>
#include <QTemporaryDir>
#include <cstdlib>

#include "kestrel_view.h"

// The view tests need an X server (QOpenGLWidget does not work on the offscreen platform);
// without one they start on offscreen and skip.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Settings written by the view's parts land in a home of their own.
    QTemporaryDir home;
    if (home.isValid())
        setenv("HOME", QFile::encodeName(home.path()).constData(), 1);
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QStandardPaths::setTestModeEnabled(true);
    QSurfaceFormat::setDefaultFormat(kestrel::view::CKestrelView::SurfaceFormat());
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
