// Extracting the view frustum's planes from the clip matrix, and the box
// and sphere tests against them.
#include "game/level/view_frustum.h"

#include <GL/gl.h>

#include <cmath>

namespace {

// How far outside a plane something must lie to be out of sight: covers
// the rounding between these float planes and the rasterizer's own.
constexpr float kSlack = 0.01f;

}  // namespace

ViewFrustum::ViewFrustum() = default;

ViewFrustum ViewFrustum::FromMatrices(const float projection[16], const float modelview[16]) {
    // clip = projection x modelview; element (row r, column c) is at [c * 4 + r].
    float clip[16];
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += projection[k * 4 + r] * modelview[c * 4 + k];
            clip[c * 4 + r] = sum;
        }
    auto row = [&clip](int r, int c) { return clip[c * 4 + r]; };

    ViewFrustum frustum;
    frustum.holdsAll = false;
    // A point is inside when -w <= x, y, z <= w in clip space: each plane is
    // the fourth row plus or minus one of the first three.
    for (int i = 0; i < 6; ++i) {
        const int axis = i / 2;
        const float sign = i % 2 ? -1.0f : 1.0f;
        float p[4];
        for (int c = 0; c < 4; ++c) p[c] = row(3, c) + sign * row(axis, c);
        const float length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
        if (!(length > 0.0f)) return ViewFrustum();  // a degenerate view: hold everything
        frustum.planes[i].normal = Vector3(p[0] / length, p[1] / length, p[2] / length);
        frustum.planes[i].offset = p[3] / length;
    }
    return frustum;
}

ViewFrustum ViewFrustum::FromCurrentMatrices() {
    float projection[16];
    float modelview[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    return FromMatrices(projection, modelview);
}

bool ViewFrustum::MayHoldBox(const Box3& box) const {
    if (holdsAll) return true;
    for (const Plane& plane : planes) {
        // The box corner furthest along the plane's inward normal.
        const Vector3 corner(plane.normal.x >= 0.0f ? box.max.x : box.min.x,
                             plane.normal.y >= 0.0f ? box.max.y : box.min.y,
                             plane.normal.z >= 0.0f ? box.max.z : box.min.z);
        if (plane.DistanceTo(corner) < -kSlack) return false;
    }
    return true;
}

bool ViewFrustum::MayHoldSphere(const Vector3& centre, float radius) const {
    if (holdsAll) return true;
    for (const Plane& plane : planes)
        if (plane.DistanceTo(centre) < -(radius + kSlack)) return false;
    return true;
}
