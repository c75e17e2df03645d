// X11 side of Image capture: the current GLX drawable's geometry and the
// root window's pixels through XGetImage.
#include "framework/platform/capture.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>
#include <new>

#include "framework/platform/x11_internal.h"

namespace ondra::platform {

bool IsGLContextCurrent() { return glXGetCurrentContext() != nullptr; }

bool GetCurrentDrawableSize(int& width, int& height) {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (!display || !drawable) return false;
    ::Window root;
    int x, y;
    unsigned int w, h, border, depth;
    if (!XGetGeometry(display, drawable, &root, &x, &y, &w, &h, &border, &depth)) return false;
    if (w == 0 || h == 0) return false;
    width = int(w);
    height = int(h);
    return true;
}

namespace {

// Position of the top 8 bits of a channel mask, negative shifts meaning a
// channel narrower than 8 bits.
int TopByteShift(unsigned long mask) {
    if (mask == 0) return 0;
    int high = 63;
    while (!(mask & (1ul << high))) --high;
    return high - 7;
}

std::uint8_t Channel(unsigned long pixel, unsigned long mask, int shift) {
    const unsigned long bits = pixel & mask;
    return std::uint8_t(shift >= 0 ? bits >> shift : bits << -shift);
}

void CopyRows(XImage* shot, std::uint8_t* out) {
    const int redShift = TopByteShift(shot->red_mask);
    const int greenShift = TopByteShift(shot->green_mask);
    const int blueShift = TopByteShift(shot->blue_mask);
    // The usual 24-bit screen holds blue, green, red and a pad byte in
    // memory order: copy those bytes instead of asking for every pixel.
    const bool fast = shot->bits_per_pixel == 32 && shot->byte_order == LSBFirst &&
                      shot->red_mask == 0xFF0000 && shot->green_mask == 0xFF00 &&
                      shot->blue_mask == 0xFF;
    for (int y = 0; y < shot->height; ++y) {
        if (fast) {
            const std::uint8_t* in =
                reinterpret_cast<const std::uint8_t*>(shot->data) + std::size_t(y) * shot->bytes_per_line;
            for (int x = 0; x < shot->width; ++x, in += 4, out += 3) std::memcpy(out, in, 3);
            continue;
        }
        for (int x = 0; x < shot->width; ++x, out += 3) {
            const unsigned long pixel = XGetPixel(shot, x, y);
            out[0] = Channel(pixel, shot->blue_mask, blueShift);
            out[1] = Channel(pixel, shot->green_mask, greenShift);
            out[2] = Channel(pixel, shot->red_mask, redShift);
        }
    }
}

bool CaptureFrom(Display* display, ScreenPixels& shot) {
    const ::Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, root, &attributes)) return false;
    if (attributes.width < 1 || attributes.height < 1 || attributes.visual->c_class != TrueColor)
        return false;
    XImage* grab = XGetImage(display, root, 0, 0, unsigned(attributes.width), unsigned(attributes.height),
                             AllPlanes, ZPixmap);
    if (!grab) return false;
    shot.bgr.reset(new (std::nothrow) std::uint8_t[std::size_t(grab->width) * std::size_t(grab->height) * 3]);
    if (shot.bgr) {
        CopyRows(grab, shot.bgr.get());
        shot.width = grab->width;
        shot.height = grab->height;
    }
    XDestroyImage(grab);
    return shot.bgr != nullptr;
}

}  // namespace

bool CaptureScreen(ScreenPixels& shot) {
    shot = ScreenPixels{};
    if (OpenDisplay() && CaptureFrom(X11().display, shot)) return true;
    shot = ScreenPixels{};
    return false;
}

}  // namespace ondra::platform
