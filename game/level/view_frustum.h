// ViewFrustum: the six planes of what the camera's projection can show, in
// world coordinates, for deciding cheaply that a box or sphere is out of
// sight. Every test errs towards "may be seen".
#pragma once

#include "game/core/vector3.h"

struct Box3 {
    Vector3 min;
    Vector3 max;
};

class ViewFrustum {
public:
    // A frustum that holds everything.
    ViewFrustum();
    // From column-major 4 x 4 matrices as GL keeps them; the modelview
    // matrix must hold the view alone, so the planes come out in world
    // coordinates.
    static ViewFrustum FromMatrices(const float projection[16], const float modelview[16]);
    // From the current GL projection and modelview matrices.
    static ViewFrustum FromCurrentMatrices();

    bool MayHoldBox(const Box3& box) const;
    bool MayHoldSphere(const Vector3& centre, float radius) const;

private:
    struct Plane {
        Vector3 normal;  // unit length, pointing into the frustum
        float offset = 0.0f;
        float DistanceTo(const Vector3& p) const { return normal.x * p.x + normal.y * p.y + normal.z * p.z + offset; }
    };
    Plane planes[6];
    bool holdsAll = true;
};
