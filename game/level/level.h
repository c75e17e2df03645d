// Level: the compound's grid of blocks, the sky around it and the three
// shared face display lists. Block (row R, column C), 1-based, covers x from
// 3(C - 1) to 3C and z from 3(R - 1) to 3R; rows run along z, columns along x.
#pragma once

#include <memory>
#include <vector>

#include "game/level/block.h"
#include "game/level_file/level_rules.h"
#include "game/level_file/map_grid.h"
#include "game/render/face_lists.h"
#include "game/render/skybox.h"

class TextureCache;

class Level {
public:
    // The largest number of rows or columns a level may have; a larger map
    // size would only exhaust memory.
    static constexpr int kMaxSide = kMaxMapSide;
    // Block side in world units, fixed for placement and collisions.
    static constexpr float kBlockUnits = kMapBlockUnits;

    explicit Level(TextureCache* textures);
    // Deletes the face lists, so the GL context that built them must be
    // current.
    ~Level();

    Level(const Level&) = delete;
    Level& operator=(const Level&) = delete;

    int Rows() const { return grid.Rows(); }
    int Columns() const { return grid.Columns(); }
    int BlockSize() const { return blockSize; }
    // The translation step between blocks when drawing; collisions always
    // use 3.
    void SetBlockSize(int size) { blockSize = size; }

    // Sets the size and empties the grid, dropping every block. A size
    // below 0 or above kMaxSide is refused with a warning on standard error
    // and leaves a 0 x 0 grid; returns whether the size was taken.
    bool Resize(int newRows, int newColumns);

    // Stores the block in the cell of its row and column, replacing any
    // block there. A block outside the grid is dropped with a warning on
    // standard error, and the result is false.
    bool PlaceBlock(std::unique_ptr<Block> block);

    // Whether the map's row and column (from 1) name a cell of the grid.
    bool Holds(int row, int column) const { return grid.Inside(row, column); }
    // The block of 0-based cell (row, column); null for an empty cell or a
    // cell outside the grid.
    const Block* BlockAt(int row, int column) const;
    // The 0-based cell that holds the world point (x, z); false for a point
    // outside the level or a level without cells. A point on the far edge
    // (x = 3 x columns or z = 3 x rows) belongs to the last column or row.
    bool CellUnder(float x, float z, int& row, int& column) const;
    // The block of the cell under (x, z), or null.
    const Block* BlockUnder(float x, float z) const;
    // 0 <= x <= 3 x columns and 0 <= z <= 3 x rows.
    bool Contains(float x, float z) const;

    // (Re)compiles the face lists; needs a current GL context. Faces
    // made afterwards take their list names from FaceListNames().
    void BuildFaceLists(float span);
    const FaceLists& FaceListNames() const { return faceLists; }

    // Draws every block, each translated to its corner.
    void Draw() const;
    // Draws, in the same order and to the same pixels, only the blocks of
    // the cells marked in `cellShown` (cell (r, c) at r x columns + c),
    // with their walls' fronts laid into the depth buffer first and of
    // each wall's back side only what can show past its front.
    void Draw(const std::vector<char>& cellShown) const;

    Skybox& Sky() { return sky; }
    const Skybox& Sky() const { return sky; }
    TextureCache* Textures() const { return textures; }

private:
    // Calls drawBlock(block) for the cell's block, translated to its corner.
    template <typename DrawBlock>
    void DrawCell(size_t cell, DrawBlock drawBlock) const;

    int blockSize = 0;
    MapGrid<Block> grid;
    TextureCache* textures;
    Skybox sky;
    FaceLists faceLists;
};
