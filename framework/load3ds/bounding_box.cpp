// BoundingBox: corner arithmetic and containment tests. The outline drawer
// is in bounding_box_outline.cpp, apart, as it needs GL.
#include "framework/load3ds/bounding_box.h"

#include <algorithm>
#include <utility>

namespace ondra {
namespace {

Vec3 Lerp(const Vec3& a, const Vec3& b, float t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t};
}

}  // namespace

void BoundingBox::SetZero() {
    min_ = Vec3();
    max_ = Vec3();
}

void BoundingBox::Set(const Vec3& a, const Vec3& b) {
    min_ = a;
    max_ = b;
    if (min_.x > max_.x) std::swap(min_.x, max_.x);
    if (min_.y > max_.y) std::swap(min_.y, max_.y);
    if (min_.z > max_.z) std::swap(min_.z, max_.z);
}

void BoundingBox::Extend(const Vec3& p) {
    min_ = {std::min(min_.x, p.x), std::min(min_.y, p.y), std::min(min_.z, p.z)};
    max_ = {std::max(max_.x, p.x), std::max(max_.y, p.y), std::max(max_.z, p.z)};
}

void BoundingBox::Extend(const BoundingBox& box) {
    Extend(box.min_);
    Extend(box.max_);
}

bool BoundingBox::Contains(const Vec3& p) const {
    return min_.x <= p.x && p.x <= max_.x && min_.y <= p.y && p.y <= max_.y &&
           min_.z <= p.z && p.z <= max_.z;
}

bool BoundingBox::Contains(const BoundingBox& box) const {
    return Contains(box.min_) && Contains(box.max_);
}

bool BoundingBox::Overlaps(const BoundingBox& b) const {
    if (max_.x < b.min_.x || b.max_.x < min_.x) return false;
    if (max_.y < b.min_.y || b.max_.y < min_.y) return false;
    if (max_.z < b.min_.z || b.max_.z < min_.z) return false;
    return true;
}

bool BoundingBox::TouchesSegment(const Vec3& a, const Vec3& b) const {
    return Contains(a) || Contains(b) || Contains(Lerp(a, b, 0.5f));
}

Vec3 BoundingBox::GetCentre() const {
    return {(min_.x + max_.x) * 0.5f, (min_.y + max_.y) * 0.5f, (min_.z + max_.z) * 0.5f};
}

Vec3 BoundingBox::GetSize() const {
    return {max_.x - min_.x, max_.y - min_.y, max_.z - min_.z};
}

void BoundingBox::SetCentre(const Vec3& c) {
    const Vec3 s = GetSize();
    min_ = {c.x - s.x * 0.5f, c.y - s.y * 0.5f, c.z - s.z * 0.5f};
    max_ = {c.x + s.x * 0.5f, c.y + s.y * 0.5f, c.z + s.z * 0.5f};
}

void BoundingBox::SetSize(const Vec3& s) {
    const Vec3 c = GetCentre();
    min_ = {c.x - s.x * 0.5f, c.y - s.y * 0.5f, c.z - s.z * 0.5f};
    max_ = {c.x + s.x * 0.5f, c.y + s.y * 0.5f, c.z + s.z * 0.5f};
}

}  // namespace ondra
