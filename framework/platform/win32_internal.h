// State shared by the Win32/WGL port's files: the window class, the
// per-window record the window procedure finds in GWLP_USERDATA, and the
// input functions every translated message goes through. Only the port
// includes this header.
#pragma once

#include <windows.h>
// The port defines its own CreateWindow; the system's is a macro.
#undef CreateWindow

#include "framework/platform/platform.h"

namespace ondra::platform {

// The class every framework window belongs to.
constexpr const char* kWindowClass = "GLAppWnd";

struct Window {
    HWND hwnd = nullptr;
    HDC hdc = nullptr;  // the class's own DC (CS_OWNDC), never released
    HGLRC context = nullptr;
    unsigned long contextSerial = 0;  // never reused; see CurrentContextKey
    int pixelFormat = 0;
    HCURSOR cursor = nullptr;
    int cursorKind = -1;  // last set with SetWindowCursor
    void* user = nullptr;
    bool shown = false;
    bool mapped = false;
    bool destroying = false;  // DestroyWindow runs: its WM_DESTROY is ours
    bool destroyedExternally = false;
    bool fullscreen = false;
    // The port restyles the window: Wine may give it another X window
    // meanwhile, so its resizes wait in the queue rather than draw now.
    bool restyling = false;
    int width = 0, height = 0;  // last client size reported to the framework
};

// The module's instance and the registered class; false when registering
// failed.
HINSTANCE Instance();
bool RegisterWindowClass();
LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Window records, for finding a window by its GL context.
Window* FindWindowByContext(const void* context);
void RegisterWindow(Window* window);
void UnregisterWindow(Window* window);

// Window styles for a framed window and a full-screen one.
constexpr DWORD kFramedStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
constexpr DWORD kFullscreenStyle = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
// The outer rectangle of a window whose client area is `client`.
RECT OuterRect(HWND hwnd, const Rect& client);

// The input functions: every message the window procedure translates ends
// here and becomes an Event (or only a change of the key state).
void InputEvent(Window* window, EventType type, int a = 0, int b = 0, int button = 0);
void InputKey(Window* window, int virtualKey, unsigned scanCode, bool down, bool system);
void InputFocusLost();
// Takes the pointer's place on the screen as known: a window shown under
// it hears no motion until it moves.
void NotePointerPosition();
// Forgets the events of a window that goes away.
void DropEventsFor(const Window* window);

// Keyboard: the key state by the key's place for letters and digits.
int PlacedVirtualKey(int virtualKey, unsigned scanCode);
void SetKeyState(int virtualKey, bool down);
void ReleaseAllKeys();

// Fonts: makes every GetGlyphOutline question fail, as Windows answers it
// for a raster font such as the system font, so that tests under Wine
// (which answers for raster fonts too) see the text Windows would draw.
void FailGlyphOutlines(bool fail);

// WGL: sets the pixel format nearest to the request on the window's DC.
bool SetPixelFormatFor(Window* window, const PixelFormat& request);

}  // namespace ondra::platform
