// GLX: choosing the framebuffer configuration nearest to a requested pixel
// format, making contexts current and swapping buffers.
#include <cstdlib>
#include <cstring>
#include <limits>

#include "framework/platform/x11_internal.h"

namespace ondra::platform {
namespace {

int Attribute(GLXFBConfig config, int attribute) {
    int value = 0;
    glXGetFBConfigAttrib(X11().display, config, attribute, &value);
    return value;
}

// Distance of what a configuration offers from what was asked for: falling
// short costs far more than giving extra, so the nearest configuration that
// satisfies the request wins and, failing that, the one that comes closest.
long Shortfall(int requested, int offered) {
    return offered < requested ? 1000L * (requested - offered) : offered - requested;
}

long Distance(const PixelFormat& want, const PixelFormat& have) {
    long d = 0;
    if (want.doubleBuffer != have.doubleBuffer) d += 1000000;
    if (want.stereo != have.stereo) d += 1000000;
    d += Shortfall(want.colorBits, have.colorBits);
    d += Shortfall(want.alphaBits, have.alphaBits);
    d += Shortfall(want.depthBits, have.depthBits);
    d += Shortfall(want.stencilBits, have.stencilBits);
    d += Shortfall(want.accumBits, have.accumBits);
    return d;
}

using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
using SwapIntervalMesa = int (*)(unsigned);

bool ScreenOffers(const char* extension) {
    const char* list = glXQueryExtensionsString(X11().display, X11().screen);
    if (!list) return false;
    const std::size_t length = std::strlen(extension);
    for (const char* p = std::strstr(list, extension); p; p = std::strstr(p + 1, extension)) {
        const bool starts = p == list || p[-1] == ' ';
        const bool ends = p[length] == ' ' || p[length] == '\0';
        if (starts && ends) return true;
    }
    return false;
}

}  // namespace

PixelFormat DescribeFBConfig(GLXFBConfig config) {
    PixelFormat f;
    f.colorBits = Attribute(config, GLX_RED_SIZE) + Attribute(config, GLX_GREEN_SIZE) +
                  Attribute(config, GLX_BLUE_SIZE);
    f.alphaBits = Attribute(config, GLX_ALPHA_SIZE);
    f.depthBits = Attribute(config, GLX_DEPTH_SIZE);
    f.stencilBits = Attribute(config, GLX_STENCIL_SIZE);
    f.accumBits = Attribute(config, GLX_ACCUM_RED_SIZE) + Attribute(config, GLX_ACCUM_GREEN_SIZE) +
                  Attribute(config, GLX_ACCUM_BLUE_SIZE) + Attribute(config, GLX_ACCUM_ALPHA_SIZE);
    f.doubleBuffer = Attribute(config, GLX_DOUBLEBUFFER) != 0;
    f.stereo = Attribute(config, GLX_STEREO) != 0;
    return f;
}

GLXFBConfig ChooseFBConfig(const PixelFormat& request) {
    constexpr int kDontCare = static_cast<int>(GLX_DONT_CARE);
    // Only RGBA configurations that can draw to a TrueColor window: no
    // palette is ever needed.
    const int required[] = {GLX_X_RENDERABLE, True,           GLX_DRAWABLE_TYPE, GLX_WINDOW_BIT,
                            GLX_RENDER_TYPE,  GLX_RGBA_BIT,   GLX_X_VISUAL_TYPE, GLX_TRUE_COLOR,
                            GLX_DOUBLEBUFFER, kDontCare,     GLX_STEREO,        kDontCare,
                            None};
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(X11().display, X11().screen, required, &count);
    GLXFBConfig best = nullptr;
    long bestDistance = std::numeric_limits<long>::max();
    for (int i = 0; i < count; ++i) {
        const long d = Distance(request, DescribeFBConfig(configs[i]));
        if (d < bestDistance) {
            bestDistance = d;
            best = configs[i];
        }
    }
    if (configs) XFree(configs);
    return best;
}

Binding GetCurrentBinding() {
    Binding binding;
    binding.context = glXGetCurrentContext();
    binding.drawable = glXGetCurrentDrawable();
    return binding;
}

// Handlers bind and unbind around every call; skip the round trip to GLX
// when the binding is already in place.
bool Bind(GLXDrawable drawable, GLXContext context) {
    if (glXGetCurrentContext() == context && glXGetCurrentDrawable() == drawable) return true;
    return glXMakeCurrent(X11().display, drawable, context) == True;
}

bool MakeCurrent(Window* window) {
    if (!window || !window->context || window->destroyedExternally) return false;
    return Bind(window->xid, window->context);
}

// A saved binding may name a context destroyed since: then nothing becomes
// current.
bool RestoreBinding(const Binding& binding) {
    if (!X11().display) return false;
    Window* owner = FindWindowByContext(binding.context);
    if (!owner || owner->destroyedExternally) return Bind(None, nullptr);
    return Bind(owner->xid, owner->context);
}

void SwapBuffers(Window* window) {
    if (window && window->context && !window->destroyedExternally) glXSwapBuffers(X11().display, window->xid);
}

// The swap-control entry points exist in the client library even where the
// screen does not support them (as under Xvfb), and calling them there
// fails badly: ask the screen first.
bool SetSwapInterval(Window* window, int interval) {
    if (!window || window->destroyedExternally) return false;
    if (ScreenOffers("GLX_EXT_swap_control")) {
        auto set = reinterpret_cast<SwapIntervalExt>(
            glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalEXT")));
        if (set) {
            set(X11().display, window->xid, interval);
            return true;
        }
    }
    if (ScreenOffers("GLX_MESA_swap_control")) {
        auto set = reinterpret_cast<SwapIntervalMesa>(
            glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalMESA")));
        if (!set) return false;
        const Binding previous = GetCurrentBinding();
        const bool ok = MakeCurrent(window) && set(static_cast<unsigned>(interval)) == 0;
        RestoreBinding(previous);
        return ok;
    }
    return false;
}

}  // namespace ondra::platform
