// Block: one 3 x 3 x 3 cell of the level grid with up to six faces. In block
// coordinates the cell spans x and z from 0 to 3, floor at y = 0, ceiling at
// y = 3; north is its -z side and west its -x side.
#pragma once

#include <memory>

#include "game/level/block_part.h"
#include "game/level/wall_back.h"
#include "game/level/wall_front.h"
#include "game/level_file/facing.h"
#include "game/render/face_lists.h"

class Block {
public:
    // Row and column are 1-based, as the map writes them.
    Block(int row, int column) : row(row), column(column) {}

    // Draws each face that is present, every wall turned to face into the
    // block. Expects the block's corner at the origin of the current frame.
    void Draw() const;
    // Draws as Draw does, but each wall drawn from `lists.wall` with only
    // the part of its back side that can show past its front (see
    // wall_back.h), in a view with the given limits.
    void DrawShownParts(const FaceLists& lists, const PerspectiveLimits& view) const;
    // Draws, in the place of each wall drawn from `lists.wall` and nothing
    // else, its front: an inset square where one fits in `view` (see
    // wall_front.h), else the front's own grid.
    void DrawWallFronts(const FaceLists& lists, const DepthPassView& view) const;

    // The face slots; an empty slot has no face.
    std::unique_ptr<BlockPart> west;
    std::unique_ptr<BlockPart> east;
    std::unique_ptr<BlockPart> north;
    std::unique_ptr<BlockPart> south;
    std::unique_ptr<BlockPart> ceiling;
    std::unique_ptr<BlockPart> floor;

    int row;
    int column;

private:
    template <typename DrawWall>
    void ForEachWall(DrawWall drawWall) const;
};
