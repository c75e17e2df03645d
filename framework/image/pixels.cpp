// Per-pixel access, filling and mirroring of an Image.
#include <algorithm>
#include <cstring>

#include "framework/image.h"
#include "framework/fatal.h"
#include "framework/image/pixel_formats.h"

namespace ondra {

using image_internal::Colour;

namespace {

std::uint8_t ByteFromInt(int value) { return std::uint8_t(std::clamp(value, 0, 255)); }

std::uint8_t ByteFromFloat(float value) {
    if (!(value > 0.0f)) return 0;  // also catches NaN
    if (value >= 1.0f) return 255;
    return std::uint8_t(value * 255.0f + 0.5f);
}

Colour MakeColour(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
    Colour c;
    c.red = r, c.green = g, c.blue = b, c.alpha = a;
    return c;
}

bool Inside(const Image& image, int x, int y) {
    return image.GetData() && x >= 0 && y >= 0 && x < image.Width() && y < image.Height();
}

}  // namespace

bool Image::Fill(int red, int green, int blue, int alpha) {
    if (IsEmpty() || !image_internal::IsValidFormat(GetFormat())) return false;
    std::uint8_t packed[4];
    const size_t pixSize = image_internal::PackColour(
        GetFormat(), MakeColour(ByteFromInt(red), ByteFromInt(green), ByteFromInt(blue), ByteFromInt(alpha)),
        packed);
    ONDRA_ASSERT(pixSize==(size_t)GetPixelSize(), "image");
    std::uint8_t* row0 = GetRow(0);
    for (int x = 0; x < Width(); ++x) std::memcpy(row0 + x * pixSize, packed, pixSize);
    for (int row = 1; row < Height(); ++row) std::memcpy(GetRow(row), row0, GetRowBytes());
    return true;
}

bool Image::Fill(float red, float green, float blue, float alpha) {
    return Fill(int(ByteFromFloat(red)), int(ByteFromFloat(green)), int(ByteFromFloat(blue)),
                int(ByteFromFloat(alpha)));
}

void Image::SetPixel(int x, int y, int red, int green, int blue, int alpha) {
    if (!Inside(*this, x, y)) return;
    image_internal::PackColour(
        GetFormat(), MakeColour(ByteFromInt(red), ByteFromInt(green), ByteFromInt(blue), ByteFromInt(alpha)),
        GetRow(y) + x * GetPixelSize());
}

void Image::SetPixel(int x, int y, float red, float green, float blue, float alpha) {
    SetPixel(x, y, int(ByteFromFloat(red)), int(ByteFromFloat(green)), int(ByteFromFloat(blue)),
             int(ByteFromFloat(alpha)));
}

void Image::SetPixel(int x, int y, int grey, int alpha) {
    if (!Inside(*this, x, y)) return;
    const std::uint8_t v = ByteFromInt(grey);
    const std::uint8_t a = ByteFromInt(alpha);
    std::uint8_t* p = GetRow(y) + x * GetPixelSize();
    switch (GetFormat()) {
    case RGB:
    case BGR: p[0] = p[1] = p[2] = v; break;
    case RGBA:
    case BGRA: p[0] = p[1] = p[2] = v, p[3] = a; break;
    case LUMINANCE: p[0] = v; break;
    case LUMINANCE_ALPHA: p[0] = v, p[1] = a; break;
    case ALPHA: p[0] = a; break;
    }
}

void Image::GetPixel(int x, int y, std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue,
                     std::uint8_t& alpha) const {
    Colour c = MakeColour(0, 0, 0, 255);
    if (Inside(*this, x, y) && image_internal::IsValidFormat(GetFormat()))
        c = image_internal::UnpackColour(GetFormat(), GetRow(y) + x * GetPixelSize());
    red = c.red, green = c.green, blue = c.blue, alpha = c.alpha;
}

void Image::GetPixel(int x, int y, float& red, float& green, float& blue, float& alpha) const {
    std::uint8_t r, g, b, a;
    GetPixel(x, y, r, g, b, a);
    red = r / 255.0f, green = g / 255.0f, blue = b / 255.0f, alpha = a / 255.0f;
}

void Image::GetPixel(int x, int y, std::uint8_t& grey) const {
    std::uint8_t alpha;
    GetPixel(x, y, grey, alpha);
}

void Image::GetPixel(int x, int y, std::uint8_t& grey, std::uint8_t& alpha) const {
    std::uint8_t r, g, b;
    GetPixel(x, y, r, g, b, alpha);
    grey = image_internal::Luminance(r, g, b);
}

float Image::GetPixel(int x, int y) const {
    std::uint8_t grey, alpha;
    GetPixel(x, y, grey, alpha);
    return (GetFormat() == ALPHA ? alpha : grey) / 255.0f;
}

// Both mirrors swap in place, so they cannot fail for lack of memory.
void Image::FlipHorizontal() {
    if (IsEmpty()) return;
    const int size = GetPixelSize();
    std::uint8_t temp[4];
    for (int row = 0; row < Height(); ++row) {
        std::uint8_t* left = GetRow(row);
        std::uint8_t* right = left + (Width() - 1) * size;
        for (; left < right; left += size, right -= size) {
            std::memcpy(temp, left, size);
            std::memcpy(left, right, size);
            std::memcpy(right, temp, size);
        }
    }
}

void Image::FlipVertical() {
    if (IsEmpty()) return;
    for (int bottom = 0, top = Height() - 1; bottom < top; ++bottom, --top)
        std::swap_ranges(GetRow(bottom), GetRow(bottom) + GetRowBytes(), GetRow(top));
}

}  // namespace ondra
