// Matrix: inversion, products, rotations and the text format.
#include "framework/matrix.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace ondra {
namespace {

Matrix Translation(float x, float y, float z) {
    Matrix t;
    t.SetTranslation({x, y, z});
    return t;
}

TEST(Matrix, InverseOfIdentityAndTranslation) {
    Matrix identity;
    EXPECT_TRUE(identity.Inverse().Equals(identity));
    EXPECT_TRUE(Translation(1, 2, 3).Inverse().NearlyEquals(Translation(-1, -2, -3), 1e-6f));
}

TEST(Matrix, InverseOfWellConditionedRandomMatrices) {
    std::mt19937 rng(1234);
    std::uniform_real_distribution<float> noise(-0.5f, 0.5f);
    for (int trial = 0; trial < 200; ++trial) {
        Matrix m;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) m[r][c] = (r == c ? 3.0f : 0.0f) + noise(rng);
        Matrix product = m * m.Inverse();
        ASSERT_TRUE(product.NearlyEquals(Matrix(), 1e-5f)) << m;
    }
}

TEST(Matrix, SingularMatrixThrowsAndStaysUnchanged) {
    Matrix m = Translation(1, 2, 3);
    m[2][2] = 0.0f;  // column 2 is now all zero
    const Matrix before = m;
    try {
        m.Invert();
        FAIL() << "expected Cannot invert";
    } catch (const char* error) {
        EXPECT_STREQ("Cannot invert", error);
    }
    EXPECT_TRUE(m.Equals(before));
}

TEST(Matrix, PivotingHandlesZeroDiagonal) {
    Matrix swap;  // exchanges x and y: needs a row pivot
    swap[0][0] = 0;
    swap[0][1] = 1;
    swap[1][0] = 1;
    swap[1][1] = 0;
    EXPECT_TRUE((swap * swap.Inverse()).NearlyEquals(Matrix(), 1e-6f));
}

TEST(Matrix, MultiplyIsPreMultiplication) {
    Matrix a;
    a.SetRotationZ(0.5f);
    const Matrix t = Translation(4, 5, 6);
    Matrix m = a;
    m.Multiply(t);
    EXPECT_TRUE(m.NearlyEquals(t * a, 1e-6f));
    EXPECT_FALSE(m.NearlyEquals(a * t, 1e-3f));

    Matrix translated = a;
    translated.Translate({4, 5, 6});
    EXPECT_TRUE(translated.NearlyEquals(t * a, 1e-6f));
}

TEST(Matrix, RotationsTurnAxesCounterClockwise) {
    const float quarter = 1.5707963f;
    Matrix rz;
    rz.SetRotationZ(quarter);
    Vec3 p = rz.TransformPoint({1, 0, 0});
    EXPECT_NEAR(p.x, 0, 1e-6f);
    EXPECT_NEAR(p.y, 1, 1e-6f);

    Matrix rx;
    rx.SetRotationX(quarter);
    p = rx.TransformPoint({0, 1, 0});
    EXPECT_NEAR(p.z, 1, 1e-6f);

    Matrix ry;
    ry.SetRotationY(quarter);
    p = ry.TransformPoint({0, 0, 1});
    EXPECT_NEAR(p.x, 1, 1e-6f);
}

TEST(Matrix, AxisAngleRotationMatchesAxisRotations) {
    Matrix expected, actual;
    expected.SetRotationZ(0.7f);
    actual.SetRotation({0, 0, 2}, 0.7f);
    EXPECT_TRUE(actual.NearlyEquals(expected, 1e-6f));
    expected.SetRotationX(-0.3f);
    actual.SetRotation({1, 0, 0}, -0.3f);
    EXPECT_TRUE(actual.NearlyEquals(expected, 1e-6f));
    expected.SetRotationY(1.1f);
    actual.SetRotation({0, 1, 0}, 1.1f);
    EXPECT_TRUE(actual.NearlyEquals(expected, 1e-6f));
}

TEST(Matrix, BasisColumnsAndColumnMajorOrder) {
    Matrix m;
    m.SetBasis({1, 2, 3}, {4, 5, 6}, {7, 8, 9});
    m.SetColumn(3, {10, 11, 12});
    float gl[16];
    m.ToColumnMajor(gl);
    const float expected[16] = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 1};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(expected[i], gl[i]) << i;
}

TEST(Matrix, StreamFormatRoundTrips) {
    Matrix m = Translation(1.5f, -2, 3);
    std::ostringstream out;
    out << m;
    EXPECT_EQ("1 0 0 1.5\n0 1 0 -2\n0 0 1 3\n0 0 0 1\n", out.str());
    Matrix read;
    read.SetZero();
    std::istringstream in(out.str());
    in >> read;
    EXPECT_TRUE(read.Equals(m));
}

}  // namespace
}  // namespace ondra
