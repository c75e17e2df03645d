// The X display connection: opening it once, the error handlers, atoms, the
// screen size and the registry that routes events to window records.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <unordered_map>

#include "framework/platform/x11_internal.h"

namespace ondra::platform {
namespace {

X11State state;
bool attempted = false;
std::unordered_map<::Window, Window*> windowsById;

// Xlib's default handler ends the process on any protocol error; a failed
// request (a window destroyed behind our back, a refused grab) should only
// be reported.
int ReportXError(Display* display, XErrorEvent* error) {
    char text[256] = "";
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "X error: %s (request %d.%d, resource 0x%lx)\n", text,
                 error->request_code, error->minor_code, error->resourceid);
    return 0;
}

// Xlib cannot go on after losing the connection; say so before it exits.
int ReportXIOError(Display*) {
    std::fprintf(stderr, "X connection lost: the display server closed the connection\n");
    std::exit(1);
}

void InternAtoms(Display* display, Atoms& atoms) {
    atoms.wmProtocols = XInternAtom(display, "WM_PROTOCOLS", False);
    atoms.wmDeleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    atoms.netWmState = XInternAtom(display, "_NET_WM_STATE", False);
    atoms.netWmStateFullscreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
    atoms.netWmStateAbove = XInternAtom(display, "_NET_WM_STATE_ABOVE", False);
    atoms.netSupportingWmCheck = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    atoms.netSupported = XInternAtom(display, "_NET_SUPPORTED", False);
    atoms.netFrameExtents = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
}

// A busy server refuses connections for a moment when its backlog is full
// (as Xvfb does while many clients start at once), and has been seen to
// close a new connection before answering it, which leaves no system
// error at all. Those are worth a few more tries, over about five seconds;
// a server that is not there (ENOENT, ECONNREFUSED) or no DISPLAY is not.
bool WorthRetrying(int error) {
    const char* name = std::getenv("DISPLAY");
    return name && *name && (error == EAGAIN || error == ECONNRESET || error == 0);
}

// Whether `name` has the form of a display name, [HOST]:NUMBER[.SCREEN]:
// Xlib gives up on any other without a word or a system error.
bool IsDisplayName(const std::string& name) {
    const size_t colon = name.rfind(':');
    if (colon == std::string::npos || colon + 1 == name.size()) return false;
    const size_t dot = name.find('.', colon);
    const std::string number = name.substr(colon + 1, dot == std::string::npos ? std::string::npos : dot - colon - 1);
    const std::string screen = dot == std::string::npos ? "0" : name.substr(dot + 1);
    const auto digits = [](const std::string& text) {
        return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
    };
    return digits(number) && digits(screen);
}

// What follows the display's name in the message that no display could be
// opened: why, as far as can be told.
std::string WhyNoDisplay(const char* name, int reason) {
    if (!name) return " (DISPLAY is not set)";
    if (!*name) return " (DISPLAY is empty)";
    if (!IsDisplayName(name)) return ": not a display name (HOST:NUMBER or :NUMBER, such as :0)";
    if (reason) return std::string(": ") + std::strerror(reason);
    return ": the server refused the connection";
}

Display* ConnectWithRetries() {
    errno = 0;
    Display* display = XOpenDisplay(nullptr);
    for (int attempt = 1; !display && attempt <= 8 && WorthRetrying(errno); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10 << attempt));
        errno = 0;
        display = XOpenDisplay(nullptr);
    }
    return display;
}

}  // namespace

X11State& X11() { return state; }

bool OpenDisplay() {
    if (attempted) return state.display != nullptr;
    attempted = true;

    XSetErrorHandler(ReportXError);
    XSetIOErrorHandler(ReportXIOError);
    Display* display = ConnectWithRetries();
    if (!display) {
        // The system's reason, when it gave one, tells a missing server from
        // a busy one.
        const int reason = errno;
        const char* name = std::getenv("DISPLAY");
        std::fprintf(stderr, "Cannot open X display \"%s\"%s\n", name ? name : "",
                     WhyNoDisplay(name, reason).c_str());
        return false;
    }
    state.display = display;
    state.screen = DefaultScreen(display);
    state.root = RootWindow(display, state.screen);
    InternAtoms(display, state.atoms);

    // Held keys then repeat as presses without releases in between.
    Bool supported = False;
    XkbSetDetectableAutoRepeat(display, True, &supported);
    state.detectableAutoRepeat = supported == True;
    RefreshKeyboardMap();
    return true;
}

bool IsDisplayOpen() { return state.display != nullptr; }

void GetScreenSize(int& width, int& height) {
    if (!state.display) {
        width = height = 0;
        return;
    }
    width = DisplayWidth(state.display, state.screen);
    height = DisplayHeight(state.display, state.screen);
}

bool WindowManagerRunning() {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(state.display, state.root, state.atoms.netSupportingWmCheck, 0, 1,
                                          False, XA_WINDOW, &type, &format, &count, &remaining, &data);
    const bool running = status == Success && type == XA_WINDOW && count == 1;
    if (data) XFree(data);
    return running;
}

bool FrameExtentsPublished() {
    if (!state.display || !WindowManagerRunning()) return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(state.display, state.root, state.atoms.netSupported, 0, 4096, False,
                                          XA_ATOM, &type, &format, &count, &remaining, &data);
    bool published = false;
    if (status == Success && type == XA_ATOM && format == 32) {
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count && !published; ++i) published = atoms[i] == state.atoms.netFrameExtents;
    }
    if (data) XFree(data);
    return published;
}

void ShowMessageBox(const char* text) {
    std::fputs(text, stderr);
    std::fflush(stderr);
}

void Flush() {
    if (state.display) XFlush(state.display);
}

Window* FindWindow(::Window xid) {
    const auto found = windowsById.find(xid);
    return found == windowsById.end() ? nullptr : found->second;
}

Window* FindWindowByContext(const void* context) {
    if (!context) return nullptr;
    for (const auto& entry : windowsById)
        if (entry.second->context == context) return entry.second;
    return nullptr;
}

void RegisterWindow(Window* window) { windowsById[window->xid] = window; }

void UnregisterWindow(Window* window) { windowsById.erase(window->xid); }

}  // namespace ondra::platform
