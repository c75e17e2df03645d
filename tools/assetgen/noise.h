// Value noise: tileable 2D noise for textures that must repeat seamlessly
// across block faces, and plain 3D noise for things sampled by direction.
#pragma once

#include <cstdint>

namespace assetgen {

// Smooth noise in [0, 1] over a lattice that repeats every `period` cells in
// x and y; (x, y) are in lattice cells.
float TileNoise(float x, float y, int period, uint32_t seed);

// Fractal sum of TileNoise over `octaves` octaves, starting with `period`
// cells across the tile and doubling each octave; the result stays in [0, 1]
// and tiles over u, v in [0, 1).
float TileFbm(float u, float v, int period, int octaves, uint32_t seed);

// Smooth 3D noise in [0, 1] (not periodic).
float Noise3(float x, float y, float z, uint32_t seed);

// Fractal sum of Noise3, in [0, 1].
float Fbm3(float x, float y, float z, int octaves, uint32_t seed);

}  // namespace assetgen
