// Value noise on a hashed lattice with smoothstep interpolation.
#include "tools/assetgen/noise.h"

#include "tools/assetgen/random.h"

#include <cmath>

namespace assetgen {
namespace {

float Smooth(float t) { return t * t * (3.0f - 2.0f * t); }

float Lerp(float a, float b, float t) { return a + (b - a) * t; }

int Wrap(int i, int period) { return ((i % period) + period) % period; }

}  // namespace

float TileNoise(float x, float y, int period, uint32_t seed)
{
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int x0 = Wrap(static_cast<int>(fx), period);
    const int y0 = Wrap(static_cast<int>(fy), period);
    const int x1 = Wrap(x0 + 1, period);
    const int y1 = Wrap(y0 + 1, period);
    const float tx = Smooth(x - fx);
    const float ty = Smooth(y - fy);
    const float top = Lerp(HashUnit(x0, y0, 0, seed), HashUnit(x1, y0, 0, seed), tx);
    const float bottom = Lerp(HashUnit(x0, y1, 0, seed), HashUnit(x1, y1, 0, seed), tx);
    return Lerp(top, bottom, ty);
}

float TileFbm(float u, float v, int period, int octaves, uint32_t seed)
{
    float sum = 0.0f;
    float weight = 0.5f;
    float total = 0.0f;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight * TileNoise(u * period, v * period, period, seed + octave * 101u);
        total += weight;
        weight *= 0.5f;
        period *= 2;
    }
    return total > 0.0f ? sum / total : 0.0f;
}

float Noise3(float x, float y, float z, uint32_t seed)
{
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const float fz = std::floor(z);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const int iz = static_cast<int>(fz);
    const float tx = Smooth(x - fx);
    const float ty = Smooth(y - fy);
    const float tz = Smooth(z - fz);
    float layer[2];
    for (int dz = 0; dz < 2; ++dz) {
        const float a = Lerp(HashUnit(ix, iy, iz + dz, seed), HashUnit(ix + 1, iy, iz + dz, seed), tx);
        const float b = Lerp(HashUnit(ix, iy + 1, iz + dz, seed), HashUnit(ix + 1, iy + 1, iz + dz, seed), tx);
        layer[dz] = Lerp(a, b, ty);
    }
    return Lerp(layer[0], layer[1], tz);
}

float Fbm3(float x, float y, float z, int octaves, uint32_t seed)
{
    float sum = 0.0f;
    float weight = 0.5f;
    float total = 0.0f;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight * Noise3(x, y, z, seed + octave * 131u);
        total += weight;
        weight *= 0.5f;
        x *= 2.0f;
        y *= 2.0f;
        z *= 2.0f;
    }
    return total > 0.0f ? sum / total : 0.0f;
}

}  // namespace assetgen
