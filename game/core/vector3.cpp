// Vector3 arithmetic that is not inline, and the float sine and cosine.
#include "game/core/vector3.h"

#include <cmath>
#include <type_traits>

static_assert(sizeof(Vector3) == 3 * sizeof(float), "Vector3 must be three packed floats");
static_assert(std::is_standard_layout<Vector3>::value, "Vector3 is handed to GL as a float array");

Vector3& Vector3::operator+=(const Vector3& b) {
    x += b.x;
    y += b.y;
    z += b.z;
    return *this;
}

Vector3& Vector3::operator-=(const Vector3& b) {
    x -= b.x;
    y -= b.y;
    z -= b.z;
    return *this;
}

float Vector3::Length() const { return std::sqrt(x * x + y * y + z * z); }

Vector3 Cross(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float Sin(float radians) { return static_cast<float>(std::sin(static_cast<double>(radians))); }

float Cos(float radians) { return static_cast<float>(std::cos(static_cast<double>(radians))); }
