// XTEST input injection.
#include "framework/platform/inject.h"

#include <X11/extensions/XTest.h>

#include "framework/platform/x11_internal.h"

namespace ondra::platform {
namespace {

// The keycode whose key produces the virtual key, by the port's own mapping.
unsigned KeycodeFor(int virtualKey) {
    for (unsigned keycode = 8; keycode < 256; ++keycode)
        if (VirtualKeyFromKeycode(keycode) == virtualKey) return keycode;
    return 0;
}

}  // namespace

bool CanInjectInput() {
    if (!OpenDisplay()) return false;
    int event = 0, error = 0, major = 0, minor = 0;
    return XTestQueryExtension(X11().display, &event, &error, &major, &minor) == True;
}

bool InjectKey(int virtualKey, bool down) {
    if (!CanInjectInput()) return false;
    const unsigned keycode = KeycodeFor(virtualKey);
    if (keycode == 0) return false;
    XTestFakeKeyEvent(X11().display, keycode, down ? True : False, CurrentTime);
    XFlush(X11().display);
    return true;
}

bool InjectButton(int button, bool down) {
    if (!CanInjectInput() || button < 0 || button > 4) return false;
    static const unsigned kXButtons[] = {Button1, Button2, Button3, Button4, Button5};
    XTestFakeButtonEvent(X11().display, kXButtons[button], down ? True : False, CurrentTime);
    XFlush(X11().display);
    return true;
}

bool InjectPointerMove(int screenX, int screenY) {
    if (!CanInjectInput()) return false;
    XTestFakeMotionEvent(X11().display, X11().screen, screenX, screenY, CurrentTime);
    XFlush(X11().display);
    return true;
}

}  // namespace ondra::platform

namespace ondra::platform {

bool RunningUnderWine() { return false; }

bool MinimizeWindow(Window* window) {
    if (!window || window->xid == None) return false;
    const bool asked = XIconifyWindow(X11().display, window->xid, X11().screen) != 0;
    XFlush(X11().display);
    return asked;
}

// A window manager brings an iconified window back when it is mapped.
bool RestoreWindow(Window* window) {
    if (!window || window->xid == None) return false;
    XMapRaised(X11().display, window->xid);
    XFlush(X11().display);
    return true;
}

bool DestroyWindowFromOutside(const Window* window) {
    if (!window || window->xid == None) return false;
    Display* other = XOpenDisplay(nullptr);
    if (!other) return false;
    XDestroyWindow(other, window->xid);
    XCloseDisplay(other);
    return true;
}

}  // namespace ondra::platform

namespace ondra::platform {
namespace {

struct ForeignWindow {
    Display* display = nullptr;
    ::Window xid = None;
};

ForeignWindow foreign;

}  // namespace

bool TakeFocusFromOutside() {
    EndFocusFromOutside();
    foreign.display = XOpenDisplay(nullptr);
    if (!foreign.display) return false;
    Display* dpy = foreign.display;
    foreign.xid = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 32, 32, 0, 0, 0);
    XSelectInput(dpy, foreign.xid, StructureNotifyMask);
    XMapWindow(dpy, foreign.xid);
    // The server answers a map request of its own client; focus needs the
    // window viewable.
    XEvent event;
    do {
        XWindowEvent(dpy, foreign.xid, StructureNotifyMask, &event);
    } while (event.type != MapNotify);
    XSetInputFocus(dpy, foreign.xid, RevertToPointerRoot, CurrentTime);
    XSync(dpy, False);
    return true;
}

void EndFocusFromOutside() {
    if (!foreign.display) return;
    XDestroyWindow(foreign.display, foreign.xid);
    XCloseDisplay(foreign.display);
    foreign = ForeignWindow{};
}

}  // namespace ondra::platform
