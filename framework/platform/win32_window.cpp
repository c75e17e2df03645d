// Win32 windows of the class GLAppWnd: creation with the pixel format and
// a WGL context, showing, moving, sizing, full screen, the topmost state
// and the cursor.
#include <GL/gl.h>

#include <cstdio>

#include "framework/platform/inject.h"
#include "framework/platform/win32_internal.h"

namespace ondra::platform {
namespace {

bool failNextContext = false;  // see FailNextContextCreation

bool Usable(const Window* window) { return window && window->hwnd && !window->destroyedExternally; }

HCURSOR SystemCursor(int kind) {
    switch (kind) {
        case 1: return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        case 2: return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_CROSS));
        case 3: return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
        default: return nullptr;
    }
}

struct Placement {
    DWORD style = kFramedStyle;
    DWORD exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
    int width = CW_USEDEFAULT, height = CW_USEDEFAULT;  // outer size
};

// Full screen is a borderless popup covering the screen; otherwise the
// outer size is what the requested client size needs with the frame.
Placement PlacementFor(const WindowDesc& desc) {
    Placement p;
    if (desc.topmost) p.exStyle |= WS_EX_TOPMOST;
    if (desc.fullscreen) {
        p.style = kFullscreenStyle;
        p.x = p.y = 0;
        GetScreenSize(p.width, p.height);
        return p;
    }
    RECT outer = {0, 0, desc.width > 0 ? desc.width : 1, desc.height > 0 ? desc.height : 1};
    AdjustWindowRectEx(&outer, p.style, FALSE, p.exStyle);
    p.width = outer.right - outer.left;
    p.height = outer.bottom - outer.top;
    if (desc.x != kDefaultPosition) p.x = desc.x;
    if (desc.y != kDefaultPosition) p.y = desc.y;
    return p;
}

// Everything after the window exists; false leaves the window for the
// caller to destroy.
CreateResult AttachContext(Window* window, const PixelFormat& format) {
    window->hdc = GetDC(window->hwnd);
    if (!window->hdc || !SetPixelFormatFor(window, format)) return CreateResult::kNoPixelFormat;
    if (!failNextContext) window->context = wglCreateContext(window->hdc);
    failNextContext = false;
    if (!window->context) return CreateResult::kNoContext;
    static unsigned long contextsCreated = 0;
    window->contextSerial = ++contextsCreated;
    return CreateResult::kOk;
}

}  // namespace

RECT OuterRect(HWND hwnd, const Rect& client) {
    RECT rect = {client.x, client.y, client.x + client.width, client.y + client.height};
    AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_EXSTYLE)));
    return rect;
}

// The window procedure stores `window` in the window on WM_NCCREATE, so
// that every message, the first ones included, finds its record.
CreateResult CreateWindow(const WindowDesc& desc, Window*& out) {
    out = nullptr;
    if (!RegisterWindowClass()) return CreateResult::kNoWindow;
    auto* window = new Window;
    window->user = desc.user;
    window->fullscreen = desc.fullscreen;
    const Placement p = PlacementFor(desc);
    window->hwnd = CreateWindowExA(p.exStyle, kWindowClass, desc.title ? desc.title : "", p.style, p.x, p.y,
                                   p.width, p.height, nullptr, nullptr, Instance(), window);
    if (!window->hwnd) {
        delete window;
        return CreateResult::kNoWindow;
    }
    RegisterWindow(window);
    RECT client{};
    GetClientRect(window->hwnd, &client);
    window->width = client.right;
    window->height = client.bottom;
    const CreateResult result = AttachContext(window, desc.format);
    if (result != CreateResult::kOk) {
        DestroyWindow(window);
        return result;
    }
    out = window;
    return CreateResult::kOk;
}

void FailNextContextCreation() { failNextContext = true; }

void DestroyWindow(Window* window) {
    if (!window) return;
    if (window->context) {
        if (wglGetCurrentContext() == window->context) wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(window->context);
    }
    if (window->hwnd && !window->destroyedExternally) {
        window->destroying = true;
        ::DestroyWindow(window->hwnd);
    }
    UnregisterWindow(window);
    DropEventsFor(window);
    delete window;
}

