// Reckoning which of a wall's back quads a ray can reach without passing
// well inside its front.
#include "game/level/wall_back.h"

#include <algorithm>
#include <cmath>

#include "game/render/face_lists.h"

namespace {

// Nearer than this to the front's plane, the eye draws the whole back side.
constexpr double kNearestEye = 0.4;
// How far inside the near plane the front must stay.
constexpr double kNearPlaneMargin = 0.05;
// A crossing counts as well inside the front when it is this angle (in
// radians, about a fifth of a pixel at 4096 pixels over the game's field
// of view) or, nearby, this distance inside its edge: far more than the
// rounding of the vertices and of the rasterizer's sub-pixel grid.
constexpr double kEdgeAngle = 5e-5;
constexpr double kLeastEdgeMargin = 0.005;

struct Frame {
    double rotation[3][3];  // rotation[row][column]
    double shift[3];
};

Frame FrameOf(const float m[16]) {
    Frame f{};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) f.rotation[row][column] = m[column * 4 + row];
        f.shift[row] = m[12 + row];
    }
    return f;
}

// A turn keeps lengths: its columns are unit length and square to each other.
bool IsTurn(const Frame& f) {
    for (int a = 0; a < 3; ++a) {
        for (int b = a; b < 3; ++b) {
            double dot = 0.0;
            for (int row = 0; row < 3; ++row) dot += f.rotation[row][a] * f.rotation[row][b];
            if (std::fabs(dot - (a == b ? 1.0 : 0.0)) > 1e-4) return false;
        }
    }
    return true;
}

// The eye (the origin of the eye's frame) in the wall's frame: the turn
// undone on minus the shift.
void EyeInWall(const Frame& f, double eye[3]) {
    for (int column = 0; column < 3; ++column) {
        eye[column] = 0.0;
        for (int row = 0; row < 3; ++row) eye[column] -= f.rotation[row][column] * f.shift[row];
    }
}

// The runs along one axis: a ray from the eye (at `eye` on this axis) to a
// back point at p crosses the front's plane at p (1 - k) + eye k, rising
// with p, so the quads whose crossings all lie in [margin, extent - margin]
// form one run in the middle, and the rest a run at each end.
bool RunsAlong(const std::vector<float>& edges, double eye, double k, double margin, int& leading, int& trailing) {
    const int steps = static_cast<int>(edges.size()) - 1;
    const double extent = edges.back();
    auto crossing = [&](int edge) { return edges[static_cast<size_t>(edge)] * (1.0 - k) + eye * k; };
    int first = 0;
    while (first < steps && crossing(first) < margin) ++first;
    int last = steps - 1;
    while (last >= first && crossing(last + 1) > extent - margin) --last;
    if (last < first) return false;
    leading = first;
    trailing = steps - 1 - last;
    return true;
}

}  // namespace

PerspectiveLimits LimitsOfProjection(const float p[16]) {
    // gluPerspective and a centred glFrustum: x and y scaled, the axis
    // through the middle, w = -z.
    for (int i : {1, 2, 3, 4, 6, 7, 8, 9, 12, 13, 15})
        if (p[i] != 0.0f) return {};
    if (p[11] != -1.0f || !(p[0] > 0.0f) || !(p[5] > 0.0f) || p[10] == 1.0f) return {};
    PerspectiveLimits limits;
    limits.nearPlane = static_cast<double>(p[14]) / (static_cast<double>(p[10]) - 1.0);
    if (!(limits.nearPlane > 0.0)) return {};
    const double slopeX = 1.0 / p[0];
    const double slopeY = 1.0 / p[5];
    limits.cornerCosine = 1.0 / std::sqrt(1.0 + slopeX * slopeX + slopeY * slopeY);
    return limits;
}

WallBackRuns ShownWallBack(const float modelview[16], const PerspectiveLimits& view,
                           const std::vector<float>& edges) {
    WallBackRuns runs;
    if (edges.size() < 2 || !(view.nearPlane > 0.0) || !(view.cornerCosine > 0.0)) return runs;
    const Frame frame = FrameOf(modelview);
    if (!IsTurn(frame)) return runs;
    double eye[3];
    EyeInWall(frame, eye);
    const double fromFront = eye[2] - kWallFrontZ;
    if (!(fromFront >= kNearestEye)) return runs;

    // A drawn back point P lies at least eye[2] from the eye, and its ray
    // is within the corner rays, so its depth is at least eye[2] times the
    // corner cosine; the ray crosses the front at fromFront / eye[2] of the
    // way, so there at depth fromFront times the corner cosine or more. The
    // near plane cannot have cut the front there when that clears it.
    if (!(fromFront * view.cornerCosine >= view.nearPlane + kNearPlaneMargin)) return runs;

    double farthest = 0.0;
    for (double x : {edges.front(), edges.back()})
        for (double y : {edges.front(), edges.back()})
            farthest = std::max(farthest, std::hypot(x - eye[0], y - eye[1], fromFront));
    // An edge seen at a slant from distance r: a step d across it along the
    // plane turns the ray by about d x fromFront / r^2.
    const double margin = std::max(kLeastEdgeMargin, kEdgeAngle * farthest * farthest / fromFront);
    const double k = kWallFrontZ / eye[2];
    if (!RunsAlong(edges, eye[0], k, margin, runs.leadingColumns, runs.trailingColumns)) return runs;
    if (!RunsAlong(edges, eye[1], k, margin, runs.leadingRows, runs.trailingRows)) return runs;
    runs.whole = false;
    return runs;
}
