// Surface painting helpers.
#include "tools/assetgen/texture_painter.h"

#include "tools/assetgen/noise.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

void PaintNoisyBase(Canvas& canvas, const Color& base, float strength, int period, uint32_t seed)
{
    const int w = canvas.Width();
    const int h = canvas.Height();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const float n = TileFbm((x + 0.5f) / w, (y + 0.5f) / h, period, 4, seed);
            canvas.Set(x, y, Scaled(base, 1.0f + strength * (n - 0.5f) * 2.0f));
        }
    }
}

void PaintGrime(Canvas& canvas, float amount, int period, uint32_t seed)
{
    const int w = canvas.Width();
    const int h = canvas.Height();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const float n = TileFbm((x + 0.5f) / w, (y + 0.5f) / h, period, 5, seed);
            const float dirt = std::clamp((n - 0.45f) * 2.5f, 0.0f, 1.0f);
            canvas.Shade(x, y, 1.0f - amount * dirt);
        }
    }
}

void PaintScratches(Canvas& canvas, int count, float length, Random& random)
{
    for (int i = 0; i < count; ++i) {
        const float x = random.Range(0.0f, static_cast<float>(canvas.Width()));
        const float y = random.Range(0.0f, static_cast<float>(canvas.Height()));
        const float angle = random.Range(0.0f, 6.2831853f);
        const float len = length * random.Range(0.3f, 1.0f);
        const bool light = random.Unit() < 0.5f;
        const Color c = light ? Color{1.0f, 1.0f, 1.0f, 0.18f} : Color{0.0f, 0.0f, 0.0f, 0.22f};
        canvas.Line(x, y, x + std::cos(angle) * len, y + std::sin(angle) * len, 1.0f, c);
    }
}

void PaintRivet(Canvas& canvas, float x, float y, float radius, const Color& metal)
{
    canvas.FillCircle(x + radius * 0.3f, y + radius * 0.3f, radius, {0.0f, 0.0f, 0.0f, 0.45f});
    canvas.FillCircle(x, y, radius, Scaled(metal, 0.85f));
    canvas.FillCircle(x - radius * 0.3f, y - radius * 0.3f, radius * 0.45f, WithAlpha(Scaled(metal, 1.35f), 0.8f));
}

void PaintHazardStripes(Canvas& canvas, float x0, float y0, float x1, float y1, float width, const Color& a,
                        const Color& b)
{
    for (int y = static_cast<int>(y0); y < static_cast<int>(y1); ++y) {
        for (int x = static_cast<int>(x0); x < static_cast<int>(x1); ++x) {
            const float diagonal = (x + y) / width;
            const bool first = (static_cast<int>(std::floor(diagonal)) & 1) == 0;
            canvas.Set(x, y, first ? a : b);
        }
    }
}

namespace {

// Brightness across a cylinder lit from above: t runs -1..1 over its width.
float CylinderLight(float t) { return 0.35f + 0.85f * std::sqrt(std::max(0.0f, 1.0f - t * t)) - 0.25f * t; }

}  // namespace

void PaintHorizontalPipe(Canvas& canvas, float centreY, float radius, const Color& metal)
{
    for (int y = static_cast<int>(centreY - radius - 2); y <= static_cast<int>(centreY + radius + 2); ++y) {
        const float t = (y + 0.5f - centreY) / radius;
        for (int x = 0; x < canvas.Width(); ++x) {
            if (std::fabs(t) <= 1.0f) {
                canvas.Set(x, y, WithAlpha(Scaled(metal, CylinderLight(t)), 1.0f));
            } else if (std::fabs(t) <= 1.0f + 2.5f / radius) {
                canvas.Shade(x, y, 0.55f);  // shadow on the wall behind
            }
        }
    }
}

void PaintVerticalPipe(Canvas& canvas, float centreX, float radius, const Color& metal)
{
    for (int x = static_cast<int>(centreX - radius - 2); x <= static_cast<int>(centreX + radius + 2); ++x) {
        const float t = (x + 0.5f - centreX) / radius;
        for (int y = 0; y < canvas.Height(); ++y) {
            if (std::fabs(t) <= 1.0f) {
                canvas.Set(x, y, WithAlpha(Scaled(metal, CylinderLight(t)), 1.0f));
            } else if (std::fabs(t) <= 1.0f + 2.5f / radius) {
                canvas.Shade(x, y, 0.55f);
            }
        }
    }
}

}  // namespace assetgen
