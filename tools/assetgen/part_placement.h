// Helpers for placing model parts between two points: limbs, struts and
// barrels are cylinders or tapered tubes from one joint to the next.
#pragma once

#include "tools/assetgen/mesh_builder.h"
#include "tools/assetgen/transform.h"

namespace assetgen {

// The transform that maps a part built along local z over [-h, h] onto the
// segment from `from` to `to` (h = half the segment's length), inside `frame`.
Transform Between(const Transform& frame, Vector3 from, Vector3 to);
float HalfLength(Vector3 from, Vector3 to);

// A tapered, smooth tube from `from` (radius r0) to `to` (radius r1).
void Limb(MeshBuilder& mesh, const Transform& frame, Vector3 from, Vector3 to, float r0, float r1, int segments);

}  // namespace assetgen
