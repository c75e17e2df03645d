// Which part of a wall slab's back side can show past its front. Seen from
// in front, every ray to the back side passes the front first, or an end of
// the slab, or its open top. A ray that crosses the front's plane well
// inside the front lands on a pixel the front draws over whatever lies
// behind, so a back quad whose every ray does so can be left out without
// changing a pixel. The rest show only through the cracks where the front
// meets the ends (which is why the back side is there at all), past the
// ends and over the top.
#pragma once

#include <vector>

// The part of the back side to draw: the whole of it, or the first and last
// columns (along x) and rows (along y) of its grid, each run drawn whole.
struct WallBackRuns {
    bool whole = true;
    int leadingColumns = 0;
    int trailingColumns = 0;
    int leadingRows = 0;
    int trailingRows = 0;
};

// What the reckoning needs of a perspective view: its near clipping
// distance and the cosine of the angle between the view's axis and its
// corner rays, the widest angle a drawn pixel's ray makes with the axis.
struct PerspectiveLimits {
    double nearPlane = 0.0;  // 0 when the view is not a perspective one
    double cornerCosine = 0.0;
};

// The limits of a projection matrix (column-major, as GL gives it) that a
// gluPerspective or glFrustum centred on the axis makes; zeros for any other.
PerspectiveLimits LimitsOfProjection(const float projection[16]);

// `modelview` (column-major) takes the wall's own frame to the eye's;
// `edges` are the grid's edges along x and along y, the front spanning
// edges.front() to edges.back() both ways. Whole whenever the reckoning
// would not be safe: the eye close to the front or behind it, a view that
// could cut the front with its near plane where the back shows, a frame
// that is not a plain turn and shift, a projection it does not know.
WallBackRuns ShownWallBack(const float modelview[16], const PerspectiveLimits& view,
                           const std::vector<float>& edges);
