// Choosing, in clip and window coordinates, the inset square that may lay
// a wall's front.
#include "game/level/wall_front.h"

#include <cmath>

namespace {

// How far inside the near and far planes the columns must lie, as a share
// of w, so that neither plane clips them.
constexpr double kDepthMargin = 1e-4;
// How far inside the columns' projected sides the square must stay, in
// pixels: many times the rasterizer's sub-pixel step (1/256) and the
// rounding of the vertices on either side.
constexpr double kMarginPixels = 1.0 / 16.0;
// Corners farther from the view's middle than this many half-views are
// refused: where the clipper cuts such a quad at the window's sides, its
// new vertices could round by more than the margin.
constexpr double kFarthestOut = 64.0;

// The front's plane in clip coordinates: at (x, y) the point is
// origin + x * alongX + y * alongY, affine in x and y.
struct PlaneInClip {
    double origin[4], alongX[4], alongY[4];

    PlaneInClip(const float modelview[16], const float projection[16]) {
        const double eyeOrigin[4] = {modelview[8] * kWallFrontZ + modelview[12], modelview[9] * kWallFrontZ + modelview[13],
                                     modelview[10] * kWallFrontZ + modelview[14], modelview[11] * kWallFrontZ + modelview[15]};
        for (int row = 0; row < 4; ++row) {
            origin[row] = alongX[row] = alongY[row] = 0.0;
            for (int k = 0; k < 4; ++k) {
                const double p = projection[k * 4 + row];
                origin[row] += p * eyeOrigin[k];
                alongX[row] += p * modelview[k];
                alongY[row] += p * modelview[4 + k];
            }
        }
    }

    void At(double x, double y, double clip[4]) const {
        for (int i = 0; i < 4; ++i) clip[i] = origin[i] + x * alongX[i] + y * alongY[i];
    }
};

// Between the near and far planes with the margin to spare.
bool WellWithinDepth(const double clip[4]) {
    const double w = clip[3];
    return w > 0.0 && clip[2] + w >= kDepthMargin * w && w - clip[2] >= kDepthMargin * w;
}

// The rectangle [left, right] x [bottom, top] lies wholly within depth: a
// test of its corners, the conditions being affine on the plane.
bool RectangleWithinDepth(const PlaneInClip& plane, double left, double right, double bottom, double top) {
    for (double x : {left, right})
        for (double y : {bottom, top}) {
            double clip[4];
            plane.At(x, y, clip);
            if (!WellWithinDepth(clip)) return false;
        }
    return true;
}

struct WindowPoint {
    double x = 0.0, y = 0.0;
};

bool ToWindow(const PlaneInClip& plane, const DepthPassView& view, double x, double y, WindowPoint& at) {
    double clip[4];
    plane.At(x, y, clip);
    if (!(clip[3] > 0.0)) return false;
    const double ndcX = clip[0] / clip[3];
    const double ndcY = clip[1] / clip[3];
    if (!(std::fabs(ndcX) <= kFarthestOut) || !(std::fabs(ndcY) <= kFarthestOut)) return false;
    at.x = view.viewport[0] + (ndcX + 1.0) * 0.5 * view.viewport[2];
    at.y = view.viewport[1] + (ndcY + 1.0) * 0.5 * view.viewport[3];
    return true;
}

double Cross(const WindowPoint& origin, const WindowPoint& a, const WindowPoint& b) {
    return (a.x - origin.x) * (b.y - origin.y) - (a.y - origin.y) * (b.x - origin.x);
}

// The square set in from the rectangle [left, right] x [bottom, top] by
// `inset` projects at least the margin inside the rectangle's projection.
bool SquareWellInside(const PlaneInClip& plane, const DepthPassView& view, double left, double right, double bottom,
                      double top, double inset) {
    const double outerCorners[4][2] = {{left, bottom}, {right, bottom}, {right, top}, {left, top}};
    WindowPoint outer[4], inner[4];
    for (int i = 0; i < 4; ++i) {
        const double x = outerCorners[i][0], y = outerCorners[i][1];
        if (!ToWindow(plane, view, x, y, outer[i])) return false;
        if (!ToWindow(plane, view, x + (x == left ? inset : -inset), y + (y == bottom ? inset : -inset), inner[i]))
            return false;
    }
    // Every corner lies in front of the eye, so the rectangle projects to a
    // convex quad; turned either way, its inside is on one side of each edge.
    double twiceArea = 0.0;
    for (int i = 0; i < 4; ++i) twiceArea += Cross(outer[0], outer[i], outer[(i + 1) % 4]);
    const double inward = twiceArea > 0.0 ? 1.0 : -1.0;
    for (int i = 0; i < 4; ++i) {
        const WindowPoint& from = outer[i];
        const WindowPoint& to = outer[(i + 1) % 4];
        const double length = std::hypot(to.x - from.x, to.y - from.y);
        if (!(length > 0.0)) return false;
        // The distance from the edge's line is affine over the window, so
        // the square's corners bound it over the whole square.
        for (const WindowPoint& corner : inner)
            if (!(inward * Cross(from, to, corner) / length >= kMarginPixels)) return false;
    }
    return true;
}

}  // namespace

FrontLaying ChooseFrontLaying(const float modelview[16], const DepthPassView& view, const InsetFrontList& front) {
    const int steps = front.Steps();
    const size_t lists = static_cast<size_t>(steps);
    if (steps < 1 || front.leading.size() != lists || front.trailing.size() != lists ||
        front.gridLeading.size() + 1 != lists || front.gridTrailing.size() + 1 != lists)
        return {};
    const PlaneInClip plane(modelview, view.projection);
    const std::vector<float>& edges = front.edges;
    const double bottom = edges.front(), top = edges.back();
    auto edge = [&edges](int i) { return static_cast<double>(edges[static_cast<size_t>(i)]); };
    // The widest run of whole columns from either side within depth: a
    // plane cuts the front along one line, so it leaves at most one side.
    for (int n = steps; n >= 1; --n) {
        for (bool leading : {true, false}) {
            const double left = leading ? edge(0) : edge(steps - n);
            const double right = leading ? edge(n) : edge(steps);
            if (!RectangleWithinDepth(plane, left, right, bottom, top)) continue;
            if (!SquareWellInside(plane, view, left, right, bottom, top, InsetFrontList::kInset)) return {};
            FrontLaying laying;
            laying.square = (leading ? front.leading : front.trailing)[static_cast<size_t>(n) - 1];
            if (n < steps) laying.grid = (leading ? front.gridTrailing : front.gridLeading)[lists - n - 1];
            return laying;
        }
    }
    return {};
}
