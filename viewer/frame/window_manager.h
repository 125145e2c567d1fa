#pragma once

namespace kestrel::frame {

// True when something on the desktop acts on a window's maximised and full-screen state (an X
// window manager, a Wayland compositor). On a bare X server (kiosk, Xvfb) or off screen the
// program has to place its window itself.
bool HasWindowManager();

} // namespace kestrel::frame
