// Sky painting. The cube's quads are given here exactly as the game draws
// them (before its half turn about the vertical axis), so a texel maps to
// the direction the player sees it in.
#include "tools/assetgen/skybox.h"

#include "game/render/sun_place.h"
#include "tools/assetgen/noise.h"
#include "tools/assetgen/random.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

const char* const kSkyFaceNames[6] = {"skywest.jpg", "skyeast.jpg",  "skytop.jpg",
                                      "skybottom.jpg", "skynorth.jpg", "skysouth.jpg"};

namespace {

constexpr int kFaceSize = 512;

// Quad corners with texture coordinates (0,0), (1,0), (1,1), (0,1).
const Vector3 kFaceCorners[6][4] = {
    {{100, -101, -101}, {100, -101, 101}, {100, 101, 101}, {100, 101, -101}},      // west
    {{-100, -101, 101}, {-100, -101, -101}, {-100, 101, -101}, {-100, 101, 101}},  // east
    {{101, 100, 101}, {-101, 100, 101}, {-101, 100, -101}, {101, 100, -101}},      // top
    {{-100, -100, -100}, {-100, -100, 100}, {100, -100, 100}, {100, -100, -100}},  // bottom
    {{101, -101, 100}, {-101, -101, 100}, {-101, 101, 100}, {101, 101, 100}},      // north
    {{-101, -101, -100}, {101, -101, -100}, {101, 101, -100}, {-101, 101, -100}},  // south
};

// Where the game's sun light shines from.
const Vector3 kSunDirection =
    Normalized({gl_lights::kSunPosition[0], gl_lights::kSunPosition[1], gl_lights::kSunPosition[2]});
const Vector3 kPlanetDirection = Normalized({1.0f, 0.42f, 0.25f});  // ahead of the player at the start
constexpr float kPlanetAngle = 0.26f;                      // angular radius, radians

float Smoothstep(float a, float b, float x)
{
    const float t = std::clamp((x - a) / (b - a), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// Stars hashed on a lattice of directions: density per cell, size in radians.
float StarLight(Vector3 d, float cellsPerUnit, float density, float size, uint32_t seed)
{
    const Vector3 p = d * cellsPerUnit;
    const int cx = static_cast<int>(std::floor(p.x));
    const int cy = static_cast<int>(std::floor(p.y));
    const int cz = static_cast<int>(std::floor(p.z));
    float light = 0.0f;
    for (int dz = -1; dz <= 1; ++dz) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const int x = cx + dx;
                const int y = cy + dy;
                const int z = cz + dz;
                if (HashUnit(x, y, z, seed) > density) {
                    continue;
                }
                const Vector3 star = Normalized({x + HashUnit(x, y, z, seed + 1), y + HashUnit(x, y, z, seed + 2),
                                                 z + HashUnit(x, y, z, seed + 3)});
                const float angle = Length(d - star);
                const float brightness = 0.3f + 0.7f * HashUnit(x, y, z, seed + 4);
                light += brightness * std::exp(-(angle * angle) / (size * size));
            }
        }
    }
    return light;
}

// The thin atmosphere around the planet, brightest on the sunny side; it
// runs on under the disc's edge so the edge pixels blend into it.
Color PlanetHalo(Vector3 d)
{
    const float cosAngle = Dot(d, kPlanetDirection);
    const float rim = std::cos(kPlanetAngle * 1.08f);
    if (cosAngle < rim) {
        return {0, 0, 0, 1};
    }
    const float halo = Smoothstep(rim, std::cos(kPlanetAngle), cosAngle) * 0.8f;
    const float sunSide = std::max(0.0f, Dot(Normalized(d - kPlanetDirection), kSunDirection));
    const float glow = halo * (0.3f + sunSide);
    return {0.3f * glow, 0.5f * glow, 0.9f * glow, 1};
}

