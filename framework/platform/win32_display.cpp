// The Win32 "display": the module instance, the window class GLAppWnd,
// the screen size and the list of window records.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "framework/platform/inject.h"
#include "framework/platform/win32_internal.h"

namespace ondra::platform {
namespace {

ATOM classAtom = 0;
bool attempted = false;
std::vector<Window*> windows;

}  // namespace

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

// Own DC per window (the GL context is bound to it for the window's life),
// the arrow cursor, no background brush: GL paints every pixel.
bool RegisterWindowClass() {
    if (attempted) return classAtom != 0;
    attempted = true;
    WNDCLASSA windowClass{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = Instance();
    windowClass.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszMenuName = "MainMenu";
    windowClass.lpszClassName = kWindowClass;
    classAtom = RegisterClassA(&windowClass);
    if (!classAtom) std::fprintf(stderr, "RegisterClassA(%s) failed: error %lu\n", kWindowClass, GetLastError());
    return classAtom != 0;
}

bool OpenDisplay() { return RegisterWindowClass(); }

bool IsDisplayOpen() { return classAtom != 0; }

void GetScreenSize(int& width, int& height) {
    width = GetSystemMetrics(SM_CXSCREEN);
    height = GetSystemMetrics(SM_CYSCREEN);
}

// Windows always has its window manager.
bool WindowManagerRunning() { return true; }

void Flush() { GdiFlush(); }

// A message box waits for someone to press OK. Unattended runs (the tests
// set ONDRA_NO_MESSAGE_BOXES) have no one to, and take standard error.
void ShowMessageBox(const char* text) {
    const char* unattended = std::getenv("ONDRA_NO_MESSAGE_BOXES");
    if (unattended && *unattended) {
        std::fputs(text, stderr);
        std::fflush(stderr);
        return;
    }
    MessageBoxA(nullptr, text, "Message", MB_OK);
}

Window* FindWindowByContext(const void* context) {
    if (!context) return nullptr;
    for (Window* window : windows)
        if (window->context == context) return window;
    return nullptr;
}

void RegisterWindow(Window* window) { windows.push_back(window); }

void UnregisterWindow(Window* window) { windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end()); }

}  // namespace ondra::platform
