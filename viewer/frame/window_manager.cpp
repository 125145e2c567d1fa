#include "window_manager.h"

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <memory>

#ifdef KESTREL_HAVE_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#endif

namespace kestrel::frame {

namespace {

#ifdef KESTREL_HAVE_XCB
struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

xcb_atom_t Atom(xcb_connection_t* c, const char* name)
{
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The window a property of type WINDOW names; none when it is missing.
xcb_window_t WindowProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property)
{
    const Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, XCB_ATOM_WINDOW, 0, 1), nullptr));
    if (!reply || reply->type != XCB_ATOM_WINDOW || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
        return XCB_WINDOW_NONE;
    return *static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
}

// An EWMH window manager names its check window on the root, and the window names itself;
// a stale name of a window manager that ended fails the second test.
bool X11WindowManagerRuns()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c)
        return false;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_atom_t check = Atom(c, "_NET_SUPPORTING_WM_CHECK");
    if (!screen || check == XCB_ATOM_NONE)
        return false;
    const xcb_window_t wm = WindowProperty(c, screen->root, check);
    return wm != XCB_WINDOW_NONE && WindowProperty(c, wm, check) == wm;
}
#endif

} // namespace

void RecordUnmanagedWindowState(WId window, bool maximized, bool fullScreen)
{
#ifdef KESTREL_HAVE_XCB
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c || window == 0)
        return;
    const xcb_atom_t state = Atom(c, "_NET_WM_STATE");
    if (state == XCB_ATOM_NONE)
        return;
    xcb_atom_t values[2];
    uint32_t count = 0;
    if (fullScreen) {
        values[count++] = Atom(c, "_NET_WM_STATE_FULLSCREEN");
    } else if (maximized) {
        values[count++] = Atom(c, "_NET_WM_STATE_MAXIMIZED_VERT");
        values[count++] = Atom(c, "_NET_WM_STATE_MAXIMIZED_HORZ");
    }
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, xcb_window_t(window), state, XCB_ATOM_ATOM, 32, count, values);
    xcb_flush(c);
#else
    (void)window;
    (void)maximized;
    (void)fullScreen;
#endif
}

bool HasWindowManager()
{
    const QString platform = QGuiApplication::platformName();
    if (platform == "xcb") {
#ifdef KESTREL_HAVE_XCB
        return X11WindowManagerRuns();
#else
        return true;
#endif
    }
    // Wayland and the desktop platforms always manage windows; off screen nobody does.
    return platform != "offscreen" && platform != "minimal" && platform != "vnc" && !platform.startsWith("linuxfb") &&
           !platform.startsWith("eglfs");
}

} // namespace kestrel::frame
