// Canvas: the floating-point RGBA picture every procedural image is painted
// on, with the few drawing operations the painters need. Row 0 is the top
// row, as image files store it. A tileable canvas wraps every write around
// its edges, so shapes drawn across an edge continue on the opposite side.
#pragma once

#include "framework/image.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace assetgen {

struct Color {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;
};

Color Mix(const Color& from, const Color& to, float t);
Color Scaled(const Color& c, float factor);  // rgb scaled, alpha kept
Color WithAlpha(const Color& c, float alpha);

class Canvas {
public:
    Canvas(int width, int height, const Color& fill, bool tileable);

    int Width() const { return width; }
    int Height() const { return height; }

    Color At(int x, int y) const;
    void Set(int x, int y, const Color& c);
    // Paints c over the pixel with coverage t (alpha-weighted "over").
    void Blend(int x, int y, const Color& c, float t);
    // Adds c's rgb scaled by t (glow).
    void Add(int x, int y, const Color& c, float t);
    // Multiplies the pixel's rgb by factor.
    void Shade(int x, int y, float factor);

    // Fills every pixel whose centre lies in the shape given by a signed
    // distance (negative inside, in pixels) over the box [x0, x1) x [y0, y1);
    // edges get one pixel of antialiasing.
    template <typename Distance>
    void FillShape(float x0, float y0, float x1, float y1, const Color& c, Distance distance)
    {
        const int ix0 = static_cast<int>(std::floor(x0)) - 1;
        const int iy0 = static_cast<int>(std::floor(y0)) - 1;
        const int ix1 = static_cast<int>(std::ceil(x1)) + 1;
        const int iy1 = static_cast<int>(std::ceil(y1)) + 1;
        for (int y = iy0; y < iy1; ++y) {
            for (int x = ix0; x < ix1; ++x) {
                const float d = distance(x + 0.5f, y + 0.5f);
                const float coverage = std::clamp(0.5f - d, 0.0f, 1.0f);
                if (coverage > 0.0f) {
                    Blend(x, y, c, coverage);
                }
            }
        }
    }

    void FillRect(float x0, float y0, float x1, float y1, const Color& c);
    void FillRoundRect(float x0, float y0, float x1, float y1, float radius, const Color& c);
    void FrameRect(float x0, float y0, float x1, float y1, float thickness, const Color& c);
    void FillCircle(float cx, float cy, float radius, const Color& c);
    void Ring(float cx, float cy, float radius, float thickness, const Color& c);
    void Line(float xa, float ya, float xb, float yb, float thickness, const Color& c);
    // A raised panel: lighter top-left edges and darker bottom-right edges.
    void Bevel(float x0, float y0, float x1, float y1, float width, float strength);
    // A soft additive glow of the given radius.
    void Glow(float cx, float cy, float radius, const Color& c, float intensity);

    // 8-bit RGB or RGBA images for the encoders, bottom row first as
    // ondra::Image keeps rows.
    ondra::Image ToRgb() const;
    ondra::Image ToRgba() const;

private:
    bool Locate(int& x, int& y) const;
    ondra::Image ToImage(ondra::ImageFormat format) const;

    int width;
    int height;
    bool tileable;
    std::vector<Color> pixels;
};

}  // namespace assetgen
