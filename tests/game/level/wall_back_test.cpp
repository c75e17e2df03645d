// Which of a wall's back quads may be left out, checked against rays cast
// on their own, without the reckoning's shortcut; and which inset square
// may lay the wall's front into the depth buffer.
#include "game/level/wall_back.h"
#include "game/level/wall_front.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <vector>

#include "game/core/vector3.h"

namespace {

float Dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

constexpr float kFrontZ = 0.1f;

std::vector<float> TenByTen() {
    std::vector<float> edges;
    for (int i = 0; i <= 10; ++i) edges.push_back(static_cast<float>(i) * 0.3f);
    return edges;
}

// A view from `eye` towards `target`, as gluLookAt makes it.
struct View {
    Vector3 eye, forward, side, up;
    std::array<float, 16> modelview;
};

View LookingAt(Vector3 eye, Vector3 target) {
    View v{eye, (target - eye).Normalized(), {}, {}, {}};
    v.side = Cross(v.forward, Vector3(0, 1, 0)).Normalized();
    v.up = Cross(v.side, v.forward);
    const Vector3 rows[3] = {v.side, v.up, -v.forward};
    for (int r = 0; r < 3; ++r) {
        v.modelview[0 * 4 + r] = rows[r].x;
        v.modelview[1 * 4 + r] = rows[r].y;
        v.modelview[2 * 4 + r] = rows[r].z;
        v.modelview[12 + r] = -Dot(rows[r], eye);
        v.modelview[3 + r * 4] = 0.0f;
    }
    v.modelview[15] = 1.0f;
    return v;
}

// gluPerspective's matrix.
std::array<float, 16> Perspective(double fovY, double aspect, double nearPlane, double farPlane) {
    const double f = 1.0 / std::tan(fovY * 3.14159265358979 / 360.0);
    std::array<float, 16> p{};
    p[0] = static_cast<float>(f / aspect);
    p[5] = static_cast<float>(f);
    p[10] = static_cast<float>((farPlane + nearPlane) / (nearPlane - farPlane));
    p[11] = -1.0f;
    p[14] = static_cast<float>(2.0 * farPlane * nearPlane / (nearPlane - farPlane));
    return p;
}

bool InRun(int place, int steps, int leading, int trailing) { return place < leading || place >= steps - trailing; }

}  // namespace

