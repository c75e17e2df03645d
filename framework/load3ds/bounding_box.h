// BoundingBox: an axis-aligned box given by its minimum and maximum corners,
// used for the objects of a 3DS model and for the model as a whole.
#pragma once

#include "framework/vec3.h"

namespace ondra {

class BoundingBox {
public:
    BoundingBox() = default;  // both corners at the origin
    // The box spanned by two opposite corners, in any order.
    BoundingBox(const Vec3& a, const Vec3& b) { Set(a, b); }

    void SetZero();
    void Set(const Vec3& a, const Vec3& b);
    void Extend(const Vec3& point);
    void Extend(const BoundingBox& box);

    // Bounds count as inside.
    bool Contains(const Vec3& point) const;
    bool Contains(const BoundingBox& box) const;
    // Touching boxes overlap.
    bool Overlaps(const BoundingBox& box) const;
    // A cheap test: the end points and the midpoint of the segment only.
    bool TouchesSegment(const Vec3& a, const Vec3& b) const;

    Vec3 GetCentre() const;
    Vec3 GetSize() const;
    void SetCentre(const Vec3& centre);  // keeps the size
    void SetSize(const Vec3& size);      // keeps the centre

    // The twelve edges as GL lines, in the current GL context.
    void DrawOutline() const;

    const Vec3& Min() const { return min_; }
    const Vec3& Max() const { return max_; }

private:
    Vec3 min_;
    Vec3 max_;
};

}  // namespace ondra
