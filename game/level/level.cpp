// The block grid: sizing, placing, lookups by cell and by world point, and
// drawing.
#include "game/level/level.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>

Level::Level(TextureCache* textures) : textures(textures) {}

Level::~Level() { DeleteFaceLists(faceLists); }

bool Level::Resize(int newRows, int newColumns) {
    const bool fits = grid.Resize(newRows, newColumns);
    if (!fits)
        std::fprintf(stderr, "Level: a map size of %d x %d is outside 0 to %d; the level stays empty\n", newRows,
                     newColumns, kMaxSide);
    return fits;
}

bool Level::PlaceBlock(std::unique_ptr<Block> block) {
    if (!block) return false;
    const int row = block->row;
    const int column = block->column;
    if (!grid.Place(row, column, block)) {
        std::fprintf(stderr, "Level: block at row %d, column %d lies outside the %d x %d map; it is skipped\n", row,
                     column, Rows(), Columns());
        return false;
    }
    return true;
}

const Block* Level::BlockAt(int row, int column) const {
    return grid.At(row + 1, column + 1);
}

bool Level::Contains(float x, float z) const {
    // Written so that a NaN coordinate is outside.
    return x >= 0.0f && x <= kBlockUnits * Columns() && z >= 0.0f && z <= kBlockUnits * Rows();
}

bool Level::CellUnder(float x, float z, int& row, int& column) const {
    if (!Contains(x, z) || Rows() == 0 || Columns() == 0) return false;
    column = std::min(static_cast<int>(x / kBlockUnits), Columns() - 1);
    row = std::min(static_cast<int>(z / kBlockUnits), Rows() - 1);
    return true;
}

const Block* Level::BlockUnder(float x, float z) const {
    int row = 0;
    int column = 0;
    return CellUnder(x, z, row, column) ? BlockAt(row, column) : nullptr;
}

void Level::BuildFaceLists(float span) {
    DeleteFaceLists(faceLists);
    faceLists = CompileFaceLists(span);
}

void Level::Draw() const {
    for (size_t cell = 0; cell < grid.CellCount(); ++cell) DrawCell(cell, [](const Block& block) { block.Draw(); });
}

// The shown walls' front sides go into the depth buffer first, so what they
// hide (chiefly each slab's back side, drawn before its front) fails the
// depth test before it is textured and lit. Each front is laid where the
// wall will draw it, by its inset square where that fits the view
// (wall_front.h) or else by its own grid, and pushed back by the polygon
// offset: no depth nearer than the front's lands on a pixel the front does
// not cover, so whatever ends on top without this pass still passes, and
// every pixel ends as it would without it.
void Level::Draw(const std::vector<char>& cellShown) const {
    const size_t cells = std::min(grid.CellCount(), cellShown.size());
    DepthPassView depthView;
    glGetFloatv(GL_PROJECTION_MATRIX, depthView.projection);
    glGetIntegerv(GL_VIEWPORT, depthView.viewport);
    if (faceLists.wall != 0 && faceLists.wallFront != 0) {
        glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_POLYGON_BIT);
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_LIGHTING);
        // The wall list draws its front with culling on.
        glEnable(GL_CULL_FACE);
        glEnable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(kDepthPassOffsetFactor, kDepthPassOffsetUnits);
        for (size_t cell = 0; cell < cells; ++cell)
            if (cellShown[cell])
                DrawCell(cell, [&](const Block& block) { block.DrawWallFronts(faceLists, depthView); });
        glPopAttrib();
    }
    const PerspectiveLimits view = LimitsOfProjection(depthView.projection);
    for (size_t cell = 0; cell < cells; ++cell)
        if (cellShown[cell]) DrawCell(cell, [&](const Block& block) { block.DrawShownParts(faceLists, view); });
}

template <typename DrawBlock>
void Level::DrawCell(size_t cell, DrawBlock drawBlock) const {
    const Block* block = grid.AtIndex(cell);
    if (!block) return;
    const int r = static_cast<int>(cell / static_cast<size_t>(Columns()));
    const int c = static_cast<int>(cell % static_cast<size_t>(Columns()));
    glPushMatrix();
    // In float: a map's block size is any int, and the product must not overflow.
    const float step = static_cast<float>(blockSize);
    glTranslatef(static_cast<float>(c) * step, 0.0f, static_cast<float>(r) * step);
    drawBlock(*block);
    glPopMatrix();
}
