// The display lists every block face is drawn from: a 3 x 3 floor, a
// 0.1-thick wall slab and a ceiling, each split into small quads so the
// fixed-function lights shade across the face instead of only at its corners.
#pragma once

#include <vector>

// The wall slab's back side lies at z = 0 and its front at this z, both
// facing +z over the same grid.
constexpr float kWallFrontZ = 0.1f;

// The wall slab's back side cut into runs of whole grid columns (along x)
// and rows (along y), so a wall can draw only the part of its back side
// that may show past its front (game/level/wall_back.h). Every run draws
// the very quads the whole back side draws. Empty when the grid has more
// than kMostSteps steps a side: such walls draw their whole back side.
struct WallBackLists {
    static constexpr int kMostSteps = 16;

    // The grid's edges in face coordinates, the same along x and y: quad i
    // spans edges[i] to edges[i + 1].
    std::vector<float> edges;
    // leadingColumns[n - 1] draws columns 0 to n - 1, trailingColumns[n - 1]
    // the last n columns; the same for rows. n runs to steps - 1.
    std::vector<unsigned int> leadingColumns, trailingColumns, leadingRows, trailingRows;
    // The whole back side, and the slab without it (its ends and front, in
    // the order `wall` draws them).
    unsigned int back = 0;
    unsigned int endsAndFront = 0;

    int Steps() const { return edges.empty() ? 0 : static_cast<int>(edges.size()) - 1; }
};

// The slab's front laid by one square, set in from its sides by kInset on
// the front's plane and facing as it does: two triangles that lay most of
// a front's depths where its grid takes two hundred (game/level/wall_front.h
// says when that changes no pixel). A square may span the first or the
// last n whole columns of the grid (along x) only, for a view whose near
// plane cuts the rest; those columns are then laid by their own grid.
struct InsetFrontList {
    static constexpr float kInset = 0.05f;

    // The grid's edges along x and y, as WallBackLists has them.
    std::vector<float> edges;
    // leading[n - 1] spans columns 0 to n - 1, trailing[n - 1] the last n;
    // n runs to the grid's steps, so leading.back() spans the whole front.
    std::vector<unsigned int> leading, trailing;
    // The front's own grid over the first (gridLeading[n - 1]) or the last
    // n columns, n to steps - 1, vertex for vertex as `wall` draws them.
    std::vector<unsigned int> gridLeading, gridTrailing;

    int Steps() const { return edges.empty() ? 0 : static_cast<int>(edges.size()) - 1; }
};

struct FaceLists {
    unsigned int floor = 0;
    unsigned int wall = 0;
    unsigned int ceiling = 0;
    // The slab's front side alone, vertex for vertex as `wall` draws it, for
    // laying the fronts into the depth buffer ahead of the walls.
    unsigned int wallFront = 0;
    InsetFrontList wallFrontInset;
    WallBackLists wallBack;
};

// Compiles the lists (floor first, then wall, then ceiling, then wallFront). Texture and
// grid coordinates advance in steps of 0.1 while below `span`, so a span of
// 1.0 gives 10 x 10 quads with the texture covering each face once. Needs a
// current GL context; a list GL could not create stays 0.
FaceLists CompileFaceLists(float span);

// Deletes the lists in the current context and zeroes the names.
void DeleteFaceLists(FaceLists& lists);
