// CellSight: which cells of the level's grid an eye inside it may see. It
// walks from the eye's cell through the openings between cells, narrowing
// the fan of sight lines to each opening, so a room behind a wall or round
// a corner is never reached. Walls show only their inner side, so a side is
// shut to the eye only by a wall of the cell the eye looks out of.
//
// The walk looks only across the grid, which is exact for what lies between
// floor and ceiling height; anything else (the eye above or below that
// band, a seen cell open to the sky or the ground, the edge of the grid)
// makes BeyondSeen() true, and then only the grid's own blocks may be left
// out by the walk.
#pragma once

#include <vector>

#include "game/core/vector3.h"
#include "game/level/view_frustum.h"

class Level;

class CellSight {
public:
    // Walks the level from the eye. Reuses its storage from the last call.
    void Look(const Level& level, const Vector3& eye);

    // Whether the cell (0-based) may be seen; every cell counts as seen when
    // the walk could not judge (the eye outside the grid or out of the band).
    bool Seen(int row, int column) const;
    // Something outside the grid's floor-to-ceiling band may be seen.
    bool BeyondSeen() const { return beyond; }
    // Whether a world box may be seen: it reaches into a seen cell's band,
    // or the view reaches beyond the grid.
    bool MayShow(const Box3& box) const;

private:
    struct Wedge {
        float low = 0.0f;  // radians, low < high, less than pi apart
        float high = 0.0f;
    };
    struct Step {
        int row, column;
        Wedge wedge;
    };
    // What the walk knows of a cell's sight lines.
    enum HullState : char { kNotReached, kHullKnown, kOwnCell };

    void Reset(int rowCount, int columnCount);
    void MarkSeen(int row, int column);
    bool AddToHull(int cell, Wedge& wedge);
    void WalkOut(const Level& level, int row, int column, const Wedge* wedge);
    void SeeEverything();
    int CellIndex(float coordinate, int count) const;

    int rows = 0;
    int columns = 0;
    float cellSize = 3.0f;
    Vector3 eye;
    bool judged = false;
    bool beyond = true;
    std::vector<char> seen;
    std::vector<HullState> hullState;
    std::vector<Wedge> hull;  // per cell: the span of every wedge walked into it
    std::vector<Step> pending;
    // The seen cells' bounding rows and columns.
    int firstRow = 0, lastRow = -1, firstColumn = 0, lastColumn = -1;
};
