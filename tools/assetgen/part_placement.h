// Helpers for placing model parts between two points: limbs, struts and
// barrels are cylinders or tapered tubes from one joint to the next.
#pragma once

#include "mesh_builder.h"
#include "transform.h"

namespace assetgen {

// The transform that maps a part built along local z over [-h, h] onto the
// segment from `from` to `to` (h = half the segment's length), inside `frame`.
Transform Between(const Transform& frame, V3 from, V3 to);
float HalfLength(V3 from, V3 to);

// A tapered, smooth tube from `from` (radius r0) to `to` (radius r1).
void Limb(MeshBuilder& mesh, const Transform& frame, V3 from, V3 to, float r0, float r1, int segments);

}  // namespace assetgen
