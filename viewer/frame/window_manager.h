#pragma once

#include <QtGui/qwindowdefs.h>

namespace kestrel::frame {

// True when something on the desktop acts on a window's maximised and full-screen state (an X
// window manager, a Wayland compositor). On a bare X server (kiosk, Xvfb) or off screen the
// program has to place its window itself.
bool HasWindowManager();

// Without a window manager Qt reads a window's state back from the _NET_WM_STATE property it
// wrote itself before the window was shown; a late notice of that old value would put the
// window back into it. The property is kept equal to the state the window really has.
void RecordUnmanagedWindowState(WId window, bool maximized, bool fullScreen);

} // namespace kestrel::frame
