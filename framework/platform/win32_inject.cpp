// Synthetic input through SendInput, and the faults tests provoke.
#include "framework/platform/inject.h"

#include "framework/platform/win32_internal.h"

namespace ondra::platform {

bool CanInjectInput() { return true; }

// Wine's ntdll exports its version; Windows' does not.
bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool InjectKey(int virtualKey, bool down) {
    if (virtualKey <= 0 || virtualKey > 254) return false;
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(virtualKey);
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return SendInput(1, &input, sizeof input) == 1;
}

bool InjectButton(int button, bool down) {
    static const DWORD kDown[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_RIGHTDOWN};
    static const DWORD kUp[] = {MOUSEEVENTF_LEFTUP, MOUSEEVENTF_MIDDLEUP, MOUSEEVENTF_RIGHTUP};
    if (button < 0 || button > 4) return false;
    INPUT input{};
    input.type = INPUT_MOUSE;
    if (button <= 2) {
        input.mi.dwFlags = down ? kDown[button] : kUp[button];
    } else {
        if (!down) return true;  // a wheel step is one event
        input.mi.dwFlags = MOUSEEVENTF_WHEEL;
        input.mi.mouseData = static_cast<DWORD>(button == 3 ? WHEEL_DELTA : -WHEEL_DELTA);
    }
    return SendInput(1, &input, sizeof input) == 1;
}

// Absolute moves are given on a 0..65535 scale across the screen.
bool InjectPointerMove(int screenX, int screenY) {
    int width = 0, height = 0;
    GetScreenSize(width, height);
    if (width < 2 || height < 2) return false;
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screenX, 65535, width - 1);
    input.mi.dy = MulDiv(screenY, 65535, height - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return SendInput(1, &input, sizeof input) == 1;
}

bool MinimizeWindow(Window* window) {
    if (!window || !window->hwnd) return false;
    ::ShowWindow(window->hwnd, SW_MINIMIZE);
    return IsIconic(window->hwnd) != 0;
}

bool RestoreWindow(Window* window) {
    if (!window || !window->hwnd) return false;
    ::ShowWindow(window->hwnd, SW_RESTORE);
    return IsIconic(window->hwnd) == 0;
}

// Only the thread that made a window may destroy it, so no other program
// can; a window destroyed without the framework asking is what that fault
// comes to here.
bool DestroyWindowFromOutside(const Window* window) {
    if (!window || !window->hwnd) return false;
    return ::DestroyWindow(window->hwnd) != 0;
}

namespace {

HWND foreign = nullptr;

}  // namespace

bool TakeFocusFromOutside() {
    EndFocusFromOutside();
    foreign = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 32, 32, nullptr, nullptr, Instance(),
                              nullptr);
    if (!foreign) return false;
    SetForegroundWindow(foreign);
    SetFocus(foreign);
    return true;
}

void EndFocusFromOutside() {
    if (foreign) ::DestroyWindow(foreign);
    foreign = nullptr;
}

}  // namespace ondra::platform
