// MapGrid: how a map's entries fill the grid of blocks. "mapsize R C" sets
// the rows and columns and empties the grid, dropping every block placed
// before it (a size outside 0 to kMaxMapSide leaves a 0 x 0 grid); a
// block outside the grid is refused; a later block in a cell replaces the
// earlier one. The game's level and map-check both hold their cells in
// one, so the two cannot apply a map differently.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

// Whether a "mapsize" of rows x columns is one the game takes.
bool MapSizeFits(int rows, int columns);

template <class Cell>
class MapGrid {
public:
    // Sets the size and empties the grid; false, with a 0 x 0 grid, for a
    // size that does not fit.
    bool Resize(int newRows, int newColumns) {
        sized = true;
        cells.clear();
        const bool fits = MapSizeFits(newRows, newColumns);
        rows = fits ? newRows : 0;
        columns = fits ? newColumns : 0;
        cells.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
        return fits;
    }

    int Rows() const { return rows; }
    int Columns() const { return columns; }
    // Whether any "mapsize" has been applied.
    bool Sized() const { return sized; }
    // Row and column count from 1, as the map writes them.
    bool Inside(int row, int column) const { return row >= 1 && row <= rows && column >= 1 && column <= columns; }
    std::size_t CellCount() const { return cells.size(); }

    // The cell's block, or null for an empty cell or one outside the grid.
    Cell* At(int row, int column) const { return Inside(row, column) ? cells[Index(row, column)].get() : nullptr; }
    // Cell (r, c) by its index (r - 1) x columns + (c - 1).
    Cell* AtIndex(std::size_t index) const { return index < cells.size() ? cells[index].get() : nullptr; }

    // Stores the block in its cell and hands back, in `block`, the one it
    // replaces (null for an empty cell). False for a cell outside the grid,
    // and the block stays with the caller.
    bool Place(int row, int column, std::unique_ptr<Cell>& block) {
        if (!Inside(row, column)) return false;
        cells[Index(row, column)].swap(block);
        return true;
    }

private:
    std::size_t Index(int row, int column) const {
        return static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(columns) +
               static_cast<std::size_t>(column - 1);
    }

    bool sized = false;
    int rows = 0;
    int columns = 0;
    std::vector<std::unique_ptr<Cell>> cells;
};
