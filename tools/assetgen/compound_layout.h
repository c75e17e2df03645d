// The compound's floor plan: which blocks are open and to which room or
// corridor they belong, the passages and doors between areas, and where the
// lamps, pickups, creatures and generators stand. map_writer turns it into
// map.txt.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "game/level_file/map_reader.h"
#include "game/level_file/object_kinds.h"

namespace assetgen {

// A block address: 1-based row (along z, north to south) and column (along
// x, west to east), as the map file writes them.
struct Cell {
    int row = 0;
    int column = 0;
};

enum class Side { kNorth, kSouth, kWest, kEast };

// The map's slot for the side, and its word ("north", ...).
MapFaceSlot SlotOf(Side side);
const char* SideWord(Side side);
Cell Neighbour(Cell cell, Side side);
Side Opposite(Side side);

enum class DoorKind { kNone, kAutomatic, kLocked };

// An opening from `cell` through its `side` into the neighbouring block of
// another area (or the outside, for the entrance).
struct Passage {
    Cell cell;
    Side side;
    DoorKind door = DoorKind::kNone;
    int keyId = 0;  // locked doors only
};

// One of the map's objects other than a door, which stand in passages.
struct Thing {
    Thing(MapObjectKind kind, Cell cell, int keyId = 0, std::string model = "")
        : kind(kind), cell(cell), keyId(keyId), model(std::move(model))
    {
    }

    MapObjectKind kind;
    Cell cell;
    int keyId;          // keys only
    std::string model;  // keys only
};

// How an area's faces look.
struct AreaStyle {
    const char* wall;
    const char* floor;
    const char* ceiling;
};

class CompoundLayout {
public:
    CompoundLayout();

    int Rows() const { return static_cast<int>(plan.size()); }
    int Columns() const { return static_cast<int>(plan.front().size()); }
    bool Inside(Cell cell) const;
    bool IsOpen(Cell cell) const;
    // The area letter of an open block, ' ' for rock and the outside.
    char AreaOf(Cell cell) const;
    AreaStyle StyleOf(Cell cell) const;
    // The passage through this side of the block, if any (either direction).
    const Passage* PassageAt(Cell cell, Side side) const;
    // Whether this side of an open block is closed by a wall face.
    bool HasWall(Cell cell, Side side) const;

    const std::vector<Passage>& Passages() const { return passages; }
    const std::vector<Thing>& Things() const { return things; }

private:
    std::vector<std::string> plan;
    std::vector<Passage> passages;
    std::vector<Thing> things;
};

}  // namespace assetgen