// Random views all round the wall and through it, in several window
// shapes: every point of every quad left out must be hidden by the front,
// its ray crossing the front's plane inside the front and beyond the near
// plane wherever the point itself is in view.
TEST(WallBack, EveryQuadLeftOutIsBehindTheFrontFromEveryEye) {
    const std::vector<float> edges = TenByTen();
    const double aspects[] = {1.0, 4.0 / 3.0, 16.0 / 9.0, 256.0};
    std::mt19937 random(20261209);
    std::uniform_real_distribution<float> across(-12.0f, 15.0f), up(-3.0f, 7.0f), out(-4.0f, 14.0f);
    int viewsLeavingQuadsOut = 0;
    int quadsLeftOut = 0;
    for (int trial = 0; trial < 20000; ++trial) {
        const double aspect = aspects[trial % 4];
        const PerspectiveLimits limits = LimitsOfProjection(Perspective(55.0, aspect, 0.1, 250.0).data());
        const Vector3 eye(across(random), up(random), out(random));
        const Vector3 target(across(random) * 0.3f + 1.5f, up(random) * 0.3f + 1.0f, across(random) * 0.1f);
        const View view = LookingAt(eye, target);
        const WallBackRuns runs = ShownWallBack(view.modelview.data(), limits, edges);
        if (runs.whole) continue;
        const double slopeX = std::tan(55.0 * 3.14159265358979 / 360.0) * aspect;
        const double slopeY = std::tan(55.0 * 3.14159265358979 / 360.0);
        bool leftOut = false;
        for (int column = 0; column < 10; ++column) {
            for (int row = 0; row < 10; ++row) {
                if (InRun(column, 10, runs.leadingColumns, runs.trailingColumns) ||
                    InRun(row, 10, runs.leadingRows, runs.trailingRows))
                    continue;
                leftOut = true;
                ++quadsLeftOut;
                for (float fx : {0.0f, 0.5f, 1.0f}) {
                    for (float fy : {0.0f, 0.5f, 1.0f}) {
                        const Vector3 p(edges[column] + fx * 0.3f, edges[row] + fy * 0.3f, 0.0f);
                        const Vector3 ray = p - eye;
                        ASSERT_GT(-ray.z, 0.0f) << "an eye behind the wall at trial " << trial;
                        const Vector3 crossing = eye + ray * ((eye.z - kFrontZ) / (eye.z - p.z));
                        EXPECT_GT(crossing.x, 0.0) << "trial " << trial;
                        EXPECT_LT(crossing.x, 3.0) << "trial " << trial;
                        EXPECT_GT(crossing.y, 0.0) << "trial " << trial;
                        EXPECT_LT(crossing.y, 3.0) << "trial " << trial;
                        const double depth = Dot(ray, view.forward);
                        const bool inView = depth >= 0.1 && std::fabs(Dot(ray, view.side)) <= depth * slopeX &&
                                            std::fabs(Dot(ray, view.up)) <= depth * slopeY;
                        if (inView) {
                            EXPECT_GE(Dot(crossing - eye, view.forward), 0.1) << "trial " << trial;
                        }
                    }
                }
                if (HasFailure()) return;
            }
        }
        viewsLeavingQuadsOut += leftOut;
    }
    EXPECT_GT(viewsLeavingQuadsOut, 2000) << "too few views leave anything out to check";
    EXPECT_GT(quadsLeftOut, 50000);
}

// Where the reckoning must give up and draw the whole back side.
TEST(WallBack, UnsafeViewsDrawTheWholeBackSide) {
    const std::vector<float> edges = TenByTen();
    const std::array<float, 16> perspective = Perspective(55.0, 1.0, 0.1, 250.0);
    const std::array<float, 16> veryWide = Perspective(55.0, 256.0, 0.1, 250.0);
    std::array<float, 16> orthographic{};
    orthographic[0] = orthographic[5] = 0.1f;
    orthographic[10] = -0.01f;
    orthographic[15] = 1.0f;
    std::array<float, 16> scaled = LookingAt({1.5, 1.5, 5.0}, {1.5, 1.5, 0.0}).modelview;
    for (int i = 0; i < 3; ++i) scaled[static_cast<size_t>(i)] *= 2.0f;
    enum Drawn { kWhole, kPart, kNothing };
    struct Case {
        const char* name;
        std::array<float, 16> modelview;
        const std::array<float, 16>* projection;
        Drawn drawn;
    };
    const Case cases[] = {
        {"head on from 5 units", LookingAt({1.5, 1.5, 5.0}, {1.5, 1.5, 0.0}).modelview, &perspective, kNothing},
        {"from behind", LookingAt({1.5, 1.5, -5.0}, {1.5, 1.5, 0.0}).modelview, &perspective, kWhole},
        {"close to the front", LookingAt({1.5, 1.5, 0.3}, {1.5, 1.5, 0.0}).modelview, &perspective, kWhole},
        {"along the wall's plane", LookingAt({-20.0, 1.5, 0.6}, {1.5, 1.5, 0.0}).modelview, &perspective, kWhole},
        {"along the wall in a very wide window, the front cut by the near plane",
         LookingAt({1.5, 1.5, 1.0}, {10.0, 1.5, 1.0}).modelview, &veryWide, kWhole},
        {"the same in a square window", LookingAt({1.5, 1.5, 1.0}, {10.0, 1.5, 1.0}).modelview, &perspective, kNothing},
        {"past its end, at a slant", LookingAt({-4.0, 1.5, 1.0}, {1.5, 1.5, 0.0}).modelview, &perspective, kPart},
        {"a scaled frame", scaled, &perspective, kWhole},
        {"an orthographic view", LookingAt({1.5, 1.5, 5.0}, {1.5, 1.5, 0.0}).modelview, &orthographic, kWhole},
    };
    for (const Case& c : cases) {
        const WallBackRuns runs = ShownWallBack(c.modelview.data(), LimitsOfProjection(c.projection->data()), edges);
        EXPECT_EQ(runs.whole, c.drawn == kWhole) << c.name;
        const int runsDrawn = runs.leadingColumns + runs.trailingColumns + runs.leadingRows + runs.trailingRows;
        if (c.drawn == kNothing) {
            EXPECT_EQ(runsDrawn, 0) << c.name;
        } else if (c.drawn == kPart) {
            EXPECT_GT(runsDrawn, 0) << c.name;
        }
    }
}

