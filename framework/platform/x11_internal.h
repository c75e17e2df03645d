// State shared by the X11/GLX port's files: the display connection, its
// atoms and the per-window record. Only the port includes this header.
#pragma once

#include <GL/glx.h>
#include <X11/Xlib.h>

#include "framework/platform/platform.h"

namespace ondra::platform {

struct Atoms {
    Atom wmProtocols = None;
    Atom wmDeleteWindow = None;
    Atom netWmState = None;
    Atom netWmStateFullscreen = None;
    Atom netWmStateAbove = None;
    Atom netSupportingWmCheck = None;
    Atom netSupported = None;
    Atom netFrameExtents = None;
};

struct X11State {
    Display* display = nullptr;
    int screen = 0;
    ::Window root = None;
    Atoms atoms;
    bool detectableAutoRepeat = false;
};

// The connection, valid once OpenDisplay succeeded.
X11State& X11();

struct Window {
    ::Window xid = None;
    Colormap colormap = None;
    GLXFBConfig config = nullptr;
    GLXContext context = nullptr;
    unsigned long contextSerial = 0;  // never reused; see CurrentContextKey
    Cursor hiddenCursor = None;
    int cursorKind = -1;  // last defined with SetWindowCursor; -1 none: the root's shows
    void* user = nullptr;
    bool shown = false;
    bool mapped = false;  // the server has reported the window mapped
    bool minimized = false;  // unmapped by the window manager while shown
    bool destroyedExternally = false;
    bool fullscreen = false;
    // Positions given and reported are the frame's: the window manager
    // publishes how far its frame reaches around the window.
    bool framePositions = false;
    int x = 0, y = 0;           // last known position of the client area
    int width = 0, height = 0;  // last size reported to the framework
};

// Window records by X id, for routing events; entries leave on destruction.
Window* FindWindow(::Window xid);
Window* FindWindowByContext(const void* context);
void RegisterWindow(Window* window);
void UnregisterWindow(Window* window);

// True while a window manager that follows the EWMH conventions runs.
bool WindowManagerRunning();
// True while that manager also publishes its frames (_NET_FRAME_EXTENTS).
bool FrameExtentsPublished();

// Keyboard: the virtual-key code of an X keycode, by the key's place on the
// keyboard for letters and digits and by its symbol for everything else.
int VirtualKeyFromKeycode(unsigned keycode);  // by the key's place
// By the letter or digit the current layout prints on the key; `state` is
// the key event's modifier and group state.
int LabelledVirtualKey(unsigned keycode, unsigned state);
void RefreshKeyboardMap();
void SetKeyState(int virtualKey, bool down);
void ReleaseAllKeys();

// GLX: the framebuffer configuration closest to the request, or null.
GLXFBConfig ChooseFBConfig(const PixelFormat& request);
PixelFormat DescribeFBConfig(GLXFBConfig config);

}  // namespace ondra::platform
