// What stands between a sound and the ears, read from the level's cells
// and the shut doors: walls of either block on a crossed side, doors whose
// span the line passes, and the share of the level that gets through.
#include <gtest/gtest.h>

#include <memory>

#include "game/level/level.h"
#include "game/objects/automatic_door.h"
#include "game/objects/object.h"
#include "game/sound/occlusion.h"

namespace {

enum Faces { kNone = 0, kNorth = 1, kSouth = 2, kEast = 4, kWest = 8 };

void Place(Level& level, int row, int column, int faces) {
    auto block = std::make_unique<Block>(row, column);
    if (faces & kNorth) block->north = std::make_unique<BlockPart>();
    if (faces & kSouth) block->south = std::make_unique<BlockPart>();
    if (faces & kEast) block->east = std::make_unique<BlockPart>();
    if (faces & kWest) block->west = std::make_unique<BlockPart>();
    level.PlaceBlock(std::move(block));
}

// Two rows of three cells (x 0 to 9, z 0 to 6):
//   row 1: [A | B   C]   a wall between A and B written on A only, a shut
//   row 2: [D   E   F]   door between B and C; row 2 open inside, with a
// wall between the rows under A only (written on D's north).
class Occlusion : public testing::Test {
protected:
    void SetUp() override {
        level.Resize(2, 3);
        Place(level, 1, 1, kEast | kWest | kNorth);
        Place(level, 1, 2, kNorth);
        Place(level, 1, 3, kNorth | kEast);
        Place(level, 2, 1, kNorth | kWest | kSouth);
        Place(level, 2, 2, kSouth);
        Place(level, 2, 3, kSouth | kEast);
        door = new AutomaticDoor({6.0f, 1.5f, 1.5f}, 1.5f);
        door->orientation = kFacingEast;
        door->AttachTo(&doors);
    }

    Level level{nullptr};
    CObject doors;
    AutomaticDoor* door = nullptr;
};

TEST_F(Occlusion, CountsWallsAndShutDoorsOnTheLine) {
    struct Case {
        const char* what;
        Vector3 from, to;
        int walls, shutDoors;
        float gain;
    };
    const Case cases[] = {
        {"one cell", {1, 1, 1}, {2, 1, 2}, 0, 0, 1.0f},
        {"the wall written on one block only", {1.5f, 1, 1.5f}, {4.5f, 1, 1.5f}, 1, 0, 0.5f},
        {"the same wall the other way", {4.5f, 1, 1.5f}, {1.5f, 1, 1.5f}, 1, 0, 0.5f},
        {"the shut door", {4.5f, 1, 1.5f}, {7.5f, 1, 1.5f}, 0, 1, 0.5f},
        {"wall and door", {1.5f, 1, 1.5f}, {7.5f, 1, 1.5f}, 1, 1, 0.25f},
        {"open row below", {1.5f, 1, 4.5f}, {7.5f, 1, 4.5f}, 0, 0, 1.0f},
        {"down across the row wall", {1.5f, 1, 1.5f}, {1.5f, 1, 4.5f}, 1, 0, 0.5f},
        {"diagonal through B and E, no wall", {3.5f, 1, 0.5f}, {5.5f, 1, 5.5f}, 0, 0, 1.0f},
        {"from outside through the west wall", {-4, 1, 1.5f}, {1.5f, 1, 1.5f}, 1, 0, 0.5f},
        {"outside the grid entirely", {-9, 1, -9}, {-1, 1, -2}, 0, 0, 1.0f},
        {"past the door's span", {4.5f, 1, 1.5f}, {7.5f, 1, 5.5f}, 0, 0, 1.0f},
        {"from outside the east across the level", {12, 1, 1.5f}, {-3, 1, 1.5f}, 3, 1, kLeastOcclusionGain},
    };
    ASSERT_TRUE(door->IsShut());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(WallsBetween(level, c.from, c.to), c.walls);
        EXPECT_EQ(ShutDoorsBetween(&doors, c.from, c.to), c.shutDoors);
        EXPECT_FLOAT_EQ(OcclusionGain(level, &doors, c.from, c.to), c.gain);
    }
    EXPECT_EQ(ShutDoorsBetween(nullptr, {4.5f, 1, 1.5f}, {7.5f, 1, 1.5f}), 0);
}

}  // namespace
