#pragma once
#include <QOpenGLContext>
#include <memory>

namespace kestrel::app {

// An OpenGL context of the default format, or null when this display gives none. Without
// one the window, which holds the 3D view, cannot even be shown: Qt's first flush of it
// crashes. Kept until the view has its own, the driver starts once.
std::unique_ptr<QOpenGLContext> ProbeOpenGl();

// Says that the window cannot be shown for want of OpenGL: on standard error always, and in
// a message box where the platform can show one.
void ReportNoOpenGl();

} // namespace kestrel::app
