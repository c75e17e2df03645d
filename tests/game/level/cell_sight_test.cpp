// What the walk through the grid's openings lets the eye see, and the view
// frustum's box and sphere tests.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "game/level/block.h"
#include "game/level/cell_sight.h"
#include "game/level/level.h"
#include "game/level/view_frustum.h"

namespace {

// A cell's faces by letter: C ceiling, F floor, and n s e w for walls.
using Layout = std::map<std::pair<int, int>, std::string>;  // (row, column), 0-based

void Build(Level& level, int rows, int columns, const Layout& layout) {
    level.Resize(rows, columns);
    level.SetBlockSize(3);
    for (const auto& [cell, faces] : layout) {
        auto block = std::make_unique<Block>(cell.first + 1, cell.second + 1);
        for (char face : faces) {
            switch (face) {
                case 'C': block->ceiling = std::make_unique<Ceiling>(3); break;
                case 'F': block->floor = std::make_unique<FloorTile>(1); break;
                case 'n': block->north = std::make_unique<Wall>(2); break;
                case 's': block->south = std::make_unique<Wall>(2); break;
                case 'e': block->east = std::make_unique<Wall>(2); break;
                case 'w': block->west = std::make_unique<Wall>(2); break;
            }
        }
        level.PlaceBlock(std::move(block));
    }
}

std::set<std::pair<int, int>> SeenCells(const CellSight& sight, int rows, int columns) {
    std::set<std::pair<int, int>> seen;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            if (sight.Seen(r, c)) seen.insert({r, c});
    return seen;
}

TEST(CellSight, WhatTheEyeSees) {
    // A closed corridor along row 0 turning south at column 3:
    //   (0,0) (0,1) (0,2) (0,3)
    //                     (1,3)
    //                     (2,3)
    const Layout corridor = {{{0, 0}, "CFnsw"}, {{0, 1}, "CFns"}, {{0, 2}, "CFns"}, {{0, 3}, "CFne"},
                             {{1, 3}, "CFew"},  {{2, 3}, "CFews"}};
    Layout walledOff = corridor;
    walledOff[{0, 1}] = "CFnse";  // a wall facing west, into (0, 1)
    Layout backOfWall = corridor;
    backOfWall[{0, 2}] = "CFnsw";  // (0, 2)'s west wall faces away from an eye in (0, 1)
    Layout roofless = corridor;
    roofless[{0, 2}] = "Fns";
    struct Case {
        const char* what;
        const Layout& layout;
        Vector3 eye;
        std::set<std::pair<int, int>> seen;
        bool beyond;
    };
    const Case cases[] = {
        {"down the corridor and just round the bend", corridor, {1.5f, 1.5f, 1.5f},
         {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 3}}, false},
        {"from the bend, both ways", corridor, {10.5f, 1.5f, 1.5f},
         {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 3}, {2, 3}}, false},
        {"a wall facing the eye shuts the way", walledOff, {1.5f, 1.5f, 1.5f}, {{0, 0}, {0, 1}}, false},
        {"the back of a wall hides nothing", backOfWall, {4.5f, 1.5f, 1.5f},
         {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 3}}, false},
        {"an eye against a wall may see through it", walledOff, {5.85f, 1.5f, 1.5f},
         {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 3}}, false},
        {"a cell open to the sky lets the view out", roofless, {1.5f, 1.5f, 1.5f},
         {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 3}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Level level(nullptr);
        Build(level, 3, 4, c.layout);
        CellSight sight;
        sight.Look(level, c.eye);
        EXPECT_EQ(SeenCells(sight, 3, 4), c.seen);
        EXPECT_EQ(sight.BeyondSeen(), c.beyond);
    }
}

TEST(CellSight, BoxesOnlyInSeenCellsMayShow) {
    Level level(nullptr);
    Build(level, 1, 3, {{{0, 0}, "CFnsw"}, {{0, 1}, "CFnse"}, {{0, 2}, "CFnsew"}});
    CellSight sight;
    sight.Look(level, {1.5f, 1.5f, 1.5f});
    struct Case {
        const char* what;
        Box3 box;
        bool mayShow;
    };
    const Case cases[] = {
        {"in a seen cell", {{4.0f, 0.5f, 1.0f}, {5.0f, 1.0f, 2.0f}}, true},
        {"reaching into a seen cell", {{5.5f, 0.5f, 1.0f}, {7.0f, 1.0f, 2.0f}}, true},
        {"in the walled-off cell", {{6.5f, 0.5f, 1.0f}, {8.0f, 1.0f, 2.0f}}, false},
        {"above the ceiling", {{1.0f, 3.5f, 1.0f}, {2.0f, 4.0f, 2.0f}}, false},
        {"outside the grid", {{-9.0f, 0.5f, 1.0f}, {-8.0f, 1.0f, 2.0f}}, false},
        {"huge", {{-1e30f, -1e30f, -1e30f}, {1e30f, 1e30f, 1e30f}}, true},
    };
    for (const Case& c : cases) EXPECT_EQ(sight.MayShow(c.box), c.mayShow) << c.what;
}

TEST(CellSight, AnEyeTheGridCannotJudgeSeesEverything) {
    Level level(nullptr);
    Build(level, 1, 2, {{{0, 0}, "CFnsew"}, {{0, 1}, "CFnsew"}});
    const Vector3 eyes[] = {{1.5f, 3.5f, 1.5f}, {1.5f, 0.1f, 1.5f}, {-2.0f, 1.5f, 1.5f}};
    for (const Vector3& eye : eyes) {
        CellSight sight;
        sight.Look(level, eye);
        EXPECT_TRUE(sight.Seen(0, 1));
        EXPECT_TRUE(sight.BeyondSeen());
        EXPECT_TRUE(sight.MayShow({{4.0f, 0.0f, 1.0f}, {5.0f, 1.0f, 2.0f}}));
    }
}

TEST(ViewFrustum, KeepsWhatTheCameraFacesAndDropsWhatIsBehindIt) {
    // The game's projection at 1:1, looking from the origin along +x.
    const float f = 1.0f / std::tan(27.5f * kDegToRad);
    const float near = 0.1f, far = 250.0f;
    const float projection[16] = {f, 0, 0, 0, 0, f, 0, 0, 0, 0, (far + near) / (near - far), -1,
                                  0, 0, 2 * far * near / (near - far), 0};
    // gluLookAt from the origin towards +x: the camera's -z is world +x.
    const float view[16] = {0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1};
    const ViewFrustum frustum = ViewFrustum::FromMatrices(projection, view);
    EXPECT_TRUE(frustum.MayHoldBox({{9, -1, -1}, {10, 1, 1}}));
    EXPECT_FALSE(frustum.MayHoldBox({{-10, -1, -1}, {-9, 1, 1}}));   // behind
    EXPECT_FALSE(frustum.MayHoldBox({{300, -1, -1}, {301, 1, 1}}));  // past the far plane
    EXPECT_FALSE(frustum.MayHoldBox({{5, -1, 8}, {6, 1, 9}}));       // off to the side
    EXPECT_TRUE(frustum.MayHoldBox({{-1, -1, -1}, {1, 1, 1}}));      // round the eye
    EXPECT_TRUE(frustum.MayHoldSphere({5, 0, 4}, 1.5f));             // grazing the side
    EXPECT_FALSE(frustum.MayHoldSphere({5, 0, 8}, 1.5f));
    EXPECT_TRUE(ViewFrustum().MayHoldBox({{-10, -1, -1}, {-9, 1, 1}}));
}

}  // namespace
