// Vector3: the game's three-float vector for positions, velocities,
// directions and colours, with the float sine, cosine and degree factors
// that go with it.
#pragma once

// Angles are kept in degrees and converted just before a sine or cosine.
constexpr float kDegToRad = 0.017453292f;
constexpr double kDegToRadDouble = 0.017453293005625408;

// Three consecutive floats, so &v.x can go straight to glVertex3fv and
// friends.
struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    constexpr Vector3() = default;
    constexpr Vector3(float x, float y, float z) : x(x), y(y), z(z) {}

    Vector3 operator+(const Vector3& b) const { return {x + b.x, y + b.y, z + b.z}; }
    Vector3 operator-(const Vector3& b) const { return {x - b.x, y - b.y, z - b.z}; }
    Vector3 operator*(float s) const { return {x * s, y * s, z * s}; }
    // One reciprocal, then three products: cheaper than three divisions.
    Vector3 operator/(float s) const { return *this * (1.0f / s); }
    Vector3 operator-() const { return {-x, -y, -z}; }
    Vector3& operator+=(const Vector3& b);
    Vector3& operator-=(const Vector3& b);

    float Length() const;
    // Not guarded: a zero vector gives non-finite components.
    Vector3 Normalized() const { return *this / Length(); }

    const float* Data() const { return &x; }
};

Vector3 Cross(const Vector3& a, const Vector3& b);

// Computed in double precision, narrowed to float.
float Sin(float radians);
float Cos(float radians);
