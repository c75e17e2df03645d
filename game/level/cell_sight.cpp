// The walk through the grid's openings.
#include "game/level/cell_sight.h"

#include <algorithm>
#include <cmath>

#include "game/level/block.h"
#include "game/level/level.h"

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kTwoPi = 2.0f * kPi;
// An eye this close to a side may look through the wall there: the slab is
// 0.1 thick and the near plane another 0.1 away. The cell beyond counts as
// the eye's own.
constexpr float kNearSide = 0.3f;
// The eye's band: the walk judges only while the eye is this far inside
// the floor and the ceiling, for the same reason.
constexpr float kBandFloor = 0.3f;
constexpr float kBandCeiling = 2.7f;
// Each opening is widened by this angle on both sides, far more than the
// rasterizer's rounding, so a pixel on an opening's edge is never lost.
constexpr float kAngleSlack = 0.002f;
// Block geometry stays within its cell but for rounding.
constexpr float kCellSlack = 0.05f;
// Walks longer than this many steps per cell give up and see everything.
constexpr size_t kStepsPerCell = 32;

enum Side { kWest, kEast, kNorth, kSouth };
constexpr int kSideRow[4] = {0, 0, -1, 1};
constexpr int kSideColumn[4] = {-1, 1, 0, 0};

// A face of the given kind that draws something.
template <typename Kind>
bool Holds(const std::unique_ptr<BlockPart>& part) {
    return dynamic_cast<const Kind*>(part.get()) && part->displayList != 0;
}

// The side of a cell an eye on its inner side looks out through: shut only
// by a wall of this cell, which faces the eye.
bool ShutFromInside(const Block& block, Side side) {
    const std::unique_ptr<BlockPart>* walls[4] = {&block.west, &block.east, &block.north, &block.south};
    return Holds<Wall>(*walls[side]);
}

// Shifts `angle` by whole turns to lie within half a turn of `reference`.
float Near(float angle, float reference) {
    while (angle - reference > kPi) angle -= kTwoPi;
    while (reference - angle > kPi) angle += kTwoPi;
    return angle;
}

}  // namespace

void CellSight::Reset(int rowCount, int columnCount) {
    rows = rowCount;
    columns = columnCount;
    const size_t cells = static_cast<size_t>(rows) * static_cast<size_t>(columns);
    seen.assign(cells, 0);
    hullState.assign(cells, kNotReached);
    hull.resize(cells);
    pending.clear();
    // Room for a step per cell, made once: the walk seldom holds more than
    // a few dozen at a time, so no later frame grows it.
    pending.reserve(cells);
    firstRow = rows;
    lastRow = -1;
    firstColumn = columns;
    lastColumn = -1;
}

void CellSight::MarkSeen(int row, int column) {
    seen[static_cast<size_t>(row) * columns + column] = 1;
    firstRow = std::min(firstRow, row);
    lastRow = std::max(lastRow, row);
    firstColumn = std::min(firstColumn, column);
    lastColumn = std::max(lastColumn, column);
}

void CellSight::SeeEverything() {
    judged = false;
    beyond = true;
}

void CellSight::Look(const Level& level, const Vector3& eyePosition) {
    eye = eyePosition;
    Reset(level.Rows(), level.Columns());
    cellSize = Level::kBlockUnits;
    // Blocks drawn at another step than their collision size overlap or
    // leave gaps: the grid then says nothing about what hides what.
    const bool inBand = eye.y > kBandFloor && eye.y < kBandCeiling;
    if (!inBand || level.BlockSize() != Level::kBlockUnits || !level.Contains(eye.x, eye.z) || seen.empty()) {
        SeeEverything();
        return;
    }
    judged = true;
    beyond = false;

    // The eye's own cells: every cell within kNearSide of it.
    auto cellOf = [this](float coordinate, int count) {
        return std::clamp(static_cast<int>(std::floor(coordinate / cellSize)), 0, count - 1);
    };
    const int row0 = cellOf(eye.z - kNearSide, rows), row1 = cellOf(eye.z + kNearSide, rows);
    const int column0 = cellOf(eye.x - kNearSide, columns), column1 = cellOf(eye.x + kNearSide, columns);
    for (int r = row0; r <= row1; ++r)
        for (int c = column0; c <= column1; ++c) {
            MarkSeen(r, c);
            hullState[static_cast<size_t>(r) * columns + c] = kOwnCell;  // never walked into
        }
    for (int r = row0; r <= row1; ++r)
        for (int c = column0; c <= column1; ++c) WalkOut(level, r, c, nullptr);

    const size_t budget = kStepsPerCell * seen.size() + 64;
    for (size_t steps = 0; !pending.empty(); ++steps) {
        if (steps > budget) {
            SeeEverything();
            return;
        }
        Step step = pending.back();
        pending.pop_back();
        const int cell = step.row * columns + step.column;
        if (!AddToHull(cell, step.wedge)) continue;
        MarkSeen(step.row, step.column);
        WalkOut(level, step.row, step.column, &step.wedge);
    }
}

