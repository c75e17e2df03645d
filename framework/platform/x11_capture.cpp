// X11 side of Image capture: current GLX drawable geometry and root window
// grabs through XGetImage.
#include "framework/platform/capture.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <cstring>

#include "framework/image.h"
#include "framework/platform/x11_internal.h"

namespace ondra {
namespace platform {

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

void CopyRows(XImage* shot, Image& image) {
    const int redShift = TopByteShift(shot->red_mask);
    const int greenShift = TopByteShift(shot->green_mask);
    const int blueShift = TopByteShift(shot->blue_mask);
    const bool fast = shot->bits_per_pixel == 32 && shot->byte_order == LSBFirst &&
                      shot->red_mask == 0xFF0000 && shot->green_mask == 0xFF00 &&
                      shot->blue_mask == 0xFF;
    for (int y = 0; y < shot->height; ++y) {
        std::uint8_t* out = image.GetRow(shot->height - 1 - y);
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

bool CaptureFrom(Display* display, Image& image) {
    const ::Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, root, &attributes)) return false;
    if (attributes.width < 1 || attributes.height < 1 || attributes.visual->c_class != TrueColor)
        return false;
    XImage* shot = XGetImage(display, root, 0, 0, unsigned(attributes.width),
                             unsigned(attributes.height), AllPlanes, ZPixmap);
    if (!shot) return false;
    const int rowSize = ((24 * attributes.width + 31) / 32) * 4;
    const int padding = rowSize - (24 * attributes.width + 7) / 8;
    const bool created = image.Create(attributes.width, attributes.height, BGR, padding);
    if (created) {
        std::memset(image.GetData(), 0, std::size_t(image.GetDataSize()));
        CopyRows(shot, image);
    }
    XDestroyImage(shot);
    return created;
}

}  // namespace

bool CaptureDesktop(Image& image) {
    if (!OpenDisplay()) return false;
    return CaptureFrom(X11().display, image);
}

}  // namespace platform
}  // namespace ondra
