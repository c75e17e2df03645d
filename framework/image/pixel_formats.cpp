// Pixel formats: colour packing, luminance and the format conversion table
// behind Image::SetFormat and Image::CopyAlpha.
#include "framework/image/pixel_formats.h"

#include <cstdio>


namespace ondra {
namespace image_internal {

std::uint8_t Luminance(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    const float grey = 0.3f * red + 0.6f * green + 0.1f * blue + 0.5f;
    return std::uint8_t(grey);
}

bool IsValidFormat(ImageFormat format) { return format >= RGB && format <= ALPHA; }

int PackColour(ImageFormat format, const Colour& c, std::uint8_t* p) {
    switch (format) {
    case RGB:
        p[0] = c.red, p[1] = c.green, p[2] = c.blue;
        return 3;
    case RGBA:
        p[0] = c.red, p[1] = c.green, p[2] = c.blue, p[3] = c.alpha;
        return 4;
    case BGR:
        p[0] = c.blue, p[1] = c.green, p[2] = c.red;
        return 3;
    case BGRA:
        p[0] = c.blue, p[1] = c.green, p[2] = c.red, p[3] = c.alpha;
        return 4;
    case LUMINANCE:
        p[0] = Luminance(c.red, c.green, c.blue);
        return 1;
    case LUMINANCE_ALPHA:
        p[0] = Luminance(c.red, c.green, c.blue), p[1] = c.alpha;
        return 2;
    case ALPHA:
        p[0] = c.alpha;
        return 1;
    }
    return 0;
}

Colour UnpackColour(ImageFormat format, const std::uint8_t* p) {
    Colour c;
    switch (format) {
    case RGB:
        c.red = p[0], c.green = p[1], c.blue = p[2];
        break;
    case RGBA:
        c.red = p[0], c.green = p[1], c.blue = p[2], c.alpha = p[3];
        break;
    case BGR:
        c.blue = p[0], c.green = p[1], c.red = p[2];
        break;
    case BGRA:
        c.blue = p[0], c.green = p[1], c.red = p[2], c.alpha = p[3];
        break;
    case LUMINANCE:
        c.red = c.green = c.blue = p[0];
        break;
    case LUMINANCE_ALPHA:
        c.red = c.green = c.blue = p[0], c.alpha = p[1];
        break;
    case ALPHA:
        c.red = c.green = c.blue = 0, c.alpha = p[0];
        break;
    }
    return c;
}

namespace {

// The conversion cursor: every channel a format may carry.
struct Cursor {
    std::uint8_t red = 0, green = 0, blue = 0, alpha = 255, grey = 0;
};

bool IsColourFormat(ImageFormat f) { return f == RGB || f == RGBA || f == BGR || f == BGRA; }
bool HasAlpha(ImageFormat f) { return f == RGBA || f == BGRA || f == LUMINANCE_ALPHA || f == ALPHA; }

void ReadPixel(ImageFormat format, const std::uint8_t* p, Cursor& c) {
    switch (format) {
    case RGB: c.red = p[0], c.green = p[1], c.blue = p[2]; break;
    case RGBA: c.red = p[0], c.green = p[1], c.blue = p[2], c.alpha = p[3]; break;
    case BGR: c.blue = p[0], c.green = p[1], c.red = p[2]; break;
    case BGRA: c.blue = p[0], c.green = p[1], c.red = p[2], c.alpha = p[3]; break;
    case LUMINANCE: c.grey = p[0]; break;
    case LUMINANCE_ALPHA: c.grey = p[0], c.alpha = p[1]; break;
    case ALPHA: c.alpha = p[0]; break;
    }
}

// One step of the conversion table: fills the channels the target needs
// from the ones the source had.
void Derive(ImageFormat from, ImageFormat to, Cursor& c) {
    if (from == to) return;
    if (IsColourFormat(from)) {
        if (to == LUMINANCE || to == LUMINANCE_ALPHA) {
            c.grey = Luminance(c.red, c.green, c.blue);
        } else if (to == ALPHA && !HasAlpha(from)) {
            c.alpha = Luminance(c.red, c.green, c.blue);
        }
    } else if (from == LUMINANCE) {
        if (IsColourFormat(to)) c.red = c.green = c.blue = c.grey;
        else if (to == ALPHA) c.alpha = c.grey;
    } else if (from == LUMINANCE_ALPHA) {
        if (IsColourFormat(to)) c.red = c.green = c.blue = c.grey;
    } else if (from == ALPHA) {
        if (IsColourFormat(to)) c.red = c.green = c.blue = c.alpha;
        else if (to == LUMINANCE) c.grey = c.alpha;
        else if (to == LUMINANCE_ALPHA) c.grey = 0;
    }
}

void WritePixel(ImageFormat format, const Cursor& c, std::uint8_t* p) {
    switch (format) {
    case RGB: p[0] = c.red, p[1] = c.green, p[2] = c.blue; break;
    case RGBA: p[0] = c.red, p[1] = c.green, p[2] = c.blue, p[3] = c.alpha; break;
    case BGR: p[0] = c.blue, p[1] = c.green, p[2] = c.red; break;
    case BGRA: p[0] = c.blue, p[1] = c.green, p[2] = c.red, p[3] = c.alpha; break;
    case LUMINANCE: p[0] = c.grey; break;
    case LUMINANCE_ALPHA: p[0] = c.grey, p[1] = c.alpha; break;
    case ALPHA: p[0] = c.alpha; break;
    }
}

int AlphaOffset(ImageFormat format) {
    switch (format) {
    case RGBA:
    case BGRA: return 3;
    case LUMINANCE_ALPHA: return 1;
    case ALPHA: return 0;
    default: return -1;
    }
}

}  // namespace
}  // namespace image_internal

using namespace image_internal;

bool Image::SetFormat(ImageFormat format) {
    const ImageFormat from = GetFormat();
    if (format == from) return true;
    if (!IsValidFormat(from) || !IsValidFormat(format)) {
        std::printf("Image::SetFormat - unsupported conversion");
        return false;
    }
    Image temp;
    if (!temp.Create(Width(), Height(), format, 0)) return false;
    const int fromSize = GetPixelSize(from);
    const int toSize = GetPixelSize(format);
    for (int row = 0; row < Height(); ++row) {
        const std::uint8_t* src = GetRow(row);
        std::uint8_t* dst = temp.GetRow(row);
        Cursor cursor;
        for (int x = 0; x < Width(); ++x, src += fromSize, dst += toSize) {
            ReadPixel(from, src, cursor);
            Derive(from, format, cursor);
            WritePixel(format, cursor, dst);
        }
    }
    return Copy(temp);
}

bool Image::CopyAlpha(const Image& source) {
    const int sourceOffset = AlphaOffset(source.GetFormat());
    if (sourceOffset < 0 || IsEmpty() || source.Width() != Width() || source.Height() != Height())
        return false;
    switch (GetFormat()) {
    case RGB: if (!SetFormat(RGBA)) return false; break;
    case BGR: if (!SetFormat(BGRA)) return false; break;
    case LUMINANCE: if (!SetFormat(LUMINANCE_ALPHA)) return false; break;
    default: break;
    }
    const int offset = AlphaOffset(GetFormat());
    if (offset < 0) return false;
    const int size = GetPixelSize();
    const int sourceSize = source.GetPixelSize();
    for (int row = 0; row < Height(); ++row) {
        std::uint8_t* dst = GetRow(row) + offset;
        const std::uint8_t* src = source.GetRow(row) + sourceOffset;
        for (int x = 0; x < Width(); ++x, dst += size, src += sourceSize) *dst = *src;
    }
    return true;
}

}  // namespace ondra
