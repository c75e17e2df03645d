// Canvas pixel access and the shape painters built on signed distances.
#include "tools/assetgen/canvas.h"

namespace assetgen {
namespace {

uint8_t ToByte(float v) { return static_cast<uint8_t>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f); }

float BoxDistance(float px, float py, float x0, float y0, float x1, float y1, float radius)
{
    const float cx = (x0 + x1) * 0.5f;
    const float cy = (y0 + y1) * 0.5f;
    const float hx = (x1 - x0) * 0.5f - radius;
    const float hy = (y1 - y0) * 0.5f - radius;
    const float dx = std::fabs(px - cx) - hx;
    const float dy = std::fabs(py - cy) - hy;
    const float outside = std::hypot(std::max(dx, 0.0f), std::max(dy, 0.0f));
    const float inside = std::min(std::max(dx, dy), 0.0f);
    return outside + inside - radius;
}

}  // namespace

Color Mix(const Color& from, const Color& to, float t)
{
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
            from.a + (to.a - from.a) * t};
}

Color Scaled(const Color& c, float factor) { return {c.r * factor, c.g * factor, c.b * factor, c.a}; }

Color WithAlpha(const Color& c, float alpha) { return {c.r, c.g, c.b, alpha}; }

Canvas::Canvas(int width, int height, const Color& fill, bool tileable)
    : width(width), height(height), tileable(tileable), pixels(static_cast<size_t>(width) * height, fill)
{
}

bool Canvas::Locate(int& x, int& y) const
{
    if (tileable) {
        x = ((x % width) + width) % width;
        y = ((y % height) + height) % height;
        return true;
    }
    return x >= 0 && y >= 0 && x < width && y < height;
}

Color Canvas::At(int x, int y) const
{
    if (!Locate(x, y)) {
        return {};
    }
    return pixels[static_cast<size_t>(y) * width + x];
}

void Canvas::Set(int x, int y, const Color& c)
{
    if (Locate(x, y)) {
        pixels[static_cast<size_t>(y) * width + x] = c;
    }
}

void Canvas::Blend(int x, int y, const Color& c, float t)
{
    if (!Locate(x, y)) {
        return;
    }
    Color& p = pixels[static_cast<size_t>(y) * width + x];
    const float srcAlpha = c.a * t;
    const float outAlpha = srcAlpha + p.a * (1.0f - srcAlpha);
    if (outAlpha <= 0.0f) {
        p = {c.r, c.g, c.b, 0.0f};
        return;
    }
    const float keep = p.a * (1.0f - srcAlpha);
    p.r = (c.r * srcAlpha + p.r * keep) / outAlpha;
    p.g = (c.g * srcAlpha + p.g * keep) / outAlpha;
    p.b = (c.b * srcAlpha + p.b * keep) / outAlpha;
    p.a = outAlpha;
}

void Canvas::Add(int x, int y, const Color& c, float t)
{
    if (Locate(x, y)) {
        Color& p = pixels[static_cast<size_t>(y) * width + x];
        p.r += c.r * t;
        p.g += c.g * t;
        p.b += c.b * t;
    }
}

void Canvas::Shade(int x, int y, float factor)
{
    if (Locate(x, y)) {
        Color& p = pixels[static_cast<size_t>(y) * width + x];
        p = Scaled(p, factor);
    }
}

void Canvas::FillRect(float x0, float y0, float x1, float y1, const Color& c)
{
    FillRoundRect(x0, y0, x1, y1, 0.0f, c);
}

void Canvas::FillRoundRect(float x0, float y0, float x1, float y1, float radius, const Color& c)
{
    FillShape(x0, y0, x1, y1, c,
              [=](float px, float py) { return BoxDistance(px, py, x0, y0, x1, y1, radius); });
}

void Canvas::FrameRect(float x0, float y0, float x1, float y1, float thickness, const Color& c)
{
    const float half = thickness * 0.5f;
    FillShape(x0 - half, y0 - half, x1 + half, y1 + half, c, [=](float px, float py) {
        return std::fabs(BoxDistance(px, py, x0, y0, x1, y1, 0.0f)) - half;
    });
}

void Canvas::FillCircle(float cx, float cy, float radius, const Color& c)
{
    FillShape(cx - radius, cy - radius, cx + radius, cy + radius, c,
              [=](float px, float py) { return std::hypot(px - cx, py - cy) - radius; });
}

void Canvas::Ring(float cx, float cy, float radius, float thickness, const Color& c)
{
    const float outer = radius + thickness * 0.5f;
    FillShape(cx - outer, cy - outer, cx + outer, cy + outer, c, [=](float px, float py) {
        return std::fabs(std::hypot(px - cx, py - cy) - radius) - thickness * 0.5f;
    });
}

void Canvas::Line(float xa, float ya, float xb, float yb, float thickness, const Color& c)
{
    const float half = thickness * 0.5f;
    const float dx = xb - xa;
    const float dy = yb - ya;
    const float lengthSquared = std::max(dx * dx + dy * dy, 1e-6f);
    FillShape(std::min(xa, xb) - half, std::min(ya, yb) - half, std::max(xa, xb) + half,
              std::max(ya, yb) + half, c, [=](float px, float py) {
                  const float t = std::clamp(((px - xa) * dx + (py - ya) * dy) / lengthSquared, 0.0f, 1.0f);
                  return std::hypot(px - (xa + t * dx), py - (ya + t * dy)) - half;
              });
}

void Canvas::Bevel(float x0, float y0, float x1, float y1, float bevelWidth, float strength)
{
    for (int y = static_cast<int>(y0); y < static_cast<int>(y1); ++y) {
        for (int x = static_cast<int>(x0); x < static_cast<int>(x1); ++x) {
            const float left = x + 0.5f - x0;
            const float top = y + 0.5f - y0;
            const float right = x1 - (x + 0.5f);
            const float bottom = y1 - (y + 0.5f);
            const float nearest = std::min(std::min(left, top), std::min(right, bottom));
            if (nearest >= bevelWidth) {
                continue;
            }
            const bool lit = (left == nearest || top == nearest);
            const float fade = 1.0f - nearest / bevelWidth;
            Shade(x, y, lit ? 1.0f + strength * fade : 1.0f - strength * fade);
        }
    }
}

void Canvas::Glow(float cx, float cy, float radius, const Color& c, float intensity)
{
    for (int y = static_cast<int>(cy - radius) - 1; y <= static_cast<int>(cy + radius) + 1; ++y) {
        for (int x = static_cast<int>(cx - radius) - 1; x <= static_cast<int>(cx + radius) + 1; ++x) {
            const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / radius;
            if (d < 1.0f) {
                const float falloff = (1.0f - d) * (1.0f - d);
                Add(x, y, c, intensity * falloff);
            }
        }
    }
}

ondra::Image Canvas::ToRgb() const { return ToImage(ondra::RGB); }

ondra::Image Canvas::ToRgba() const { return ToImage(ondra::RGBA); }

ondra::Image Canvas::ToImage(ondra::ImageFormat format) const
{
    ondra::Image image(width, height, format);
    const bool alpha = format == ondra::RGBA;
    if (image.IsEmpty()) {
        return image;
    }
    for (int y = 0; y < image.Height(); ++y) {
        uint8_t* out = image.GetRow(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const Color& p = pixels[static_cast<size_t>(y) * width + x];
            *out++ = ToByte(p.r);
            *out++ = ToByte(p.g);
            *out++ = ToByte(p.b);
            if (alpha) {
                *out++ = ToByte(p.a);
            }
        }
    }
    return image;
}

}  // namespace assetgen
