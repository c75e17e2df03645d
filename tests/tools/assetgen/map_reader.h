// A small, strict reader of the level file for the tests: it accepts only
// the entries the generator is meant to write and reports the first token
// it does not expect, so a malformed map fails loudly instead of being
// skipped the way the game's loader skips it.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace maptest {

enum Slot { kNorth, kSouth, kWest, kEast, kCeiling, kFloor, kSlotCount };

struct FaceEntry {
    bool present = false;
    std::string type;
    std::string texture;
};

struct MapObject {
    std::string kind;  // LIGHT, WEAPON, LOCK_DOOR, ...
    int row = 0;
    int column = 0;
    std::vector<std::string> args;  // the tokens between the braces
    int order = 0;                  // position among all objects in the file
};

struct MapBlock {
    int row = 0;
    int column = 0;
    FaceEntry faces[kSlotCount];
    bool Open() const { return faces[kFloor].present; }
    bool Has(Slot slot) const { return faces[slot].present; }
};

struct MapFile {
    int rows = 0;
    int columns = 0;
    int blockSize = 0;
    std::vector<std::string> skybox;
    std::vector<std::string> models;
    std::vector<std::string> hud;
    std::vector<std::string> fx;
    std::map<std::pair<int, int>, MapBlock> blocks;
    std::vector<MapObject> objects;
    bool listsBeforeBlocks = true;

    const MapBlock* Block(int row, int column) const;
    bool IsOpen(int row, int column) const;
};

// Parses the text; false with a message in *error on the first problem.
bool ParseMap(const std::string& text, MapFile& map, std::string* error);

}  // namespace maptest
