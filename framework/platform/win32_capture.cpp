// Win32 side of Image capture: the current WGL drawable's client size and
// the screen's pixels copied through GDI.
#include "framework/platform/capture.h"

#include <cstring>
#include <new>

#include "framework/platform/win32_internal.h"

namespace ondra::platform {

bool IsGLContextCurrent() { return wglGetCurrentContext() != nullptr; }

bool GetCurrentDrawableSize(int& width, int& height) {
    HDC dc = wglGetCurrentDC();
    HWND hwnd = dc ? WindowFromDC(dc) : nullptr;
    RECT client{};
    if (!hwnd || !GetClientRect(hwnd, &client) || client.right < 1 || client.bottom < 1) return false;
    width = client.right;
    height = client.bottom;
    return true;
}

namespace {

// The screen copied into a top-down 32-bit DIB section, whose rows are
// blue, green, red and a pad byte.
bool CaptureFrom(HDC screen, int width, int height, ScreenPixels& shot) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = memory ? CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    bool ok = bitmap && bits;
    if (ok) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY) != 0;
        GdiFlush();
        SelectObject(memory, previous);
    }
    if (ok) shot.bgr.reset(new (std::nothrow) std::uint8_t[std::size_t(width) * std::size_t(height) * 3]);
    ok = ok && shot.bgr;
    if (ok) {
        const auto* in = static_cast<const std::uint8_t*>(bits);
        std::uint8_t* out = shot.bgr.get();
        for (std::size_t i = 0, n = std::size_t(width) * std::size_t(height); i < n; ++i, in += 4, out += 3)
            std::memcpy(out, in, 3);
        shot.width = width;
        shot.height = height;
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    return ok;
}

}  // namespace

bool CaptureScreen(ScreenPixels& shot) {
    shot = ScreenPixels{};
    int width = 0, height = 0;
    GetScreenSize(width, height);
    HDC screen = GetDC(nullptr);
    const bool ok = screen && width > 0 && height > 0 && CaptureFrom(screen, width, height, shot);
    if (screen) ReleaseDC(nullptr, screen);
    if (!ok) shot = ScreenPixels{};
    return ok;
}

}  // namespace ondra::platform
