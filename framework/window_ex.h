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

    // A failed creation says why on standard output and leaves the record
    // as it was before: not live, with no window and no context.
    bool Create();
    void Destroy();
    bool Recreate();
    bool IsLive() const { return hwnd != nullptr; }

    GLWindow* Owner() const { return owner; }
    WindowHandle Handle() const { return hwnd; }

    // The message handler: every message for the window passes here, and
    // reaches OnWindowMessage first unless it already did.
    void HandleMessage(const Message& message);
    // Sends a message to the handler at once, bypassing the queue.
    void Send(unsigned id, WParam wParam = 0, LParam lParam = 0);
    void Post(unsigned id, WParam wParam = 0, LParam lParam = 0);

    bool MakeCurrent(bool on);
    void Invalidate() { updatePending = true; }
    bool NeedsPaint() const;
    bool InOnCreate() const { return inOnCreate; }

    // Each setter stores the value and, on a live window, applies it.
    bool Show();  // creates the window when it is not live
    void Hide();
    void SetClientSize(int width, int height);
    int Width() const { return width; }
    int Height() const { return height; }
    // The outer corner, frame included.
    void SetPosition(int x, int y);
    void GetPosition(int& x, int& y) const;
    // The client area's top-left pixel on the screen.
    void GetClientOrigin(int& x, int& y) const;
    void SetTitle(const char* title);
    const char* Title() const { return title.c_str(); }
    bool SetTopmost(bool on);
    bool IsTopmost() const { return topmost; }
    // Returns whether a cursor showed before.
    bool SetCursor(int kind);
    int CursorKind() const { return cursorKind; }
    bool SetFullscreen(bool on);
    bool IsFullscreen() const { return fullscreen; }

    const platform::PixelFormat& RequestedFormat() const { return format; }
    // A live window is recreated with the new format; when that fails the
    // previous format comes back, with a window of its own, and the result
    // is false.
    bool RequestFormat(const platform::PixelFormat& wanted);

    // Chooses the font of the text output: the face at that height, or the
    // system's choice in its place; false (and the system font) when the
    // system gives no font for them.
    bool SetFont(int pixelHeight, const char* face);
    // The first of the display lists that hold the font's glyphs in the
    // current context, recorded on first use and again after SetFont; 0
    // when they cannot be made.
    unsigned FontLists();

private:
    void Release();
    void OnSize(LParam lParam);
    void OnPaint();
    void OnClose(WParam exitCode);
    void OnMouseMove(LParam lParam);
    void OnMouseButton(unsigned id, LParam lParam);
    void OnCreateMessage();

    GLWindow* owner;
    WindowHandle hwnd = nullptr;
    int x = kUseDefault, y = kUseDefault;
    int width = 320, height = 240;
    platform::PixelFormat format;
    std::string title = "OpenGL";
    int fontHeight = 0;
    std::string fontFace;
    bool fontChanged = false;
    bool visible = true;
    bool fullscreenRequested = false;
    bool fullscreen = false;
    bool topmost = false;
    platform::Rect savedRect;  // while full screen: the outer corner, the client size
    bool inOnCreate = false;
    unsigned fontListBase = 0;
    int cursorKind = 1;
    bool updatePending = false;
    bool createHandled = false;  // the create message ran: paints may come
};

}  // namespace ondra
