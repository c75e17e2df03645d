// WindowEx: the window's state and the operations that change it, creating
// and destroying a window with its GL context, the text font's display
// lists, and the message handler that turns window messages into GLWindow
// handler calls.
#include "framework/window_ex.h"

#include <GL/gl.h>

#include <cstdio>

#include "framework/context_stack.h"
#include "framework/glwindow.h"
#include "framework/main.h"
#include "framework/trace.h"

namespace ondra {

namespace {

constexpr int kFontGlyphs = 255;

}  // namespace

WindowEx::WindowEx(GLWindow* ownerWindow) : owner(ownerWindow) {}

WindowEx::~WindowEx() { Destroy(); }

bool WindowEx::Create() {
    platform::WindowDesc desc;
    desc.x = x;
    desc.y = y;
    desc.width = width == kUseDefault ? 640 : width;
    desc.height = height == kUseDefault ? 480 : height;
    desc.title = title.c_str();
    desc.topmost = topmost;
    desc.format = format;
    desc.user = this;
    desc.fullscreen = fullscreenRequested;
    // Where a full-screen window returns to: the outer corner at (0, 0) and
    // the client size asked for, read before the system's first resize.
    const platform::Rect framed{0, 0, width == kUseDefault ? 320 : width, height == kUseDefault ? 240 : height};
    Trace("WM_NCCREATE(pWindowEx=0x%08lX)\n", TracePointer(this));

    platform::Window* window = nullptr;
    switch (platform::CreateWindow(desc, window)) {
        case platform::CreateResult::kOk:
            break;
        case platform::CreateResult::kNoWindow:
            std::printf("Failed to create window\n");
            return false;
        case platform::CreateResult::kNoPixelFormat:
            std::printf("Failed to set pixel format\n");
            return false;
        case platform::CreateResult::kNoContext:
            std::printf("Failed to create GL context\n");
            return false;
    }
    hwnd = window;
    // Bound, not pushed: a push here would never be popped, and every window
    // created (each pixel-format change recreates one) would leave the
    // stack a level deeper until it overflowed.
    if (!context_stack::Bind(hwnd)) {
        std::printf("Failed to make GL context current\n");
        Release();
        return false;
    }
    if (fullscreenRequested) {
        savedRect = framed;
        fullscreen = true;
    }
    // The context stays current: OnResize and OnCreate find it so.
    // Even the arrow is set: a window without a cursor of its own shows
    // whatever the root window shows.
    platform::SetWindowCursor(hwnd, cursorKind);
    if (visible) platform::ShowWindow(hwnd, true);
    const platform::Rect client = platform::GetWindowRect(hwnd);
    width = client.width;
    height = client.height;
    Send(MSG_SIZE, 0, MakeLParam(width, height));
    Post(MSG_CREATE_WINDOW);
    return true;
}

// The owner hears OnDestroy whatever the window's state, even when it was
// never created: its handler is where it lets go of what it holds.
void WindowEx::Destroy() {
    const bool current = MakeCurrent(true);
    owner->OnDestroy();
    if (fontListBase && current) glDeleteLists(fontListBase, kFontGlyphs);
    fontListBase = 0;
    if (current) MakeCurrent(false);
    if (!hwnd) return;
    if (!fullscreen) {
        const platform::Rect rect = platform::GetWindowRect(hwnd);
        if (platform::IsWindowShown(hwnd)) {
            x = rect.x;
            y = rect.y;
        }
    }
    Release();
}

void WindowEx::Release() {
    if (Main* main = Main::Existing()) main->Queue().DropMessagesFor(hwnd);
    platform::DestroyWindow(hwnd);
    hwnd = nullptr;
    updatePending = false;
    createHandled = false;
}

bool WindowEx::Recreate() {
    if (hwnd) Destroy();
    return Create();
}

// A push that cannot make the context current is undone at once, so the
// caller that gets false has nothing to pop and the stack stays balanced.
bool WindowEx::MakeCurrent(bool on) {
    if (!on) {
        context_stack::Pop();
        return true;
    }
    if (context_stack::Push(hwnd)) return true;
    context_stack::Pop();
    return false;
}

bool WindowEx::Show() {
    if (IsLive()) {
        platform::ShowWindow(hwnd, true);
        return true;
    }
    visible = true;
    return Create();
}

void WindowEx::Hide() {
    if (IsLive())
        platform::ShowWindow(hwnd, false);
    else
        visible = false;
}

void WindowEx::SetClientSize(int newWidth, int newHeight) {
    if (IsLive()) platform::SetWindowSize(hwnd, newWidth, newHeight);
    width = newWidth;
    height = newHeight;
}

void WindowEx::SetPosition(int newX, int newY) {
    if (IsLive()) platform::SetWindowPosition(hwnd, newX, newY);
    x = newX;
    y = newY;
}

void WindowEx::GetPosition(int& outX, int& outY) const {
    if (IsLive()) {
        platform::GetWindowPosition(hwnd, outX, outY);
    } else {
        outX = x;
        outY = y;
    }
}

// Before the window exists nothing frames it yet.
void WindowEx::GetClientOrigin(int& outX, int& outY) const {
    if (IsLive())
        platform::GetClientOrigin(hwnd, outX, outY);
    else
        GetPosition(outX, outY);
}

void WindowEx::SetTitle(const char* newTitle) {
    title = newTitle;
    if (IsLive()) platform::SetWindowTitle(hwnd, newTitle);
}

bool WindowEx::SetTopmost(bool on) {
    if (IsLive() && !platform::SetWindowTopmost(hwnd, on)) return false;
    topmost = on;
    return true;
}

bool WindowEx::SetCursor(int kind) {
    const bool wasShown = cursorKind >= 1 && cursorKind <= 3;
    cursorKind = kind >= 1 && kind <= 3 ? kind : 0;
    if (IsLive()) platform::SetWindowCursor(hwnd, cursorKind);
    return wasShown;
}

bool WindowEx::SetFullscreen(bool on) {
    if (!IsLive()) {
        fullscreenRequested = on;
        return true;
    }
    if (on == fullscreen) return true;
    if (on) savedRect = platform::GetWindowRect(hwnd);
    if (!platform::SetWindowFullscreen(hwnd, on, savedRect)) return false;
    fullscreen = fullscreenRequested = on;
    return true;
}

bool WindowEx::RequestFormat(const platform::PixelFormat& wanted) {
    const platform::PixelFormat previous = format;
    format = wanted;
    if (!IsLive() || Recreate()) return true;
    format = previous;
    Recreate();
    return false;
}

bool WindowEx::SetFont(int pixelHeight, const char* face) {
    fontChanged = true;
    if (pixelHeight > 0 && face && *face) {
        fontHeight = pixelHeight;
        fontFace = face;
        if (platform::CanCreateFont(pixelHeight, face)) return true;
    }
    fontHeight = 0;
    fontFace.clear();
    return false;
}

// The lists belong to the context they were recorded in; a current
// context that does not know them gets lists of its own.
unsigned WindowEx::FontLists() {
    if (fontChanged) {
        if (fontListBase && glIsList(fontListBase)) glDeleteLists(fontListBase, kFontGlyphs);
        fontListBase = 0;
        fontChanged = false;
    }
    if (fontListBase == 0 || !glIsList(fontListBase)) {
        fontListBase = glGenLists(kFontGlyphs);
        if (fontListBase == 0) return 0;
        if (!platform::BuildFontLists(fontHeight, fontFace.c_str(), 0, kFontGlyphs, fontListBase)) {
            glDeleteLists(fontListBase, kFontGlyphs);
            fontListBase = 0;
        }
    }
    return fontListBase;
}

// A minimised window has nothing to draw on: its paints wait until it is
// back. Nor is anything drawn before OnCreate ran, however early the
// system asks (Windows paints a window from inside the loop's first pump,
// before the queued create message).
bool WindowEx::NeedsPaint() const {
    return updatePending && createHandled && platform::IsWindowShown(hwnd) && !platform::IsWindowMinimized(hwnd);
}

void WindowEx::Send(unsigned id, WParam wParam, LParam lParam) { HandleMessage(Message{hwnd, id, wParam, lParam}); }

void WindowEx::Post(unsigned id, WParam wParam, LParam lParam) {
    Main::Instance()->Queue().Post(Message{hwnd, id, wParam, lParam});
}

void WindowEx::HandleMessage(const Message& message) {
    if (!message.observed) owner->OnWindowMessage(message.window, message.id, message.wParam, message.lParam);
    switch (message.id) {
        case MSG_SIZE:
            OnSize(message.lParam);
            break;
        case MSG_PAINT:
            OnPaint();
            break;
        case MSG_CLOSE:
            OnClose(message.wParam);
            break;
        case MSG_KEYDOWN:
        case MSG_KEYUP:
            owner->OnKeyboard(static_cast<int>(message.wParam), message.id == MSG_KEYDOWN);
            break;
        case MSG_COMMAND:
            // Notifications from controls carry a code in the high word.
            if (message.wParam <= 0xFFFF) owner->OnMenu(static_cast<int>(message.wParam & 0xFFFF));
            break;
        case MSG_MOUSEMOVE:
            OnMouseMove(message.lParam);
            break;
        case MSG_LBUTTONDOWN:
        case MSG_LBUTTONUP:
        case MSG_MBUTTONDOWN:
        case MSG_MBUTTONUP:
        case MSG_RBUTTONDOWN:
        case MSG_RBUTTONUP:
            OnMouseButton(message.id, message.lParam);
            break;
        case MSG_CREATE_WINDOW:
            OnCreateMessage();
            break;
        case MSG_DESTROY:
            // Destroyed behind our back: without its main window the loop
            // could never see a close, so end it as a close would.
            if (Main::Instance()->GetMainWnd() == this) Main::Instance()->Queue().PostQuit(0);
            break;
        default:
            break;
    }
}

void WindowEx::OnSize(LParam lParam) {
    width = LowWord(lParam);
    height = HighWord(lParam);
    if (MakeCurrent(true)) {
        owner->OnResize(width, height);
        MakeCurrent(false);
    }
}

void WindowEx::OnPaint() {
    if (!updatePending) return;
    updatePending = false;
    if (MakeCurrent(true)) {
        owner->OnDisplay();
        MakeCurrent(false);
    } else {
        Trace("can't makecurrent\n");
    }
}

// Closing the main window ends the message loop; the window disappears at
// once but keeps its context until it is destroyed, so OnDestroy can still
// release GL resources. Other windows only hide.
void WindowEx::OnClose(WParam exitCode) {
    Main* main = Main::Instance();
    if (main->GetMainWnd() == this) {
        main->Queue().PostQuit(static_cast<int>(exitCode));
        platform::ShowWindow(hwnd, false);
    } else {
        owner->Hide();
    }
}

void WindowEx::OnMouseMove(LParam lParam) {
    if (MakeCurrent(true)) {
        owner->OnMouseMove(SignedLowWord(lParam), height - SignedHighWord(lParam) - 1);
        MakeCurrent(false);
    }
}

void WindowEx::OnMouseButton(unsigned id, LParam) {
    if (!MakeCurrent(true)) return;
    const bool down = id == MSG_LBUTTONDOWN || id == MSG_MBUTTONDOWN || id == MSG_RBUTTONDOWN;
    const int button = (id == MSG_LBUTTONDOWN || id == MSG_LBUTTONUP) ? 0
                       : (id == MSG_MBUTTONDOWN || id == MSG_MBUTTONUP) ? 1
                                                                         : 2;
    platform::CapturePointer(hwnd, down);
    owner->OnMouseButton(button, down);
    MakeCurrent(false);
}

void WindowEx::OnCreateMessage() {
    Trace("WM_CREATE(hwnd=%lX, wndex=%lX)\n", TracePointer(hwnd),
          TracePointer(this));
    if (inOnCreate) {
        Trace("warning: create message received during OnCreate\n");
        return;
    }
    inOnCreate = true;
    if (MakeCurrent(true)) {
        owner->OnCreate();
        MakeCurrent(false);
    }
    inOnCreate = false;
    createHandled = true;
}

}  // namespace ondra