// An inset square lays a front only where its columns lie wholly between
// the near and far planes and it projects well inside them; the columns a
// near plane cuts are then laid by their own grid. (The pixels it lays are
// checked against the plain drawing in LevelPixels.)
TEST(WallFront, SquaresLayOnlyWhereTheyFit) {
    InsetFrontList front;
    front.edges = TenByTen();
    for (unsigned int n = 1; n <= 10; ++n) {
        front.leading.push_back(100 + n);
        front.trailing.push_back(200 + n);
        if (n < 10) front.gridLeading.push_back(300 + n);
        if (n < 10) front.gridTrailing.push_back(400 + n);
    }
    auto viewOf = [](const std::array<float, 16>& projection, int side) {
        DepthPassView view;
        std::copy(projection.begin(), projection.end(), view.projection);
        view.viewport[2] = view.viewport[3] = side;
        return view;
    };
    const DepthPassView window = viewOf(Perspective(55.0, 1.0, 0.1, 250.0), 512);
    const DepthPassView tiny = viewOf(Perspective(55.0, 1.0, 0.1, 5000.0), 64);
    enum Laid { kWholeSquare, kFarColumnsSquare, kGrid };
    struct Case {
        const char* name;
        Vector3 eye, target;
        const DepthPassView* view;
        Laid laid;
    };
    const Case cases[] = {
        {"head on from 5 units", {1.5f, 1.5f, 5.0f}, {1.5f, 1.5f, 0.0f}, &window, kWholeSquare},
        {"from beside it along the wall, its near end behind the eye", {1.0f, 1.5f, 0.6f}, {10.0f, 1.5f, 0.6f},
         &window, kFarColumnsSquare},
        {"in the front's plane", {-20.0f, 1.5f, 0.1f}, {1.5f, 1.5f, 0.1f}, &window, kGrid},
        {"so far that the inset is under the margin", {1.5f, 1.5f, 3000.0f}, {1.5f, 1.5f, 0.0f}, &tiny, kGrid},
        {"beyond the far plane", {1.5f, 1.5f, 300.0f}, {1.5f, 1.5f, 0.0f}, &window, kGrid},
    };
    for (const Case& c : cases) {
        const FrontLaying laying = ChooseFrontLaying(LookingAt(c.eye, c.target).modelview.data(), *c.view, front);
        switch (c.laid) {
        case kWholeSquare:
            EXPECT_EQ(laying.square, 110u) << c.name;
            EXPECT_EQ(laying.grid, 0u) << c.name;
            break;
        case kFarColumnsSquare:
            ASSERT_GT(laying.square, 200u) << c.name;
            ASSERT_LT(laying.square, 210u) << c.name;
            EXPECT_EQ(laying.grid, 300u + (10u - (laying.square - 200u))) << c.name << ": the rest by the grid";
            break;
        case kGrid:
            EXPECT_EQ(laying.square, 0u) << c.name;
            break;
        }
    }
}
