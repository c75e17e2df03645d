// Vector3 arithmetic, normalisation, cross product and the float trig.
#include "game/core/vector3.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void ExpectVector(const Vector3& v, float x, float y, float z) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
}

TEST(Vector3, ComponentwiseArithmetic) {
    Vector3 a(1, 2, 3);
    const Vector3 b(4, -5, 6);
    ExpectVector(a + b, 5, -3, 9);
    ExpectVector(a - b, -3, 7, -3);
    ExpectVector(a * 2.0f, 2, 4, 6);
    ExpectVector(-a, -1, -2, -3);
    a += b;
    ExpectVector(a, 5, -3, 9);
    a -= b;
    ExpectVector(a, 1, 2, 3);
    ExpectVector(Vector3(), 0, 0, 0);
}

TEST(Vector3, DivisionMultipliesByTheReciprocal) {
    const Vector3 v(1, 2, 3);
    const Vector3 halved = v / 2.0f;
    const Vector3 scaled = v * 0.5f;
    EXPECT_EQ(halved.x, scaled.x);
    EXPECT_EQ(halved.y, scaled.y);
    EXPECT_EQ(halved.z, scaled.z);
    // 1/3 is rounded once and then multiplied, which differs from dividing
    // each component by 3.
    const Vector3 third = Vector3(1, 2, 7) / 3.0f;
    EXPECT_EQ(third.z, 7.0f * (1.0f / 3.0f));
}

TEST(Vector3, LengthAndNormalized) {
    EXPECT_FLOAT_EQ(Vector3(3, 0, 4).Length(), 5.0f);
    ExpectVector(Vector3(3, 0, 4).Normalized(), 0.6f, 0.0f, 0.8f);
    const Vector3 zero = Vector3().Normalized();
    EXPECT_FALSE(std::isfinite(zero.x));
}

TEST(Vector3, CrossFollowsTheRightHandRule) {
    ExpectVector(Cross(Vector3(1, 0, 0), Vector3(0, 1, 0)), 0, 0, 1);
    ExpectVector(Cross(Vector3(0, 1, 0), Vector3(1, 0, 0)), 0, 0, -1);
    ExpectVector(Cross(Vector3(2, 3, 4), Vector3(5, 6, 7)), -3, 6, -3);
}

TEST(Vector3, ComponentsAreAFloatArray) {
    const Vector3 v(7, 8, 9);
    const float* data = v.Data();
    EXPECT_EQ(data[0], 7.0f);
    EXPECT_EQ(data[1], 8.0f);
    EXPECT_EQ(data[2], 9.0f);
}

TEST(Vector3, DegreesToRadiansForSineAndCosine) {
    EXPECT_NEAR(Sin(90.0f * kDegToRad), 1.0f, 1e-7f);
    EXPECT_NEAR(Cos(90.0f * kDegToRad), 0.0f, 1e-7f);
    EXPECT_NEAR(Cos(180.0f * kDegToRad), -1.0f, 1e-7f);
    EXPECT_NEAR(kDegToRadDouble, M_PI / 180.0, 1e-9);
}

}  // namespace