// Widens the cell's hull by the wedge; false when the hull already held
// it. The wedge becomes the whole hull, which holds at least every sight
// line walked in so far.
bool CellSight::AddToHull(int cell, Wedge& wedge) {
    HullState& state = hullState[static_cast<size_t>(cell)];
    if (state == kOwnCell) return false;
    Wedge& span = hull[static_cast<size_t>(cell)];
    if (state == kNotReached) {
        state = kHullKnown;
        span = wedge;
        return true;
    }
    const float shift = Near(wedge.low, span.low) - wedge.low;
    const float low = wedge.low + shift, high = wedge.high + shift;
    if (low >= span.low && high <= span.high) return false;
    span.low = std::min(span.low, low);
    span.high = std::max(span.high, high);
    wedge = span;
    return true;
}

// Queues the neighbours seen through the open sides that face away from
// the eye. `wedge` is null for the eye's own cells, which see all of each.
void CellSight::WalkOut(const Level& level, int row, int column, const Wedge* wedge) {
    const Block* block = level.BlockAt(row, column);
    if (!block || !Holds<Ceiling>(block->ceiling) || !Holds<FloorTile>(block->floor)) beyond = true;

    const float west = static_cast<float>(column) * cellSize, east = west + cellSize;
    const float north = static_cast<float>(row) * cellSize, south = north + cellSize;
    for (Side side : {kWest, kEast, kNorth, kSouth}) {
        const bool facesAway = side == kWest ? eye.x > west : side == kEast ? eye.x < east
                               : side == kNorth ? eye.z > north : eye.z < south;
        if (!facesAway || (block && ShutFromInside(*block, side))) continue;
        const int nextRow = row + kSideRow[side], nextColumn = column + kSideColumn[side];
        if (nextRow < 0 || nextRow >= rows || nextColumn < 0 || nextColumn >= columns) {
            beyond = true;  // out over the edge of the grid
            continue;
        }
        if (hullState[static_cast<size_t>(nextRow) * columns + nextColumn] == kOwnCell) continue;

        // The opening as seen from the eye.
        const bool alongX = side == kNorth || side == kSouth;
        const float fixed = side == kWest ? west : side == kEast ? east : side == kNorth ? north : south;
        const float ax = alongX ? west : fixed, az = alongX ? fixed : north;
        const float bx = alongX ? east : fixed, bz = alongX ? fixed : south;
        const float a = std::atan2(az - eye.z, ax - eye.x);
        const float b = Near(std::atan2(bz - eye.z, bx - eye.x), a);
        Wedge through{std::min(a, b) - kAngleSlack, std::max(a, b) + kAngleSlack};
        if (wedge) {
            const float shift = Near(through.low, wedge->low) - through.low;
            through.low = std::max(through.low + shift, wedge->low);
            through.high = std::min(through.high + shift, wedge->high);
            if (!(through.low < through.high)) continue;
        }
        pending.push_back(Step{nextRow, nextColumn, through});
    }
}

bool CellSight::Seen(int row, int column) const {
    if (!judged) return true;
    if (row < 0 || row >= rows || column < 0 || column >= columns) return false;
    return seen[static_cast<size_t>(row) * columns + column] != 0;
}

// The cell index of a coordinate, held to -1 .. count so any float converts.
int CellSight::CellIndex(float coordinate, int count) const {
    const float index = std::floor(coordinate / cellSize);
    return index < 0.0f ? -1 : index > static_cast<float>(count) ? count : static_cast<int>(index);
}

bool CellSight::MayShow(const Box3& box) const {
    if (beyond) return true;
    const float bounds[6] = {box.min.x, box.min.y, box.min.z, box.max.x, box.max.y, box.max.z};
    if (std::any_of(bounds, bounds + 6, [](float v) { return std::isnan(v); })) return true;
    if (box.max.y < -kCellSlack || box.min.y > cellSize + kCellSlack) return false;
    const int r0 = std::max(firstRow, CellIndex(box.min.z - kCellSlack, rows));
    const int r1 = std::min(lastRow, CellIndex(box.max.z + kCellSlack, rows));
    const int c0 = std::max(firstColumn, CellIndex(box.min.x - kCellSlack, columns));
    const int c1 = std::min(lastColumn, CellIndex(box.max.x + kCellSlack, columns));
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c)
            if (seen[static_cast<size_t>(r) * columns + c]) return true;
    return false;
}
