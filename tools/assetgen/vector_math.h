// The few vector operations the generator needs beyond the game's Vector3
// (sky directions, mesh vertices, normals): a dot product, a length as a
// free function, and a normalisation that leaves a zero vector as it is,
// since a degenerate face of a mesh has no direction.
#pragma once

#include <cmath>

#include "game/core/vector3.h"

namespace assetgen {

inline Vector3 operator*(float s, const Vector3& a) { return a * s; }
inline float Dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline float Length(const Vector3& a) { return std::sqrt(Dot(a, a)); }
inline Vector3 Normalized(const Vector3& a)
{
    const float length = Length(a);
    return length > 0.0f ? a * (1.0f / length) : a;
}

}  // namespace assetgen
