#pragma once

namespace kestrel::app {

// Whether this display gives an OpenGL context of the default format. Without one the
// window, which holds the 3D view, cannot even be shown: Qt's first flush of it crashes.
// Desktop displays (X11, Wayland) are taken as having one without a try: making and
// dropping a context there costs a restart of the driver (about 25 ms) or, kept, memory.
bool OpenGlAvailable();

// Says that the window cannot be shown for want of OpenGL: on standard error always, and in
// a message box where the platform can show one.
void ReportNoOpenGl();

} // namespace kestrel::app
