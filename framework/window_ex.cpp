// WindowEx: creating and destroying a window with its GL context, and the
// message handler that turns window messages into GLWindow handler calls.
#include "framework/window_ex.h"

#include <GL/gl.h>

#include <cstdio>

#include "framework/context_stack.h"
#include "framework/glwindow.h"
#include "framework/main.h"
#include "framework/trace.h"

namespace ondra {

WindowEx::WindowEx(GLWindow* ownerWindow) : owner(ownerWindow) {}

WindowEx::~WindowEx() { Destroy(); }

platform::PixelFormat WindowEx::RequestedFormat() const {
    platform::PixelFormat format;
    format.colorBits = colorBits;
    format.alphaBits = alphaBits;
    format.depthBits = depthBits;
    format.stencilBits = stencilBits;
    format.accumBits = accumBits;
    format.doubleBuffer = doubleBuffer;
    format.stereo = stereo;
    return format;
}

bool WindowEx::Create() {
    platform::WindowDesc desc;
    desc.x = x;
    desc.y = y;
    desc.width = width == kUseDefault ? 640 : width;
    desc.height = height == kUseDefault ? 480 : height;
    desc.title = title.c_str();
    desc.topmost = topmost;
    desc.format = RequestedFormat();
    desc.user = this;
    if (fullscreenRequested) {
        desc.fullscreen = true;
        savedRect = {0, 0, width == kUseDefault ? 320 : width, height == kUseDefault ? 240 : height};
        fullscreen = true;
    }
    Trace("WM_NCCREATE(pWindowEx=0x%08lX)\n", reinterpret_cast<unsigned long>(this));

    const platform::CreateResult result = platform::CreateWindow(desc, hwnd);
    switch (result) {
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
    if (!MakeCurrent(true)) {
        std::printf("Failed to make GL context current\n");
        return false;
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
    if (fontListBase && current) glDeleteLists(fontListBase, 255);
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
    if (Main* main = Main::Existing()) main->Queue().DropMessagesFor(hwnd);
    platform::DestroyWindow(hwnd);
    hwnd = nullptr;
    updatePending = false;
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

bool WindowEx::NeedsPaint() const { return updatePending && platform::IsWindowShown(hwnd); }

void WindowEx::Send(unsigned id, WParam wParam, LParam lParam) { HandleMessage(Message{hwnd, id, wParam, lParam}); }

void WindowEx::Post(unsigned id, WParam wParam, LParam lParam) {
    Main::Instance()->Queue().Post(Message{hwnd, id, wParam, lParam});
}

void WindowEx::HandleMessage(const Message& message) {
    owner->OnWindowMessage(message.window, message.id, message.wParam, message.lParam);
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
    Trace("WM_CREATE(hwnd=%lX, wndex=%lX)\n", reinterpret_cast<unsigned long>(hwnd),
          reinterpret_cast<unsigned long>(this));
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
}

}  // namespace ondra
