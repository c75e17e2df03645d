// Camera-facing quads: the viewer's right and up directions taken from the
// modelview matrix, and the four corners of a square built on them.
#pragma once

#include "game/core/vector3.h"

struct BillboardAxes {
    Vector3 right;
    Vector3 up;
};

// `modelview` is in GL's column-major order; right and up are the first two
// rows of its rotation part, i.e. the camera axes in the current model frame.
BillboardAxes BillboardAxesFromMatrix(const float modelview[16]);

// Reads the current GL modelview matrix; needs a current GL context.
BillboardAxes CurrentBillboardAxes();

// Corners of a square of half-extent `halfExtent` centred at `center`, in
// drawing order, matching kBillboardTexCoords. A negative half-extent gives
// the same square with its corners swapped.
void BillboardCorners(const Vector3& center, const BillboardAxes& axes, float halfExtent,
                      Vector3 corners[4]);

extern const float kBillboardTexCoords[4][2];

// Issues the four textured vertices of one square; call between
// glBegin(GL_QUADS) and glEnd.
void EmitBillboard(const Vector3& center, const BillboardAxes& axes, float halfExtent);

// Glowing look for billboards: blending on with source alpha over
// destination alpha, the texture bound and modulated, lighting off.
void BeginGlowingBillboards(unsigned int texture);
// Lighting back on, texturing and blending off, the scene's blend function
// restored.
void EndGlowingBillboards();
