// BaselineLoop: the plainest Xlib/GLX frame loop.
#include "framework/platform/baseline_loop.h"

#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>

namespace ondra::platform {

struct BaselineLoop::State {
    Display* display = nullptr;
    ::Window window = None;
    Colormap colormap = None;
    GLXContext context = nullptr;
};

BaselineLoop::BaselineLoop(int width, int height) : state_(new State) {
    State& s = *state_;
    s.display = XOpenDisplay(nullptr);
    if (!s.display) return;
    const int screen = DefaultScreen(s.display);
    const int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8,
                              GLX_BLUE_SIZE, 8, GLX_DEPTH_SIZE, 24, None};
    XVisualInfo* visual = glXChooseVisual(s.display, screen, const_cast<int*>(attributes));
    if (!visual) return;
    const ::Window root = RootWindow(s.display, screen);
    s.colormap = XCreateColormap(s.display, root, visual->visual, AllocNone);
    XSetWindowAttributes wa{};
    wa.colormap = s.colormap;
    wa.event_mask = ExposureMask | StructureNotifyMask | KeyPressMask;
    s.window = XCreateWindow(s.display, root, 0, 0, width, height, 0, visual->depth, InputOutput, visual->visual,
                             CWColormap | CWEventMask, &wa);
    s.context = glXCreateContext(s.display, visual, nullptr, True);
    XFree(visual);
    XMapWindow(s.display, s.window);
    glXMakeCurrent(s.display, s.window, s.context);
}

BaselineLoop::~BaselineLoop() {
    State& s = *state_;
    if (s.display) {
        glXMakeCurrent(s.display, None, nullptr);
        if (s.context) glXDestroyContext(s.display, s.context);
        if (s.window) XDestroyWindow(s.display, s.window);
        if (s.colormap) XFreeColormap(s.display, s.colormap);
        XCloseDisplay(s.display);
    }
    delete state_;
}

bool BaselineLoop::ok() const { return state_->context != nullptr; }

namespace {

void ClearColour() { glClear(GL_COLOR_BUFFER_BIT); }

}  // namespace

void BaselineLoop::RunFrames(int frames) { RunFrames(frames, ClearColour); }

void BaselineLoop::RunFrames(int frames, void (*drawFrame)()) {
    State& s = *state_;
    glXMakeCurrent(s.display, s.window, s.context);
    for (int i = 0; i < frames; ++i) {
        while (XPending(s.display)) {
            XEvent event;
            XNextEvent(s.display, &event);
        }
        drawFrame();
        glXSwapBuffers(s.display, s.window);
    }
}

}  // namespace ondra::platform
