// MapModel: what the game's loader builds from a map description, without a
// window: the final grid with each cell's faces, every object the loader
// makes with its place and GL light, the order in which images reach the
// texture cache, and every file the map names. It is built with the game's
// reader (game/level_file/map_reader.h) and its rules (level_rules.h), and follows the
// loader step by step: a later "mapsize" empties the grid, a block outside
// the grid is dropped with its objects, a later block in a cell replaces
// the earlier one (whose objects stay in the world), a wall-mounted pickup
// hangs on the walls read before it.
//
// The steps where the loader drops or replaces something are findings of
// their own; BuildMapModel reports them as it goes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "game/core/vector3.h"
#include "game/level_file/facing.h"
#include "game/level_file/map_grid.h"
#include "game/level_file/map_reader.h"
#include "tools/map-check/findings.h"

namespace mapcheck {

// One face slot of a block.
struct FaceRecord {
    bool present = false;
    // The type word is the slot's own ("WALL", "NO_LIGHT", "NORMAL_FLOOR"):
    // the face is drawn. Any present face stops the player all the same.
    bool typed = false;
    std::string type;
    std::string texture;
    int line = 0;
    int textureLine = 0;
};

// A cell of the final grid that holds a block.
struct CellRecord {
    int line = 0;  // of the block entry
    FaceRecord faces[6];  // by MapFaceSlot
    int Count() const;
    const FaceRecord& Face(MapFaceSlot slot) const { return faces[static_cast<int>(slot)]; }
    const FaceRecord& Side(Facing side) const;
};

// An object the loader makes.
struct PlacedObject {
    MapObjectKind kind = MapObjectKind::kLight;
    int row = 0;  // of the block entry that lists it
    int column = 0;
    int line = 0;
    int keyId = 0;        // locked doors and keys
    std::string model;    // keys
    int modelLine = 0;
    std::string texture;  // doors
    // Doors: the side they stand on; weapon, tool box, medikit: the wall
    // they hang on.
    Facing facing = kFacingNorth;
    Vector3 position;
    int lamp = -1;  // lamps: the GL light, 0 to 4
};

// A file the map names, where it first names it and as what.
struct FileMention {
    enum Kind { kImage, kModel };
    std::string name;
    Kind kind = kImage;
    const char* role = "";  // "sky texture", "HUD image", "model", ...
    int line = 0;
};

class MapModel {
public:
    bool HasSize() const { return grid.Sized(); }
    int Rows() const { return grid.Rows(); }
    int Columns() const { return grid.Columns(); }
    int BlockSize() const { return blockSize; }
    int BlockSizeLine() const { return blockSizeLine; }
    bool Inside(int row, int column) const { return grid.Inside(row, column); }

    // The block in the cell (1-based), or null for an empty cell or one
    // outside the grid.
    const CellRecord* Cell(int row, int column) const;
    // A face of any kind on that side: the player cannot pass it.
    bool Closed(int row, int column, Facing side) const;
    // A wall that is drawn on that side (it faces into its own block).
    bool DrawnWall(int row, int column, Facing side) const;
    // A block with a floor: part of the compound, not rock.
    bool IsOpen(int row, int column) const;

    // Every object the loader makes, in file order.
    const std::vector<PlacedObject>& Objects() const { return objects; }
    // The sky's names as the loader reads them (fewer than six when cut
    // short); empty without a skybox entry.
    const MapSkybox* Sky() const { return sky; }
    // Images in the order the loader hands them to the texture cache, with
    // the line of each; repeats included.
    const std::vector<std::pair<std::string, int>>& TextureLoads() const { return textureLoads; }
    // Every distinct file name the map gives, at its first mention.
    const std::vector<FileMention>& Files() const { return files; }
    // Whether a "models", "hud" or "fx" entry of that kind names the file.
    bool Lists(MapResourceKind kind, const std::string& name) const;

private:
    friend class ModelBuilder;

    int blockSize = 0;
    int blockSizeLine = 0;
    MapGrid<CellRecord> grid;
    std::vector<PlacedObject> objects;
    const MapSkybox* sky = nullptr;
    std::vector<std::pair<std::string, int>> textureLoads;
    std::vector<FileMention> files;
    struct Listed {
        MapResourceKind kind;
        std::string name;
        int line;
    };
    std::vector<Listed> listed;
};

// Builds the model from the description, which must outlive it, and adds
// the findings of the loader's steps to `findings`.
void BuildMapModel(const MapDescription& map, MapModel& model, Findings& findings);

// "a", "a and b", "a, b and c".
std::string JoinNames(const std::vector<std::string>& names);
// "north", "south", "west", "east".
const char* SideName(Facing side);
// The word a map writes for an object kind ("LOCK_DOOR", "WEAPON", ...).
const char* KindWord(MapObjectKind kind);
// The neighbour across a side.
void StepAcross(Facing side, int& row, int& column);
Facing Opposite(Facing side);

}  // namespace mapcheck
