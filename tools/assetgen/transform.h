// Transform: an affine 3D transform (3 x 4, translation in the last
// column) for placing model parts. Products apply the right-hand factor
// first: (A * B).Point(p) == A.Point(B.Point(p)).
#pragma once

#include "tools/assetgen/vector_math.h"

namespace assetgen {

class Transform {
public:
    Transform();  // identity

    static Transform Translate(float x, float y, float z);
    static Transform Translate(Vector3 offset) { return Translate(offset.x, offset.y, offset.z); }
    static Transform Scale(float x, float y, float z);
    static Transform RotateX(float degrees);
    static Transform RotateY(float degrees);
    static Transform RotateZ(float degrees);
    // Maps local +z onto `axis` (for cylinders and cones along any axis).
    static Transform AlignZ(Vector3 axis);

    Transform operator*(const Transform& other) const;
    Vector3 Point(Vector3 p) const;
    Vector3 Direction(Vector3 d) const;  // without translation
    // Whether the transform mirrors space, which flips triangle winding.
    bool Mirrors() const;

private:
    float m[3][4];
};

}  // namespace assetgen
