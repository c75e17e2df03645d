// The sizes a map's grid may take.
#include "game/level_file/map_grid.h"

#include "game/level_file/level_rules.h"

bool MapSizeFits(int rows, int columns) {
    return rows >= 0 && columns >= 0 && rows <= kMaxMapSide && columns <= kMaxMapSide;
}
