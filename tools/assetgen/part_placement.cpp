// Segment placement.
#include "tools/assetgen/part_placement.h"

namespace assetgen {

float HalfLength(Vector3 from, Vector3 to) { return Length(to - from) * 0.5f; }

Transform Between(const Transform& frame, Vector3 from, Vector3 to)
{
    return frame * Transform::Translate((from + to) * 0.5f) * Transform::AlignZ(to - from);
}

void Limb(MeshBuilder& mesh, const Transform& frame, Vector3 from, Vector3 to, float r0, float r1, int segments)
{
    const float h = HalfLength(from, to);
    mesh.Lathe(Between(frame, from, to), {{r0, -h}, {(r0 + r1) * 0.5f * 1.08f, 0.0f}, {r1, h}}, segments, true, true);
}

}  // namespace assetgen