// The planet as a sphere: returns how much of the pixel it covers (0 off
// the disc) and its colour there.
float PlanetDisc(Vector3 d, Color& colour)
{
    const float cosAngle = Dot(d, kPlanetDirection);
    const float edge = std::cos(kPlanetAngle);
    // Unit sphere seen from distance 1 / sin(angle) along the planet direction.
    const float distance = 1.0f / std::sin(kPlanetAngle);
    const Vector3 centre = kPlanetDirection * distance;
    const float b = Dot(d, centre);
    const float disc = b * b - (Dot(centre, centre) - 1.0f);
    if (cosAngle < edge - 0.0006f || b <= 0.0f) {
        return 0.0f;
    }
    // Pixels on the very edge take the limb's surface point.
    const Vector3 hit = d * (b - std::sqrt(std::max(disc, 0.0f)));
    const Vector3 normal = Normalized(hit - centre);
    // Banded gas giant: latitude bands bent by turbulence.
    const Vector3 axis = Normalized({0.2f, 1.0f, 0.3f});
    const float latitude = Dot(normal, axis);
    const float swirl = Fbm3(normal.x * 3.0f, normal.y * 3.0f, normal.z * 3.0f, 5, 901);
    const float band = 0.5f + 0.5f * std::sin(latitude * 14.0f + swirl * 6.0f);
    const Color pale{0.85f, 0.72f, 0.55f, 1.0f};
    const Color rust{0.60f, 0.32f, 0.18f, 1.0f};
    Color surface = Mix(rust, pale, band);
    const float storm = Smoothstep(0.12f, 0.05f, Length(normal - Normalized({-0.85f, -0.2f, -0.45f})));
    surface = Mix(surface, {0.75f, 0.25f, 0.12f, 1.0f}, storm);
    const float lambert = std::max(0.0f, Dot(normal, kSunDirection));
    const float light = 0.03f + 0.97f * Smoothstep(0.0f, 0.35f, lambert) * (0.4f + 0.6f * lambert);
    colour = Scaled(surface, light);
    return Smoothstep(edge - 0.0006f, edge + 0.0006f, cosAngle);
}

}  // namespace

Vector3 SkyDirection(int face, float u, float v)
{
    const Vector3* q = kFaceCorners[face];
    const Vector3 p = q[0] * ((1 - u) * (1 - v)) + q[1] * (u * (1 - v)) + q[2] * (u * v) + q[3] * ((1 - u) * v);
    return Normalized({-p.x, p.y, -p.z});  // the game turns the cube half way round
}

Color SkyColor(Vector3 d)
{
    // Deep blue-black, a little lighter towards the horizon.
    const float horizon = std::exp(-std::fabs(d.y) * 6.0f);
    Color sky{0.005f + 0.03f * horizon, 0.008f + 0.035f * horizon, 0.02f + 0.06f * horizon, 1.0f};
    // A faint violet nebula across part of the sky.
    const float cloud = Fbm3(d.x * 2.2f + 5.0f, d.y * 2.2f, d.z * 2.2f, 5, 77);
    const float nebula = Smoothstep(0.5f, 0.8f, cloud) * Smoothstep(-0.2f, 0.4f, d.y + d.z * 0.5f);
    sky = Mix(sky, {0.16f, 0.06f, 0.22f, 1.0f}, nebula * 0.6f);
    const float stars = StarLight(d, 90.0f, 0.012f, 0.0032f, 7) * 0.8f + StarLight(d, 30.0f, 0.01f, 0.005f, 8) * 1.5f;
    const float twinkleTint = Fbm3(d.x * 40, d.y * 40, d.z * 40, 2, 9);
    sky.r += stars * (0.8f + 0.3f * twinkleTint);
    sky.g += stars * 0.85f;
    sky.b += stars * (1.1f - 0.3f * twinkleTint);
    // The sun: a small white disc in a warm glow, where the sun light comes from.
    const float sunAngle = Length(d - kSunDirection);
    const float sun = Smoothstep(0.035f, 0.03f, sunAngle) + 0.5f * std::exp(-sunAngle * sunAngle / 0.006f);
    sky.r += sun;
    sky.g += sun * 0.95f;
    sky.b += sun * 0.8f;
    const Color halo = PlanetHalo(d);
    sky = {sky.r + halo.r, sky.g + halo.g, sky.b + halo.b, 1};
    Color planet;
    const float cover = PlanetDisc(d, planet);
    return cover > 0.0f ? Mix(sky, planet, cover) : sky;
}

void WriteSkybox(OutputFolder& out)
{
    for (int face = 0; face < 6; ++face) {
        Canvas canvas(kFaceSize, kFaceSize, {}, false);
        for (int y = 0; y < kFaceSize; ++y) {
            for (int x = 0; x < kFaceSize; ++x) {
                const float u = (x + 0.5f) / kFaceSize;
                const float v = 1.0f - (y + 0.5f) / kFaceSize;  // row 0 is the picture's top, v = 1
                canvas.Set(x, y, SkyColor(SkyDirection(face, u, v)));
            }
        }
        out.SaveJpeg(kSkyFaceNames[face], canvas, 92);
    }
}

}  // namespace assetgen
