// GLWindow: a top-level window with its own OpenGL context, whose events
// become calls of virtual handlers. Every handler that may issue GL calls
// runs with the window's context current.
#pragma once

#include "framework/keys.h"
#include "framework/messages.h"

#include "framework/printf_check.h"

namespace ondra {

class WindowEx;
namespace platform {
struct PixelFormat;
}

class GLWindow {
public:
    GLWindow();
    virtual ~GLWindow();

    GLWindow(const GLWindow&) = delete;
    GLWindow& operator=(const GLWindow&) = delete;

    // Handlers, in the framework's order.
    virtual void OnCreate();
    virtual void OnDestroy();
    virtual void OnDisplay();
    virtual void OnResize(int width, int height);
    virtual void OnMouseButton(int button, bool down);  // 0 left, 1 middle, 2 right
    virtual void OnMouseMove(int x, int y);             // y = 0 on the bottom row
    // Letters and digits arrive as the user's layout labels the key (on a
    // German keyboard the key right of T gives 'Z'); Alt, keys pressed or
    // released while Alt is held, and F10 are the window system's and never
    // arrive. Held keys repeat as further key-downs.
    virtual void OnKeyboard(int virtualKey, bool down);
    virtual void OnMenu(int commandId);
    virtual void OnIdle() {}
    // Sees every message before the framework handles it.
    virtual void OnWindowMessage(WindowHandle window, unsigned id, WParam wParam, LParam lParam);

    void SwapBuffers();
    // Asks for a repaint: OnDisplay runs once the queue is otherwise empty.
    void Redraw();
    bool Show();
    void Hide();
    bool IsVisible() const;
    void Close();
    // Queues a message for this window, as the window system would.
    void PostMessage(unsigned id, WParam wParam = 0, LParam lParam = 0);

    void SetSize(int width, int height);
    // Positions are the window's outer corner, frame included.
    void SetPosition(int x, int y);
    void GetPosition(int& x, int& y) const;
    // The screen position of the client area's top-left pixel, for turning
    // window coordinates into screen ones (placing the pointer).
    void GetClientOrigin(int& x, int& y) const;
    int Width() const;
    int Height() const;
    double GetAspect() const;
    bool SetTitle(const char* title);
    const char* GetTitle() const;
    bool SetTopmost(bool topmost);
    bool IsTopmost() const;
    // 0 hidden, 1 arrow, 2 cross, 3 wait; returns whether a cursor showed.
    bool SetCursor(int kind);
    int GetCursor() const;
    WindowHandle GetHWND() const;

    // Pushes (true) or pops (false) the window's context on the framework's
    // context stack. A push that cannot make the context current (a window
    // not created yet) returns false and leaves the stack as it was.
    bool MakeCurrent(bool on);
    bool IsExtensionSupported(const char* name);
    bool SetFullscreen(bool on);
    bool IsFullscreen() const;
    bool MakeMainWindow();
    bool IsMainWindow() const;
    // Sets the buffer swap interval where the display supports it.
    bool SetSwapInterval(int interval);

    bool SetDepthBits(int bits);
    bool SetStencilBits(int bits);
    bool SetAlphaBits(int bits);
    bool SetAccumBits(int bits);
    int GetDepthBits() const;
    int GetStencilBits() const;
    int GetAlphaBits() const;
    int GetAccumBits() const;
    bool SetDoubleBuffer(bool on);
    bool SetStereo(bool on);
    bool GetDoubleBuffer() const;
    bool GetStereo() const;

    // Text in the window's GL scene at the current raster position.
    bool SetFont(int height, const char* face);
    int Printf(const char* format, ...) ONDRA_PRINTF(2, 3);

private:
    bool SetBits(int platform::PixelFormat::*field, int bits, int (GLWindow::*getter)() const);
    bool SetModeFlag(bool platform::PixelFormat::*field, bool on, bool (GLWindow::*getter)() const);
    bool RefusedDuringOnCreate() const;
    int DrawText(const char* text);

    WindowEx* extra;
};

}  // namespace ondra
