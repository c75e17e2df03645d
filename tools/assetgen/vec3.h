// V3: the small 3D vector the generator computes with (sky directions,
// mesh vertices, normals).
#pragma once

#include <cmath>

namespace assetgen {

struct V3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

inline V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline V3 operator*(V3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline V3 operator*(float s, V3 a) { return a * s; }
inline float Dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline V3 Cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline float Length(V3 a) { return std::sqrt(Dot(a, a)); }
inline V3 Normalized(V3 a)
{
    const float length = Length(a);
    return length > 0.0f ? a * (1.0f / length) : a;
}

}  // namespace assetgen
