// Random: the generator's own seeded number source. Every asset draws from a
// Random made with a fixed seed, so the data comes out byte-identical on every
// run and every platform (std::rand and the std distributions do not promise
// that).
#pragma once

#include <cstdint>

namespace assetgen {

class Random {
public:
    explicit Random(uint64_t seed) : state(seed) {}

    // splitmix64: tiny, fast and well distributed for procedural content.
    uint64_t Next()
    {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    float Unit() { return static_cast<float>(Next() >> 40) / 16777216.0f; }

    // Uniform in [lo, hi).
    float Range(float lo, float hi) { return lo + (hi - lo) * Unit(); }

    // Uniform integer in [0, count).
    int Below(int count) { return count <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint64_t>(count)); }

private:
    uint64_t state;
};

// A stateless hash of lattice coordinates, for noise that must be a pure
// function of position (tileable textures, the sky seen from any face).
inline uint32_t HashCoords(int x, int y, int z, uint32_t seed)
{
    uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h = (h << 17) | (h >> 15);
    h ^= static_cast<uint32_t>(z) * 0x27D4EB2Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

inline float HashUnit(int x, int y, int z, uint32_t seed)
{
    return static_cast<float>(HashCoords(x, y, z, seed) >> 8) / 16777216.0f;
}

}  // namespace assetgen
