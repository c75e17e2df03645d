// Effect painting. Every effect fades to black well inside the border, so
// the square billboards never show their edges.
#include "tools/assetgen/effect_images.h"

#include "game/level_file/asset_names.h"
#include "tools/assetgen/noise.h"
#include "tools/assetgen/random.h"

#include <algorithm>
#include <cmath>

namespace assetgen {
namespace {

constexpr int kSize = 128;
constexpr float kCentre = kSize / 2.0f;
const Color kBlack{0, 0, 0, 1};

Canvas Black() { return Canvas(kSize, kSize, kBlack, false); }

// Radial glow: colour fading from the core with exponent `sharpness`.
void RadialGlow(Canvas& c, const Color& colour, float radius, float sharpness)
{
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const float d = std::hypot(x + 0.5f - kCentre, y + 0.5f - kCentre) / radius;
            if (d < 1.0f) {
                c.Add(x, y, colour, std::pow(1.0f - d, sharpness));
            }
        }
    }
}

// A jagged bolt from a to b, split recursively, drawn with a glow.
void JaggedBolt(Canvas& c, float ax, float ay, float bx, float by, float roughness, int depth, Random& random,
                const Color& glow, float thickness)
{
    if (depth == 0) {
        c.Line(ax, ay, bx, by, thickness * 3.0f, WithAlpha(glow, 0.25f));
        c.Line(ax, ay, bx, by, thickness, {1.0f, 1.0f, 1.0f, 0.95f});
        return;
    }
    const float length = std::hypot(bx - ax, by - ay);
    const float mx = (ax + bx) / 2 + random.Range(-1.0f, 1.0f) * roughness * length * (ay - by) / std::max(length, 1.0f);
    const float my = (ay + by) / 2 + random.Range(-1.0f, 1.0f) * roughness * length * (bx - ax) / std::max(length, 1.0f);
    JaggedBolt(c, ax, ay, mx, my, roughness, depth - 1, random, glow, thickness);
    JaggedBolt(c, mx, my, bx, by, roughness, depth - 1, random, glow, thickness);
}

// Fades everything towards the border so no billboard edge shows.
void Vignette(Canvas& c)
{
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const float d = std::hypot(x + 0.5f - kCentre, y + 0.5f - kCentre) / kCentre;
            const float keep = std::clamp((1.0f - d) / 0.25f, 0.0f, 1.0f);
            Color p = c.At(x, y);
            c.Set(x, y, {p.r * keep, p.g * keep, p.b * keep, 1.0f});
        }
    }
}

}  // namespace

Canvas PaintFlare()
{
    Canvas c = Black();
    RadialGlow(c, {0.3f, 0.55f, 1.0f, 1}, 62, 2.2f);
    RadialGlow(c, {0.7f, 0.85f, 1.0f, 1}, 26, 1.5f);
    RadialGlow(c, {1.0f, 1.0f, 1.0f, 1}, 10, 1.0f);
    Vignette(c);
    return c;
}

Canvas PaintFlame()
{
    Canvas c = Black();
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const float dx = (x + 0.5f - kCentre) / kCentre;
            const float dy = (y + 0.5f - kCentre) / kCentre;
            const float n = Fbm3(x / 18.0f, y / 18.0f, 0.5f, 4, 301);
            const float d = std::hypot(dx, dy * 0.85f) + (n - 0.5f) * 0.5f;
            const float heat = std::clamp(1.0f - d, 0.0f, 1.0f);
            const Color fire{std::min(1.0f, heat * 2.2f), std::pow(heat, 1.6f) * 1.5f, std::pow(heat, 3.5f) * 1.2f, 1};
            c.Set(x, y, fire);
        }
    }
    Vignette(c);
    return c;
}

Canvas PaintGunFlare()
{
    Canvas c = Black();
    RadialGlow(c, {1.0f, 0.55f, 0.15f, 1}, 60, 2.5f);
    Random random(401);
    for (int ray = 0; ray < 12; ++ray) {
        const float angle = ray * 0.5235988f + random.Range(-0.12f, 0.12f);
        const float length = random.Range(38.0f, 58.0f);
        for (float t = 0.0f; t < 1.0f; t += 0.01f) {
            const float x = kCentre + std::cos(angle) * length * t;
            const float y = kCentre + std::sin(angle) * length * t;
            c.Glow(x, y, 5.0f * (1.0f - t) + 1.5f, {1.0f, 0.8f, 0.4f, 1}, 0.25f * (1.0f - t));
        }
    }
    RadialGlow(c, {1.0f, 1.0f, 0.85f, 1}, 18, 1.2f);
    Vignette(c);
    return c;
}

Canvas PaintRedFlare()
{
    Canvas c = Black();
    RadialGlow(c, {1.0f, 0.08f, 0.04f, 1}, 62, 2.0f);
    RadialGlow(c, {1.0f, 0.45f, 0.3f, 1}, 24, 1.5f);
    RadialGlow(c, {1.0f, 0.9f, 0.85f, 1}, 8, 1.0f);
    Vignette(c);
    return c;
}

Canvas PaintStorm()
{
    // A wide horizontal discharge: the storm particles streak along x.
    Canvas c = Black();
    RadialGlow(c, {0.25f, 0.3f, 0.8f, 1}, 60, 3.0f);
    Random random(501);
    for (int bolt = 0; bolt < 3; ++bolt) {
        JaggedBolt(c, 8, kCentre + random.Range(-12.0f, 12.0f), 120, kCentre + random.Range(-12.0f, 12.0f), 0.35f,
                   6, random, {0.5f, 0.6f, 1.0f, 1}, bolt == 0 ? 2.2f : 1.2f);
    }
    Vignette(c);
    return c;
}

Canvas PaintLightning()
{
    // Small crackling arcs radiating from the centre.
    Canvas c = Black();
    RadialGlow(c, {0.55f, 0.3f, 1.0f, 1}, 40, 2.0f);
    Random random(601);
    for (int arc = 0; arc < 6; ++arc) {
        const float angle = arc * 1.0471976f + random.Range(-0.4f, 0.4f);
        const float length = random.Range(30.0f, 52.0f);
        JaggedBolt(c, kCentre, kCentre, kCentre + std::cos(angle) * length, kCentre + std::sin(angle) * length, 0.4f, 4,
                   random, {0.7f, 0.5f, 1.0f, 1}, 1.2f);
    }
    RadialGlow(c, {1.0f, 0.95f, 1.0f, 1}, 10, 1.0f);
    Vignette(c);
    return c;
}

std::vector<std::string> EffectImageNames()
{
    using namespace game_assets;
    return {kBoltFlare, kFlame, kMuzzleFlash, kCreatureShot, kStorm, kLightning};
}

void WriteEffectImages(OutputFolder& out)
{
    out.SaveJpeg(game_assets::kBoltFlare, PaintFlare());
    out.SaveJpeg(game_assets::kFlame, PaintFlame());
    out.SaveJpeg(game_assets::kMuzzleFlash, PaintGunFlare());
    out.SaveJpeg(game_assets::kCreatureShot, PaintRedFlare());
    out.SaveJpeg(game_assets::kStorm, PaintStorm());
    out.SaveJpeg(game_assets::kLightning, PaintLightning());
}

}  // namespace assetgen
