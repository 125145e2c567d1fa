#include "opengl_check.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QOpenGLContext>
#include <cstdio>

namespace kestrel::app {

namespace {
bool IsDesktopPlatform(const QString& platform)
{
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}
} // namespace

bool OpenGlAvailable()
{
    if (IsDesktopPlatform(QGuiApplication::platformName()))
        return true;
    QOpenGLContext context;
    return context.create();
}

void ReportNoOpenGl()
{
    const QString text = QStringLiteral("Kestrel could not create an OpenGL context on this display, so its "
                                        "window cannot be shown.");
    std::fprintf(stderr, "%s\n", qPrintable(text));
    // Nobody would see a box on these platforms, and it would wait for ever.
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
        QMessageBox::critical(nullptr, QStringLiteral("Kestrel"), text);
}

} // namespace kestrel::app
