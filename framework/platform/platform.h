// The operating-system services the framework stands on.
//
// A port provides every function declared here for one window system; this
// tree has two, chosen when the build is configured: Xlib and GLX (the
// x11_* and glx_* files, the default) and Win32 and WGL (the win32_* and
// wgl_* files). Nothing
// outside framework/platform/ includes window-system headers: the framework
// sees windows as opaque handles, input as translated Events and GL contexts
// as opaque bindings.
//
// The port offers a few more services in headers of their own, for the few
// callers that need them:
//   capture.h          for Image: whether a GL context is current, the size
//                      of the window it draws to, and the screen's pixels
//                      (the image is built in framework/image/)
//   current_context.h  an opaque key of the current GL context, for code
//                      that keeps GL objects per context (3DS models)
//   inject.h           synthetic keyboard and mouse input and provoked
//                      faults, for tests and automation (input in the
//                      library ondra_inject)
//   baseline_loop.h    a frame loop written straight on Xlib and GLX, what
//                      the frame-loop benchmark measures the framework
//                      against (library ondra_baseline_loop)
#pragma once

#include <cstdint>

namespace ondra::platform {

struct Window;  // a top-level window with its GL context; owned by the port

// ---- Display connection -------------------------------------------------

// Connects to the display once; later calls return the first result. On
// failure the reason (naming $DISPLAY) has been written to standard error.
bool OpenDisplay();
bool IsDisplayOpen();
// Size of the screen in pixels (the display mode size).
void GetScreenSize(int& width, int& height);

// ---- Windows and their GL contexts --------------------------------------

constexpr int kDefaultPosition = INT32_MIN;

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
};

struct PixelFormat {
    int colorBits = 24;
    int alphaBits = 0;
    int depthBits = 32;
    int stencilBits = 0;
    int accumBits = 0;
    bool doubleBuffer = true;
    bool stereo = false;
};

struct WindowDesc {
    int x = kDefaultPosition;  // the outer corner, as SetWindowPosition
    int y = kDefaultPosition;
    int width = 320;  // client size
    int height = 240;
    const char* title = "";
    bool fullscreen = false;
    bool topmost = false;
    PixelFormat format;
    void* user = nullptr;  // handed back with every event of the window
};

enum class CreateResult { kOk, kNoWindow, kNoPixelFormat, kNoContext };

// Chooses the framebuffer configuration closest to desc.format, creates the
// (unmapped) window and a compatibility GL context for it. `window` is set
// only on success; a failure leaves nothing behind.
CreateResult CreateWindow(const WindowDesc& desc, Window*& window);
// Destroys the context and the window, and drops its pending events.
void DestroyWindow(Window* window);

void* GetUserData(const Window* window);
// What the chosen framebuffer configuration really provides.
PixelFormat GetPixelFormat(const Window* window);

void ShowWindow(Window* window, bool show);
// Shown, and not destroyed behind the framework's back.
bool IsWindowShown(const Window* window);
// Shown but minimised by the player (or, on X11, taken off the screen by
// the window manager): there is nothing to draw on.
bool IsWindowMinimized(const Window* window);
// The server has mapped the window and the port has handled that (so the
// window has asked for the input focus).
bool IsWindowMapped(const Window* window);
void SetWindowTitle(Window* window, const char* title);
void SetWindowSize(Window* window, int width, int height);  // client size
// Positions are the window's outer corner, its frame's, on the screen (on
// X11 where the window manager publishes its frames; where none does, the
// client area's, which is the outer corner when nothing frames it).
void SetWindowPosition(Window* window, int x, int y);
void GetWindowPosition(const Window* window, int& x, int& y);
// The top-left pixel of the client area on the screen.
void GetClientOrigin(const Window* window, int& x, int& y);
// Where the window is and how much it shows: its position as above and its
// client size.
Rect GetWindowRect(const Window* window);
bool SetWindowTopmost(Window* window, bool topmost);
// Covers the screen, or returns to `restore` (a GetWindowRect: the outer
// corner there, the client area that size).
bool SetWindowFullscreen(Window* window, bool fullscreen, const Rect& restore);

// Cursor kinds: 0 hidden, 1 arrow, 2 cross, 3 wait.
void SetWindowCursor(Window* window, int kind);
void WarpPointer(int screenX, int screenY);
void CapturePointer(Window* window, bool capture);

// ---- GL contexts ---------------------------------------------------------

// A (context, drawable) pair as saved on the framework's context stack.
struct Binding {
    void* context = nullptr;
    std::uintptr_t drawable = 0;
};

Binding GetCurrentBinding();
bool MakeCurrent(Window* window);
bool RestoreBinding(const Binding& binding);  // a null context releases
void SwapBuffers(Window* window);
// Sets the swap interval when the screen offers a swap-control extension.
bool SetSwapInterval(Window* window, int interval);

// ---- Bitmap fonts --------------------------------------------------------

// Whether the system gives a font for that pixel height and face: the face
// itself or, where it is not installed, the one the system's font mapper
// chooses in its place at that height. False for a height <= 0 or no face.
bool CanCreateFont(int height, const char* face);
// Records `count` glyphs starting at character `first` into the display
// lists listBase + first ... of the current context, from the font
// CanCreateFont names, or from the system font where it gives none.
bool BuildFontLists(int height, const char* face, int first, int count, unsigned listBase);

// ---- Events and input state ----------------------------------------------

enum class EventType {
    kClose,        // the window manager's close box
    kDestroyed,    // the window was destroyed behind the framework's back
    kExpose,       // part of the window needs repainting
    kResize,       // a = width, b = height
    kKeyDown,      // a = virtual-key code; auto-repeat repeats it
    kKeyUp,        // a = virtual-key code
    kMouseMove,    // a = x, b = y, client coordinates from the top row
    kButtonDown,   // a = x, b = y, button = 0 left, 1 middle, 2 right
    kButtonUp,
    kQuit,         // a = exit code: the system asked the loop to end (WM_QUIT)
    kCommand,      // a = the command's word (a menu item's id in its low half)
};

struct Event {
    EventType type;
    Window* window = nullptr;
    int a = 0;
    int b = 0;
    int button = 0;
    // The system's own message was already handed to Callbacks::message.
    bool observed = false;
};

// Takes the next translated event without blocking.
bool PollEvent(Event& event);

// Where the window system calls the program back from inside its own calls
// (Win32's window procedure), a port hands the framework some things at
// once rather than as queued events; the X11 port queues everything.
struct Callbacks {
    // Every message the system hands a window, before the port handles it,
    // with the system's own id and parameters.
    void (*message)(Window* window, unsigned id, std::uintptr_t wParam, std::intptr_t lParam) = nullptr;
    // Resizes and paints (kResize, kExpose), before the system's call
    // returns: Windows sends them while its modal loops run (the player
    // dragging or sizing the window), when the program's loop cannot.
    void (*event)(const Event& event) = nullptr;
    // One turn of the program's idle work, on a timer while such a modal
    // loop holds the thread, so frames keep coming.
    void (*idle)() = nullptr;
};
void SetCallbacks(const Callbacks& callbacks);
// Sends buffered requests to the display without waiting.
void Flush();

// ---- Messages -------------------------------------------------------------

// Shows a message to the user of a program without a console: a message
// box titled "Message" where the system has them, standard error elsewhere.
void ShowMessageBox(const char* text);

// Key state of the virtual-key code, kept from the events seen so far; every
// key counts as released once the application's windows lose the focus.
bool IsKeyDown(int virtualKey);

}  // namespace ondra::platform
