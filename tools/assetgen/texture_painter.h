// Procedural surface painting shared by every texture: noisy base colours,
// grime, scratches, rivets, hazard stripes and cylindrical shading. All of
// it is a function of the seed, and tileable canvases stay seamless.
#pragma once

#include "tools/assetgen/canvas.h"
#include "tools/assetgen/random.h"

#include <cstdint>

namespace assetgen {

// Fills the canvas with base modulated by fractal noise of the given
// strength (0 = flat). period is the coarsest noise cells across the canvas.
void PaintNoisyBase(Canvas& canvas, const Color& base, float strength, int period, uint32_t seed);

// Darkens the canvas in blotches; amount 0..1.
void PaintGrime(Canvas& canvas, float amount, int period, uint32_t seed);

// Thin light and dark scratches.
void PaintScratches(Canvas& canvas, int count, float length, Random& random);

// A domed rivet or screw head.
void PaintRivet(Canvas& canvas, float x, float y, float radius, const Color& metal);

// Diagonal stripes of two colours in the box, `width` pixels each.
void PaintHazardStripes(Canvas& canvas, float x0, float y0, float x1, float y1, float width, const Color& a,
                        const Color& b);

// A horizontal pipe (cylinder seen from the side) across the whole width.
void PaintHorizontalPipe(Canvas& canvas, float centreY, float radius, const Color& metal);

// A vertical pipe over the whole height.
void PaintVerticalPipe(Canvas& canvas, float centreX, float radius, const Color& metal);

}  // namespace assetgen