void* GetUserData(const Window* window) { return window ? window->user : nullptr; }

void ShowWindow(Window* window, bool show) {
    if (!Usable(window)) return;
    if (show) NotePointerPosition();
    ::ShowWindow(window->hwnd, show ? SW_SHOW : SW_HIDE);
    if (show) {
        SetForegroundWindow(window->hwnd);
        SetFocus(window->hwnd);
    }
    window->shown = show;
}

bool IsWindowShown(const Window* window) { return Usable(window) && window->shown; }

bool IsWindowMapped(const Window* window) { return Usable(window) && window->mapped; }

bool IsWindowMinimized(const Window* window) { return Usable(window) && IsIconic(window->hwnd); }

void SetWindowTitle(Window* window, const char* title) {
    if (Usable(window)) SetWindowTextA(window->hwnd, title ? title : "");
}

void SetWindowSize(Window* window, int width, int height) {
    if (!Usable(window)) return;
    const RECT outer = OuterRect(window->hwnd, Rect{0, 0, width > 0 ? width : 1, height > 0 ? height : 1});
    SetWindowPos(window->hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetWindowPosition(Window* window, int x, int y) {
    if (!Usable(window)) return;
    SetWindowPos(window->hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void GetWindowPosition(const Window* window, int& x, int& y) {
    x = y = 0;
    RECT outer{};
    if (Usable(window) && ::GetWindowRect(window->hwnd, &outer)) x = outer.left, y = outer.top;
}

void GetClientOrigin(const Window* window, int& x, int& y) {
    x = y = 0;
    if (!Usable(window)) return;
    POINT corner = {0, 0};
    if (ClientToScreen(window->hwnd, &corner)) x = corner.x, y = corner.y;
}

Rect GetWindowRect(const Window* window) {
    Rect rect;
    GetWindowPosition(window, rect.x, rect.y);
    RECT client{};
    if (Usable(window) && GetClientRect(window->hwnd, &client)) {
        rect.width = client.right;
        rect.height = client.bottom;
    }
    return rect;
}

bool SetWindowTopmost(Window* window, bool topmost) {
    if (!Usable(window)) return false;
    return SetWindowPos(window->hwnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                        SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) != 0;
}

// The window is restyled in place, never re-created, so its GL context
// lives on; leaving puts the frame's corner where `restore` says, around a
// client area of its size.
bool SetWindowFullscreen(Window* window, bool fullscreen, const Rect& restore) {
    if (!Usable(window)) return false;
    window->restyling = true;
    const LONG_PTR visible = GetWindowLongPtrA(window->hwnd, GWL_STYLE) & WS_VISIBLE;
    SetWindowLongPtrA(window->hwnd, GWL_STYLE, (fullscreen ? kFullscreenStyle : kFramedStyle) | visible);
    bool ok = false;
    if (fullscreen) {
        int width = 0, height = 0;
        GetScreenSize(width, height);
        ok = SetWindowPos(window->hwnd, HWND_TOP, 0, 0, width, height, SWP_FRAMECHANGED) != 0;
    } else {
        const RECT outer =
            OuterRect(window->hwnd, Rect{0, 0, restore.width > 0 ? restore.width : 1, restore.height > 0 ? restore.height : 1});
        ok = SetWindowPos(window->hwnd, nullptr, restore.x, restore.y, outer.right - outer.left,
                          outer.bottom - outer.top, SWP_NOZORDER | SWP_FRAMECHANGED) != 0;
    }
    window->fullscreen = fullscreen;
    window->restyling = false;
    return ok;
}

void SetWindowCursor(Window* window, int kind) {
    if (!Usable(window)) return;
    window->cursorKind = kind >= 1 && kind <= 3 ? kind : 0;
    window->cursor = SystemCursor(window->cursorKind);
    ::SetCursor(window->cursor);
}

int DefinedCursor(const Window* window) { return window ? window->cursorKind : -1; }

void WarpPointer(int screenX, int screenY) { SetCursorPos(screenX, screenY); }

void CapturePointer(Window* window, bool capture) {
    if (capture && Usable(window))
        SetCapture(window->hwnd);
    else if (!capture)
        ReleaseCapture();
}

}  // namespace ondra::platform
