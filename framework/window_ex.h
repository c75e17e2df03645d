// WindowEx: the private record behind a GLWindow. It holds the window's
// state, creates and destroys the platform window with its GL context, and
// turns window messages into the GLWindow's virtual handlers.
#pragma once

#include <string>

#include "framework/messages.h"
#include "framework/platform/platform.h"

namespace ondra {

class GLWindow;

constexpr int kUseDefault = platform::kDefaultPosition;

class WindowEx {
public:
    explicit WindowEx(GLWindow* owner);
    virtual ~WindowEx();

    WindowEx(const WindowEx&) = delete;
    WindowEx& operator=(const WindowEx&) = delete;

    bool Create();
    void Destroy();
    bool Recreate();
    bool IsLive() const { return hwnd != nullptr; }

    // The message handler: every message for the window passes here.
    void HandleMessage(const Message& message);
    // Sends a message to the handler at once, bypassing the queue.
    void Send(unsigned id, WParam wParam = 0, LParam lParam = 0);
    void Post(unsigned id, WParam wParam = 0, LParam lParam = 0);

    bool MakeCurrent(bool on);
    void Invalidate() { updatePending = true; }
    bool NeedsPaint() const;

    platform::PixelFormat RequestedFormat() const;

    GLWindow* owner;
    WindowHandle hwnd = nullptr;
    int x = kUseDefault, y = kUseDefault;
    int width = 320, height = 240;
    bool doubleBuffer = true;
    bool stereo = false;
    int colorBits = 24;
    int depthBits = 32;
    int stencilBits = 0;
    int alphaBits = 0;
    int accumBits = 0;
    std::string title = "OpenGL";
    int fontHeight = 0;
    std::string fontFace;
    bool fontChanged = false;
    bool visible = true;
    bool fullscreenRequested = false;
    bool fullscreen = false;
    bool topmost = false;
    platform::Rect savedRect;
    bool inOnCreate = false;
    unsigned fontListBase = 0;
    int cursorKind = 1;
    bool updatePending = false;

private:
    void OnSize(LParam lParam);
    void OnPaint();
    void OnClose(WParam exitCode);
    void OnMouseMove(LParam lParam);
    void OnMouseButton(unsigned id, LParam lParam);
    void OnCreateMessage();
};

}  // namespace ondra
