// The window procedure of GLAppWnd and the input functions: every message
// the framework cares about becomes one port Event here, the one place
// where the window system's input reaches the framework. The framework
// sees every message first, and resizes and paints are handed to it at
// once: Windows sends them from inside its own calls, its modal move and
// size loops among them, where the program's loop does not run.
#include <windowsx.h>

#include <algorithm>
#include <deque>

#include "framework/keys.h"
#include "framework/platform/win32_internal.h"

namespace ondra::platform {
namespace {

std::deque<Event> pending;
Callbacks callbacks;

// While the player drags or sizes a window, the system's modal loop holds
// the thread; this timer of the window runs the program's idle work.
constexpr UINT_PTR kModalLoopTimer = 0x6F6E;

// Where the pointer was on the screen when the framework last heard of it.
POINT lastPointer{};
bool pointerKnown = false;

Window* RecordOf(HWND hwnd) { return reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

void InputButton(Window* window, HWND hwnd, int button, bool down, LPARAM lParam) {
    // Captured, the window keeps hearing the button's release outside it.
    if (down)
        SetCapture(hwnd);
    else
        ReleaseCapture();
    InputEvent(window, down ? EventType::kButtonDown : EventType::kButtonUp, GET_X_LPARAM(lParam),
               GET_Y_LPARAM(lParam), button);
}

// The system also sends WM_MOUSEMOVE when a window appears, moves or
// changes its style under a pointer that stays where it was (Wine sends one
// when the pointer enters a window). On X11 only a moving pointer makes
// motion, and the game takes every position after the first it hears as a
// turn of the view: only a pointer that moved on the screen is motion.
void InputPointer(Window* window, HWND hwnd, LPARAM lParam) {
    POINT screen = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(hwnd, &screen);
    if (pointerKnown && screen.x == lastPointer.x && screen.y == lastPointer.y) return;
    lastPointer = screen;
    pointerKnown = true;
    InputEvent(window, EventType::kMouseMove, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

// Handed to the framework before the system's call returns, or queued when
// it takes nothing at once.
void InputAtOnce(Window* window, EventType type, int a = 0, int b = 0) {
    if (!callbacks.event || window->restyling) {
        InputEvent(window, type, a, b);
        return;
    }
    Event event;
    event.type = type;
    event.window = window;
    event.a = a;
    event.b = b;
    event.observed = callbacks.message != nullptr;
    callbacks.event(event);
}

void InputResize(Window* window, WPARAM kind, LPARAM lParam) {
    // A minimised window has no client area to draw: keep the last size.
    if (kind == SIZE_MINIMIZED) return;
    const int width = LOWORD(lParam), height = HIWORD(lParam);
    if (width == window->width && height == window->height) return;
    window->width = width;
    window->height = height;
    InputAtOnce(window, EventType::kResize, width, height);
}

// The system's move and size loops dispatch the thread's messages, timers
// among them, but never return to the program's loop until the button is
// released.
void ModalLoop(HWND hwnd, bool entered) {
    if (entered)
        SetTimer(hwnd, kModalLoopTimer, USER_TIMER_MINIMUM, nullptr);
    else
        KillTimer(hwnd, kModalLoopTimer);
}

void InputDestroyed(Window* window) {
    if (window->destroying) return;
    window->destroyedExternally = true;
    window->shown = window->mapped = false;
    InputEvent(window, EventType::kDestroyed);
}

// Bits 16 to 23 of a key message hold the scan code, bit 24 the extended
// flag: the key's place on the keyboard.
unsigned ScanCode(LPARAM lParam) { return static_cast<unsigned>((lParam >> 16) & 0x1FF); }

LRESULT Handle(Window* window, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE: InputEvent(window, EventType::kClose); return 0;
        case WM_DESTROY: InputDestroyed(window); return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(hwnd, &paint);
            EndPaint(hwnd, &paint);
            InputAtOnce(window, EventType::kExpose);
            return 0;
        }
        case WM_ENTERSIZEMOVE: ModalLoop(hwnd, true); break;
        case WM_EXITSIZEMOVE: ModalLoop(hwnd, false); break;
        case WM_TIMER:
            if (wParam != kModalLoopTimer) break;
            if (callbacks.idle) callbacks.idle();
            return 0;
        // Menu items and accelerators; the framework tells them from the
        // notifications of controls.
        case WM_COMMAND: InputEvent(window, EventType::kCommand, static_cast<int>(wParam & 0xFFFFFFFFu)); return 0;
        case WM_ERASEBKGND: return 1;  // GL paints every pixel
        case WM_SIZE: InputResize(window, wParam, lParam); return 0;
        case WM_SHOWWINDOW: window->mapped = wParam != 0; break;
        case WM_KILLFOCUS: InputFocusLost(); break;
        case WM_SETCURSOR:
            if (LOWORD(lParam) != HTCLIENT) break;
            ::SetCursor(window->cursor);
            return TRUE;
        // Alt alone and F10 would open the system menu and take the keys
        // that follow; the game has no menu to offer.
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_KEYMENU) return 0;
            break;
        case WM_KEYDOWN:
        case WM_KEYUP:
            InputKey(window, static_cast<int>(wParam), ScanCode(lParam), message == WM_KEYDOWN, false);
            return 0;
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
            InputKey(window, static_cast<int>(wParam), ScanCode(lParam), message == WM_SYSKEYDOWN, true);
            break;  // the system still closes the window on Alt+F4
        case WM_MOUSEMOVE: InputPointer(window, hwnd, lParam); return 0;
        case WM_LBUTTONDOWN: InputButton(window, hwnd, 0, true, lParam); return 0;
        case WM_LBUTTONUP: InputButton(window, hwnd, 0, false, lParam); return 0;
        case WM_MBUTTONDOWN: InputButton(window, hwnd, 1, true, lParam); return 0;
        case WM_MBUTTONUP: InputButton(window, hwnd, 1, false, lParam); return 0;
        case WM_RBUTTONDOWN: InputButton(window, hwnd, 2, true, lParam); return 0;
        case WM_RBUTTONUP: InputButton(window, hwnd, 2, false, lParam); return 0;
        default: break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // A framed window is held at least as wide as its caption's buttons;
    // the framework's windows take the client size asked for. The question
    // comes before WM_NCCREATE, so before the window has its record.
    if (message == WM_GETMINMAXINFO) {
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{1, 1};
        return 0;
    }
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (creation->lpCreateParams)
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    Window* window = RecordOf(hwnd);
    if (window && callbacks.message) callbacks.message(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    if (!window || message == WM_NCDESTROY) return DefWindowProcA(hwnd, message, wParam, lParam);
    return Handle(window, hwnd, message, wParam, lParam);
}

void InputEvent(Window* window, EventType type, int a, int b, int button) {
    Event event;
    event.type = type;
    event.window = window;
    event.a = a;
    event.b = b;
    event.button = button;
    // Made in the window procedure, after the framework saw the message.
    event.observed = window && callbacks.message;
    pending.push_back(event);
}

void SetCallbacks(const Callbacks& given) { callbacks = given; }

// Alt itself, keys pressed or released while Alt is held (the system's
// key messages), and F10 belong to the window system, not to the
// application: they change the key state but make no event. The event
// carries the key the layout labels; the state is kept by the key's place.
void InputKey(Window* window, int virtualKey, unsigned scanCode, bool down, bool system) {
    SetKeyState(PlacedVirtualKey(virtualKey, scanCode), down);
    if (system || virtualKey == VK_MENU || virtualKey == VK_F10) return;
    InputEvent(window, down ? EventType::kKeyDown : EventType::kKeyUp, virtualKey);
}

void InputFocusLost() { ReleaseAllKeys(); }

void NotePointerPosition() { pointerKnown = GetCursorPos(&lastPointer) != 0; }

void DropEventsFor(const Window* window) {
    pending.erase(std::remove_if(pending.begin(), pending.end(), [window](const Event& e) { return e.window == window; }),
                  pending.end());
}

bool PollEvent(Event& event) {
    MSG message;
    while (pending.empty() && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        // PostQuitMessage (from any code of the program) ends the loop
        // with its exit code, as the loop of any Win32 program ends.
        if (message.message == WM_QUIT) {
            InputEvent(nullptr, EventType::kQuit, static_cast<int>(message.wParam));
            break;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (pending.empty()) return false;
    event = pending.front();
    pending.pop_front();
    return true;
}

}  // namespace ondra::platform
