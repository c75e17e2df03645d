// X11 windows: creation with a GLX context, showing, moving, sizing, full
// screen, the topmost state and the cursor.
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>

#include <cstdio>

#include "framework/platform/inject.h"
#include "framework/platform/x11_internal.h"

namespace ondra::platform {
namespace {

constexpr long kEventMask = ExposureMask | StructureNotifyMask | KeyPressMask | KeyReleaseMask |
                            ButtonPressMask | ButtonReleaseMask | PointerMotionMask | FocusChangeMask;

Display* Dpy() { return X11().display; }

bool failNextContext = false;  // see FailNextContextCreation

bool Usable(const Window* window) { return window && window->xid != None && !window->destroyedExternally; }

// Asks a running window manager to add or remove a _NET_WM_STATE flag.
void SendWmState(Window* window, Atom state, bool on) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window->xid;
    event.xclient.message_type = X11().atoms.netWmState;
    event.xclient.format = 32;
    event.xclient.data.l[0] = on ? 1 : 0;  // _NET_WM_STATE_ADD / _REMOVE
    event.xclient.data.l[1] = static_cast<long>(state);
    event.xclient.data.l[3] = 1;  // a normal application
    XSendEvent(Dpy(), X11().root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

// Before mapping, the state is a property the window manager reads.
void SetInitialWmState(Window* window, Atom state) {
    XChangeProperty(Dpy(), window->xid, X11().atoms.netWmState, XA_ATOM, 32, PropModeAppend,
                    reinterpret_cast<unsigned char*>(&state), 1);
}

// How far the manager's frame reaches left of and above the client area;
// 0 while it publishes none for the window (not framed yet, full screen).
void FrameExtents(const Window* window, int& left, int& top) {
    left = top = 0;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(Dpy(), window->xid, X11().atoms.netFrameExtents, 0, 4, False,
                                          XA_CARDINAL, &type, &format, &count, &remaining, &data);
    if (status == Success && type == XA_CARDINAL && format == 32 && count == 4) {
        const auto* extents = reinterpret_cast<const long*>(data);  // left, right, top, bottom
        left = static_cast<int>(extents[0]);
        top = static_cast<int>(extents[2]);
    }
    if (data) XFree(data);
}

Cursor HiddenCursor(Window* window) {
    if (window->hiddenCursor == None) {
        char clear = 0;
        Pixmap blank = XCreateBitmapFromData(Dpy(), window->xid, &clear, 1, 1);
        XColor black{};
        window->hiddenCursor = XCreatePixmapCursor(Dpy(), blank, blank, &black, &black, 0, 0);
        XFreePixmap(Dpy(), blank);
    }
    return window->hiddenCursor;
}

void SetNames(Window* window, const char* title) {
    XStoreName(Dpy(), window->xid, title ? title : "");
    XClassHint hint;
    char name[] = "ondra";
    char windowClass[] = "GLAppWnd";
    hint.res_name = name;
    hint.res_class = windowClass;
    XSetClassHint(Dpy(), window->xid, &hint);
}

// Where the window goes and how big it is: a default position is the
// screen's corner, and a full-screen window covers the screen.
void PlaceWindow(Window* window, const WindowDesc& desc) {
    window->x = desc.x == kDefaultPosition ? 0 : desc.x;
    window->y = desc.y == kDefaultPosition ? 0 : desc.y;
    window->width = desc.width > 0 ? desc.width : 1;
    window->height = desc.height > 0 ? desc.height : 1;
    if (desc.fullscreen) {
        window->x = window->y = 0;
        GetScreenSize(window->width, window->height);
    }
}

// The X window itself, with its own colour map; false, with nothing left
// behind, when the server refuses it.
bool CreateXWindow(Window* window, XVisualInfo* visual) {
    window->colormap = XCreateColormap(Dpy(), X11().root, visual->visual, AllocNone);
    XSetWindowAttributes attributes{};
    attributes.colormap = window->colormap;
    attributes.event_mask = kEventMask;
    attributes.border_pixel = 0;
    attributes.background_pixmap = None;
    window->xid = XCreateWindow(Dpy(), X11().root, window->x, window->y, window->width, window->height, 0,
                                visual->depth, InputOutput, visual->visual,
                                CWColormap | CWEventMask | CWBorderPixel | CWBackPixmap, &attributes);
    if (window->xid != None) return true;
    XFreeColormap(Dpy(), window->colormap);
    return false;
}

// What the window manager is told before the window is first shown.
void SetWindowManagerHints(Window* window, const WindowDesc& desc) {
    SetNames(window, desc.title);
    XSetWMProtocols(Dpy(), window->xid, &X11().atoms.wmDeleteWindow, 1);
    // North-west gravity: the manager places the frame's corner where the
    // window is asked to be, the corner GetWindowPosition reports from the
    // frame the manager publishes. A manager that publishes no frame gets
    // static gravity: positions are the client area's then, so a window
    // re-created where it was does not move by its frame each time.
    XSizeHints hints{};
    hints.flags = PWinGravity;
    hints.win_gravity = window->framePositions ? NorthWestGravity : StaticGravity;
    if (desc.x != kDefaultPosition || desc.fullscreen) {
        hints.flags |= USPosition;
        hints.x = window->x;
        hints.y = window->y;
    }
    XSetWMNormalHints(Dpy(), window->xid, &hints);
    if (desc.fullscreen) {
        SetInitialWmState(window, X11().atoms.netWmStateFullscreen);
        window->fullscreen = true;
    }
    if (desc.topmost) SetInitialWmState(window, X11().atoms.netWmStateAbove);
}

// A compatibility context, so OpenGL 1.1 fixed-function calls work.
bool CreateContext(Window* window) {
    if (!failNextContext) window->context = glXCreateNewContext(Dpy(), window->config, GLX_RGBA_TYPE, nullptr, True);
    failNextContext = false;
    if (!window->context) return false;
    static unsigned long contextsCreated = 0;
    window->contextSerial = ++contextsCreated;
    return true;
}

}  // namespace

CreateResult CreateWindow(const WindowDesc& desc, Window*& out) {
    out = nullptr;
    if (!OpenDisplay()) return CreateResult::kNoWindow;

    GLXFBConfig config = ChooseFBConfig(desc.format);
    if (!config) return CreateResult::kNoPixelFormat;
    XVisualInfo* visual = glXGetVisualFromFBConfig(Dpy(), config);
    if (!visual) return CreateResult::kNoPixelFormat;

    auto* window = new Window;
    window->config = config;
    window->user = desc.user;
    PlaceWindow(window, desc);
    const bool created = CreateXWindow(window, visual);
    XFree(visual);
    if (!created) {
        delete window;
        return CreateResult::kNoWindow;
    }
    RegisterWindow(window);
    window->framePositions = FrameExtentsPublished();
    SetWindowManagerHints(window, desc);
    // Without a context the window is of no use: it goes again, and the
    // caller is handed nothing.
    if (!CreateContext(window)) {
        DestroyWindow(window);
        return CreateResult::kNoContext;
    }
    out = window;
    return CreateResult::kOk;
}

void FailNextContextCreation() { failNextContext = true; }

void DestroyWindow(Window* window) {
    if (!window) return;
    Display* display = Dpy();
    if (window->context) {
        if (glXGetCurrentContext() == window->context) glXMakeCurrent(display, None, nullptr);
        glXDestroyContext(display, window->context);
    }
    if (window->hiddenCursor != None) XFreeCursor(display, window->hiddenCursor);
    if (!window->destroyedExternally && window->xid != None) XDestroyWindow(display, window->xid);
    if (window->colormap != None) XFreeColormap(display, window->colormap);
    UnregisterWindow(window);
    XFlush(display);
    delete window;
}

void* GetUserData(const Window* window) { return window ? window->user : nullptr; }

PixelFormat GetPixelFormat(const Window* window) { return DescribeFBConfig(window->config); }

void ShowWindow(Window* window, bool show) {
    if (!Usable(window)) return;
    if (show)
        XMapRaised(Dpy(), window->xid);
    else
        XUnmapWindow(Dpy(), window->xid);
    window->shown = show;
    window->minimized = false;
    XFlush(Dpy());
}

bool IsWindowShown(const Window* window) { return Usable(window) && window->shown; }

bool IsWindowMapped(const Window* window) { return Usable(window) && window->mapped; }

bool IsWindowMinimized(const Window* window) { return Usable(window) && window->minimized; }

void SetWindowTitle(Window* window, const char* title) {
    if (Usable(window)) XStoreName(Dpy(), window->xid, title ? title : "");
}

void SetWindowSize(Window* window, int width, int height) {
    if (!Usable(window)) return;
    XResizeWindow(Dpy(), window->xid, width > 0 ? width : 1, height > 0 ? height : 1);
    XFlush(Dpy());
}

void SetWindowPosition(Window* window, int x, int y) {
    if (!Usable(window)) return;
    XMoveWindow(Dpy(), window->xid, x, y);
    window->x = x;
    window->y = y;
    XFlush(Dpy());
}

void GetClientOrigin(const Window* window, int& x, int& y) {
    x = y = 0;
    if (!Usable(window)) return;
    ::Window child = None;
    if (!XTranslateCoordinates(Dpy(), window->xid, X11().root, 0, 0, &x, &y, &child)) x = y = 0;
}

void GetWindowPosition(const Window* window, int& x, int& y) {
    GetClientOrigin(window, x, y);
    if (!Usable(window) || !window->framePositions) return;
    int left = 0, top = 0;
    FrameExtents(window, left, top);
    x -= left;
    y -= top;
}

Rect GetWindowRect(const Window* window) {
    Rect rect;
    GetWindowPosition(window, rect.x, rect.y);
    rect.width = window ? window->width : 0;
    rect.height = window ? window->height : 0;
    return rect;
}

bool SetWindowTopmost(Window* window, bool topmost) {
    if (!Usable(window)) return false;
    if (WindowManagerRunning())
        SendWmState(window, X11().atoms.netWmStateAbove, topmost);
    else if (topmost)
        XRaiseWindow(Dpy(), window->xid);
    XFlush(Dpy());
    return true;
}

// With a window manager, full screen is a window state it implements;
// without one, the window simply covers the screen. Either way leaving it
// returns to the place and size saved on entry, not to wherever a manager
// would put the window: the frame's corner there, where the manager
// publishes its frames.
bool SetWindowFullscreen(Window* window, bool fullscreen, const Rect& restore) {
    if (!Usable(window)) return false;
    const bool managed = WindowManagerRunning();
    if (managed) SendWmState(window, X11().atoms.netWmStateFullscreen, fullscreen);
    if (!fullscreen) {
        XMoveResizeWindow(Dpy(), window->xid, restore.x, restore.y, restore.width > 0 ? restore.width : 1,
                          restore.height > 0 ? restore.height : 1);
    } else if (!managed) {
        int width = 0, height = 0;
        GetScreenSize(width, height);
        XMoveResizeWindow(Dpy(), window->xid, 0, 0, width, height);
    }
    window->fullscreen = fullscreen;
    XFlush(Dpy());
    return true;
}

void SetWindowCursor(Window* window, int kind) {
    if (!Usable(window)) return;
    static const unsigned kShapes[] = {0, XC_left_ptr, XC_crosshair, XC_watch};
    if (kind >= 1 && kind <= 3) {
        Cursor cursor = XCreateFontCursor(Dpy(), kShapes[kind]);
        XDefineCursor(Dpy(), window->xid, cursor);
        XFreeCursor(Dpy(), cursor);  // the window keeps its own reference
    } else {
        XDefineCursor(Dpy(), window->xid, HiddenCursor(window));
    }
    window->cursorKind = kind >= 1 && kind <= 3 ? kind : 0;
    XFlush(Dpy());
}

int DefinedCursor(const Window* window) { return window ? window->cursorKind : -1; }

void WarpPointer(int screenX, int screenY) {
    if (!X11().display) return;
    XWarpPointer(Dpy(), None, X11().root, 0, 0, 0, 0, screenX, screenY);
    XFlush(Dpy());
}

void CapturePointer(Window* window, bool capture) {
    if (!X11().display) return;
    if (capture && Usable(window)) {
        XGrabPointer(Dpy(), window->xid, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                     GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    } else if (!capture) {
        XUngrabPointer(Dpy(), CurrentTime);
    }
    XFlush(Dpy());
}

}  // namespace ondra::platform
