// Walking the floor plan's cells along a line, cell side by cell side, and
// crossing the doors' planes.
#include "game/sound/occlusion.h"

#include <cmath>

#include "game/level/level.h"
#include "game/objects/door.h"

namespace {

// Whether the side between two neighbouring cells holds a wall, seen from
// either block: a side with a wall written on one block only still stops
// sound.
bool WallBetweenCells(const Level& level, int row, int column, int nextRow, int nextColumn) {
    const Block* here = level.BlockAt(row, column);
    const Block* there = level.BlockAt(nextRow, nextColumn);
    if (nextColumn > column) return (here && here->east) || (there && there->west);
    if (nextColumn < column) return (here && here->west) || (there && there->east);
    if (nextRow > row) return (here && here->south) || (there && there->north);
    return (here && here->north) || (there && there->south);
}

// One axis of the walk: the step in cells, the share of the line at which
// it next crosses a grid line of that axis, and the share between two.
struct AxisWalk {
    int step = 0;
    double next = INFINITY;
    double each = INFINITY;
};

AxisWalk WalkAlong(double start, double delta, double cell) {
    AxisWalk walk;
    if (delta == 0.0) return walk;
    const double edge = (std::floor(start / cell) + (delta > 0 ? 1.0 : 0.0)) * cell;
    walk.step = delta > 0 ? 1 : -1;
    walk.next = (edge - start) / delta;
    walk.each = cell / std::fabs(delta);
    return walk;
}

}  // namespace

int WallsBetween(const Level& level, const Vector3& from, const Vector3& to) {
    const double cell = Level::kBlockUnits;
    int column = static_cast<int>(std::floor(from.x / cell));
    int row = static_cast<int>(std::floor(from.z / cell));
    const int lastColumn = static_cast<int>(std::floor(to.x / cell));
    const int lastRow = static_cast<int>(std::floor(to.z / cell));
    AxisWalk alongX = WalkAlong(from.x, double(to.x) - from.x, cell);
    AxisWalk alongZ = WalkAlong(from.z, double(to.z) - from.z, cell);
    int walls = 0;
    int sidesLeft = std::abs(lastColumn - column) + std::abs(lastRow - row);
    for (; sidesLeft > 0; --sidesLeft) {
        const bool acrossX = alongX.next <= alongZ.next;
        const int nextColumn = acrossX ? column + alongX.step : column;
        const int nextRow = acrossX ? row : row + alongZ.step;
        if (WallBetweenCells(level, row, column, nextRow, nextColumn)) ++walls;
        if (acrossX) {
            alongX.next += alongX.each;
        } else {
            alongZ.next += alongZ.each;
        }
        column = nextColumn;
        row = nextRow;
    }
    return walls;
}

namespace {

// Whether the line crosses the door's plane inside its 3 x 3 square.
bool CrossesDoor(const Door& door, const Vector3& from, const Vector3& to) {
    const bool spansX = door.SpansX();
    const float planeFrom = spansX ? from.z - door.position.z : from.x - door.position.x;
    const float planeTo = spansX ? to.z - door.position.z : to.x - door.position.x;
    if ((planeFrom < 0.0f) == (planeTo < 0.0f)) return false;
    const float share = planeFrom / (planeFrom - planeTo);
    const Vector3 at = from + (to - from) * share;
    const float along = spansX ? at.x - door.position.x : at.z - door.position.z;
    return std::fabs(along) <= Door::kHalfSpan;
}

}  // namespace

int ShutDoorsBetween(const CObject* doorGroup, const Vector3& from, const Vector3& to) {
    if (!doorGroup) return 0;
    int doors = 0;
    for (const CObject& object : doorGroup->Children()) {
        const auto* door = dynamic_cast<const Door*>(&object);
        if (door && door->IsShut() && CrossesDoor(*door, from, to)) ++doors;
    }
    return doors;
}

float OcclusionGain(const Level& level, const CObject* doorGroup, const Vector3& listener, const Vector3& source) {
    const int between = WallsBetween(level, listener, source) + ShutDoorsBetween(doorGroup, listener, source);
    float gain = 1.0f;
    for (int i = 0; i < between && gain > kLeastOcclusionGain; ++i) gain *= kGainThroughWall;
    return gain < kLeastOcclusionGain ? kLeastOcclusionGain : gain;
}
