// Affine transforms.
#include "tools/assetgen/transform.h"

#include <cmath>

namespace assetgen {
namespace {

constexpr float kDegrees = 3.14159265358979f / 180.0f;

}  // namespace

Transform::Transform() : m{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}} {}

Transform Transform::Translate(float x, float y, float z)
{
    Transform t;
    t.m[0][3] = x;
    t.m[1][3] = y;
    t.m[2][3] = z;
    return t;
}

Transform Transform::Scale(float x, float y, float z)
{
    Transform t;
    t.m[0][0] = x;
    t.m[1][1] = y;
    t.m[2][2] = z;
    return t;
}

Transform Transform::RotateX(float degrees)
{
    const float c = std::cos(degrees * kDegrees);
    const float s = std::sin(degrees * kDegrees);
    Transform t;
    t.m[1][1] = c;
    t.m[1][2] = -s;
    t.m[2][1] = s;
    t.m[2][2] = c;
    return t;
}

Transform Transform::RotateY(float degrees)
{
    const float c = std::cos(degrees * kDegrees);
    const float s = std::sin(degrees * kDegrees);
    Transform t;
    t.m[0][0] = c;
    t.m[0][2] = s;
    t.m[2][0] = -s;
    t.m[2][2] = c;
    return t;
}

Transform Transform::RotateZ(float degrees)
{
    const float c = std::cos(degrees * kDegrees);
    const float s = std::sin(degrees * kDegrees);
    Transform t;
    t.m[0][0] = c;
    t.m[0][1] = -s;
    t.m[1][0] = s;
    t.m[1][1] = c;
    return t;
}

Transform Transform::AlignZ(Vector3 axis)
{
    const Vector3 z = Normalized(axis);
    const Vector3 helper = std::fabs(z.z) < 0.9f ? Vector3{0, 0, 1} : Vector3{1, 0, 0};
    const Vector3 x = Normalized(Cross(helper, z));
    const Vector3 y = Cross(z, x);
    Transform t;
    const Vector3 columns[3] = {x, y, z};
    for (int c = 0; c < 3; ++c) {
        t.m[0][c] = columns[c].x;
        t.m[1][c] = columns[c].y;
        t.m[2][c] = columns[c].z;
    }
    return t;
}

Transform Transform::operator*(const Transform& o) const
{
    Transform r;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 4; ++j) {
            float sum = j == 3 ? m[i][3] : 0.0f;
            for (int k = 0; k < 3; ++k) {
                sum += m[i][k] * o.m[k][j];
            }
            r.m[i][j] = sum;
        }
    }
    return r;
}

Vector3 Transform::Point(Vector3 p) const
{
    return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z + m[0][3],
            m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z + m[1][3],
            m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z + m[2][3]};
}

Vector3 Transform::Direction(Vector3 d) const
{
    return {m[0][0] * d.x + m[0][1] * d.y + m[0][2] * d.z, m[1][0] * d.x + m[1][1] * d.y + m[1][2] * d.z,
            m[2][0] * d.x + m[2][1] * d.y + m[2][2] * d.z};
}

bool Transform::Mirrors() const
{
    const Vector3 x{m[0][0], m[1][0], m[2][0]};
    const Vector3 y{m[0][1], m[1][1], m[2][1]};
    const Vector3 z{m[0][2], m[1][2], m[2][2]};
    return Dot(Cross(x, y), z) < 0.0f;
}

}  // namespace assetgen
