// Which inset square (InsetFrontList) may lay a wall's front into the depth
// buffer in place of the front's own grid. The depth pass needs, wherever
// it lays a depth, a pixel the front itself covers and a depth no nearer
// than the front's there: then the front, drawn later, still passes, so
// does whatever beats it, and every pixel ends as without the pass. A
// square gives both when the columns it spans lie wholly between the near
// and far planes (so none of their triangles is clipped there), its
// projection stays well inside theirs on every side, and its depths are
// pushed back (kDepthPassOffset*) by far more than the rounding between two
// triangles and two hundred on the one plane.
#pragma once

#include "game/render/face_lists.h"

// The polygon offset the depth pass lays fronts with: a pixel's worth of
// the front's slope and some steps of the depth buffer.
constexpr float kDepthPassOffsetFactor = 1.0f;
constexpr float kDepthPassOffsetUnits = 16.0f;

// The view the pass draws in: the projection matrix (column-major) and the
// viewport, as GL gives them.
struct DepthPassView {
    float projection[16] = {};
    int viewport[4] = {};
};

// The lists that lay a front: the widest inset square that fits and, when
// it spans only some columns, the front's own grid over the rest; no
// square (0) when none fits, and the whole grid lays the front.
struct FrontLaying {
    unsigned int square = 0;
    unsigned int grid = 0;
};

// `modelview` (column-major) takes the wall's own frame to the eye's.
FrontLaying ChooseFrontLaying(const float modelview[16], const DepthPassView& view, const InsetFrontList& front);
