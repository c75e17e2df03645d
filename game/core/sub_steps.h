// Splitting one frame's move into short steps, so that a fast object can be
// checked against walls often enough never to jump over one.
#pragma once

#include <cmath>

// Bounds the work of one absurdly long frame: past this many steps the
// mover is far outside any level anyway.
constexpr int kMaxSubSteps = 1 << 16;

// How many equal steps keep each one within `maxStep`; lengths that are
// not finite take a single step.
inline int SubStepsFor(float length, float maxStep) {
    if (!(length > maxStep)) return 1;
    if (!(length < maxStep * kMaxSubSteps)) return kMaxSubSteps;
    return static_cast<int>(std::ceil(length / maxStep));
}
