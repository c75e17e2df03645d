// WGL: the pixel format the system finds nearest to a request, making
// contexts current, swapping buffers and the current context's key.
#include <GL/gl.h>

#include <cstdint>

#include "framework/platform/current_context.h"
#include "framework/platform/win32_internal.h"

namespace ondra::platform {
namespace {

BYTE Bits(int bits) { return static_cast<BYTE>(bits < 0 ? 0 : bits > 255 ? 255 : bits); }

bool Bind(HDC dc, HGLRC context) {
    if (wglGetCurrentContext() == context && wglGetCurrentDC() == dc) return true;
    return wglMakeCurrent(dc, context) != FALSE;
}

using SwapIntervalExt = BOOL(WINAPI*)(int);

}  // namespace

bool SetPixelFormatFor(Window* window, const PixelFormat& request) {
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    if (request.doubleBuffer) pfd.dwFlags |= PFD_DOUBLEBUFFER;
    if (request.stereo) pfd.dwFlags |= PFD_STEREO;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = Bits(request.colorBits);
    pfd.cAlphaBits = Bits(request.alphaBits);
    pfd.cAccumBits = Bits(request.accumBits);
    pfd.cDepthBits = Bits(request.depthBits);
    pfd.cStencilBits = Bits(request.stencilBits);
    pfd.iLayerType = PFD_MAIN_PLANE;
    const int format = ChoosePixelFormat(window->hdc, &pfd);
    if (format == 0 || !SetPixelFormat(window->hdc, format, &pfd)) return false;
    window->pixelFormat = format;
    return true;
}

PixelFormat GetPixelFormat(const Window* window) {
    PixelFormat f;
    PIXELFORMATDESCRIPTOR pfd{};
    if (!window || !window->hdc || !DescribePixelFormat(window->hdc, window->pixelFormat, sizeof pfd, &pfd)) {
        f.colorBits = f.depthBits = 0;
        f.doubleBuffer = false;
        return f;
    }
    f.colorBits = pfd.cRedBits + pfd.cGreenBits + pfd.cBlueBits;
    f.alphaBits = pfd.cAlphaBits;
    f.depthBits = pfd.cDepthBits;
    f.stencilBits = pfd.cStencilBits;
    f.accumBits = pfd.cAccumBits;
    f.doubleBuffer = (pfd.dwFlags & PFD_DOUBLEBUFFER) != 0;
    f.stereo = (pfd.dwFlags & PFD_STEREO) != 0;
    return f;
}

Binding GetCurrentBinding() {
    Binding binding;
    binding.context = wglGetCurrentContext();
    binding.drawable = reinterpret_cast<std::uintptr_t>(wglGetCurrentDC());
    return binding;
}

bool MakeCurrent(Window* window) {
    if (!window || !window->context || window->destroyedExternally) return false;
    return Bind(window->hdc, window->context);
}

// A saved binding may name a context destroyed since: then nothing becomes
// current.
bool RestoreBinding(const Binding& binding) {
    Window* owner = FindWindowByContext(binding.context);
    if (!owner || owner->destroyedExternally) return Bind(nullptr, nullptr);
    return Bind(owner->hdc, owner->context);
}

void SwapBuffers(Window* window) {
    if (window && window->hdc && !window->destroyedExternally) ::SwapBuffers(window->hdc);
}

// The entry point belongs to the context: ask for it with the window's
// context current.
bool SetSwapInterval(Window* window, int interval) {
    if (!window || window->destroyedExternally) return false;
    const Binding previous = GetCurrentBinding();
    bool ok = false;
    if (MakeCurrent(window)) {
        auto set = reinterpret_cast<SwapIntervalExt>(reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT")));
        ok = set && set(interval);
    }
    RestoreBinding(previous);
    return ok;
}

// Keys come from a serial number given to each context the port creates,
// so a context created later at the address of a destroyed one still gets
// a key of its own.
const void* CurrentContextKey() {
    HGLRC context = wglGetCurrentContext();
    if (!context) return nullptr;
    const Window* owner = FindWindowByContext(context);
    if (!owner) return context;  // a context made outside the framework
    return reinterpret_cast<const void*>(static_cast<std::uintptr_t>(owner->contextSerial));
}

}  // namespace ondra::platform
