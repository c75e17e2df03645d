// Billboard axes from a modelview matrix and the corners of the square.
#include "game/render/billboard.h"

#include <gtest/gtest.h>

namespace {

const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

void ExpectVector(const Vector3& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-6f);
    EXPECT_NEAR(v.y, y, 1e-6f);
    EXPECT_NEAR(v.z, z, 1e-6f);
}

TEST(Billboard, IdentityViewGivesASquareInTheXYPlane) {
    Vector3 corners[4];
    BillboardCorners(Vector3(0, 0, 0), BillboardAxesFromMatrix(kIdentity), 1.0f, corners);
    ExpectVector(corners[0], -1, -1, 0);
    ExpectVector(corners[1], 1, -1, 0);
    ExpectVector(corners[2], 1, 1, 0);
    ExpectVector(corners[3], -1, 1, 0);
}

TEST(Billboard, AxesAreTheRowsOfTheRotation) {
    // A view turned 90 degrees about y: the camera's right is the world's -z
    // and the column-major storage must be read by rows.
    const float yaw90[16] = {0, 0, 1, 0, 0, 1, 0, 0, -1, 0, 0, 0, 5, 6, 7, 1};
    const BillboardAxes axes = BillboardAxesFromMatrix(yaw90);
    ExpectVector(axes.right, 0, 0, -1);
    ExpectVector(axes.up, 0, 1, 0);

    Vector3 corners[4];
    BillboardCorners(Vector3(10, 0, 0), axes, 0.5f, corners);
    ExpectVector(corners[0], 10, -0.5f, 0.5f);
    ExpectVector(corners[2], 10, 0.5f, -0.5f);
}

TEST(Billboard, NegativeHalfExtentSwapsTheCorners) {
    const BillboardAxes axes = BillboardAxesFromMatrix(kIdentity);
    Vector3 positive[4];
    Vector3 negative[4];
    BillboardCorners(Vector3(1, 2, 3), axes, 0.7f, positive);
    BillboardCorners(Vector3(1, 2, 3), axes, -0.7f, negative);
    for (int i = 0; i < 4; ++i) {
        const Vector3& opposite = positive[(i + 2) % 4];
        ExpectVector(negative[i], opposite.x, opposite.y, opposite.z);
    }
}

}  // namespace
