// Turning X events into the port's Events: the one place where the window
// system's input reaches the framework.
#include <X11/Xutil.h>

#include "framework/keys.h"
#include "framework/platform/x11_internal.h"

namespace ondra::platform {
namespace {

Display* Dpy() { return X11().display; }

// Without detectable auto-repeat the server sends release+press pairs with
// one timestamp for a held key; drop the release so the key stays down.
bool IsAutoRepeatRelease(const XKeyEvent& release) {
    if (X11().detectableAutoRepeat || !XEventsQueued(Dpy(), QueuedAfterReading)) return false;
    XEvent next;
    XPeekEvent(Dpy(), &next);
    return next.type == KeyPress && next.xkey.window == release.window &&
           next.xkey.keycode == release.keycode && next.xkey.time == release.time;
}

int ButtonIndex(unsigned xButton) {
    switch (xButton) {
        case Button1: return 0;
        case Button2: return 1;
        case Button3: return 2;
        default: return -1;  // the wheel and extra buttons
    }
}

// Alt itself, keys pressed or released while Alt is held, and F10 belong to
// the window system (menu keys), not to the application: they change the
// key state but make no event.
bool IsSystemKey(const XKeyEvent& key, int vk) {
    return vk == VK_MENU || vk == VK_F10 || (key.state & Mod1Mask) != 0;
}

bool TranslateKey(const XKeyEvent& key, bool down, Event& out) {
    const int vk = VirtualKeyFromKeycode(key.keycode);
    if (vk == 0) return false;
    SetKeyState(vk, down);
    if (IsSystemKey(key, vk)) return false;
    out.type = down ? EventType::kKeyDown : EventType::kKeyUp;
    out.a = LabelledVirtualKey(key.keycode, key.state);
    return true;
}

bool TranslateButton(const XButtonEvent& button, bool down, Event& out) {
    const int index = ButtonIndex(button.button);
    if (index < 0) return false;
    out.type = down ? EventType::kButtonDown : EventType::kButtonUp;
    out.a = button.x;
    out.b = button.y;
    out.button = index;
    return true;
}

bool TranslateConfigure(Window* window, const XConfigureEvent& configure, Event& out) {
    int x = 0, y = 0;
    GetClientOrigin(window, x, y);
    window->x = x;
    window->y = y;
    if (configure.width == window->width && configure.height == window->height) return false;
    window->width = configure.width;
    window->height = configure.height;
    out.type = EventType::kResize;
    out.a = configure.width;
    out.b = configure.height;
    return true;
}

// Returns true when the X event became a port Event.
bool Translate(XEvent& xe, Event& out) {
    if (xe.type == MappingNotify) {
        XRefreshKeyboardMapping(&xe.xmapping);
        RefreshKeyboardMap();
        return false;
    }
    Window* window = FindWindow(xe.xany.window);
    if (!window) return false;  // destroyed by us, or not ours
    out = Event{};
    out.window = window;

    switch (xe.type) {
        case Expose:
            out.type = EventType::kExpose;
            return true;
        case ConfigureNotify:
            return TranslateConfigure(window, xe.xconfigure, out);
        case MapNotify:
            window->mapped = true;
            window->minimized = false;
            // Without a window manager keys only reach the focused window.
            XSetInputFocus(Dpy(), window->xid, RevertToParent, CurrentTime);
            return false;
        case UnmapNotify:
            // Only a window manager unmaps a window the program shows: it
            // was minimised (or its desktop is not on the screen).
            window->mapped = false;
            window->minimized = window->shown;
            return false;
        case DestroyNotify:
            window->destroyedExternally = true;
            window->shown = false;
            out.type = EventType::kDestroyed;
            return true;
        case ClientMessage:
            if (xe.xclient.message_type != X11().atoms.wmProtocols ||
                static_cast<Atom>(xe.xclient.data.l[0]) != X11().atoms.wmDeleteWindow)
                return false;
            out.type = EventType::kClose;
            return true;
        case KeyPress:
            return TranslateKey(xe.xkey, true, out);
        case KeyRelease:
            return !IsAutoRepeatRelease(xe.xkey) && TranslateKey(xe.xkey, false, out);
        case ButtonPress:
            return TranslateButton(xe.xbutton, true, out);
        case ButtonRelease:
            return TranslateButton(xe.xbutton, false, out);
        case MotionNotify:
            out.type = EventType::kMouseMove;
            out.a = xe.xmotion.x;
            out.b = xe.xmotion.y;
            return true;
        case FocusOut:
            if (xe.xfocus.detail != NotifyInferior) ReleaseAllKeys();
            return false;
        default:
            return false;
    }
}

}  // namespace

// Nothing of X11 calls the program back: every event waits in the queue.
void SetCallbacks(const Callbacks&) {}

bool PollEvent(Event& event) {
    if (!Dpy()) return false;
    while (XPending(Dpy())) {
        XEvent xe;
        XNextEvent(Dpy(), &xe);
        if (Translate(xe, event)) return true;
    }
    return false;
}

}  // namespace ondra::platform
