// The level file's grammar and placement rules: reads map.txt's
// whitespace-separated tokens into a plain description of its entries, in
// file order, and says where the things a block lists stand. Nothing here
// touches GL, the caches or the world; the map loader builds from it.
//
// Any byte sequence is a valid input: unknown words are skipped, a list or
// section cut off by the end of the file ends there, and the description
// never grows faster than the file, since each entry needs tokens of its own.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <variant>
#include <vector>

#include "game/block.h"
#include "game/vector3.h"

enum class MapFaceSlot { kWest, kEast, kNorth, kSouth, kCeiling, kFloor };

// "north { WALL wallpanel.jpg }". The type is empty when the file ended
// before it; a face without a texture name has an empty texture.
struct MapFace {
    MapFaceSlot slot = MapFaceSlot::kNorth;
    std::string type;
    std::string texture;
};

enum class MapObjectKind { kLockedDoor, kAutomaticDoor, kLight, kWeapon, kFlashlight, kMedikit, kKey, kVorlax, kGenerator };

// One entry of a "liveobjects" section. Only the fields of its kind are read:
// keyId for locked doors and keys, side and texture (empty for none) for
// doors, model for keys.
struct MapObject {
    MapObjectKind kind = MapObjectKind::kLight;
    int keyId = 0;
    std::string side;
    std::string texture;
    std::string model;
};

using MapBlockItem = std::variant<MapFace, MapObject>;

// "block R C { ... }": faces and objects in the order the file gives them,
// which matters: a wall-mounted pickup hangs on the walls read before it.
struct MapBlock {
    int row = 0;
    int column = 0;
    std::vector<MapBlockItem> items;
};

struct MapSize {
    int rows = 0;
    int columns = 0;
};

struct MapBlockSize {
    int size = 0;
};

// Sky texture names in the order west, east, top, bottom, north, south; a
// file that ends early gives fewer than six.
struct MapSkybox {
    std::vector<std::string> names;
};

enum class MapResourceKind { kModels, kHud, kFx };

struct MapResources {
    MapResourceKind kind = MapResourceKind::kModels;
    std::vector<std::string> names;
};

using MapEntry = std::variant<MapSize, MapBlockSize, MapSkybox, MapResources, MapBlock>;

struct MapDescription {
    std::vector<MapEntry> entries;
    // A read error (not the end of the file) stopped the reading; the
    // entries hold what came before it.
    bool readError = false;
    // How many tokens were cut to kMaxMapTokenLength.
    int shortenedTokens = 0;
};

// Longer tokens are cut to this many characters, so that a file without
// whitespace cannot make one token of any size. No keyword or usable file
// name is that long.
constexpr std::size_t kMaxMapTokenLength = 4096;

MapDescription ReadMap(std::istream& in);

// The number at the start of the token, as atoi reads it ("12ab" is 12,
// "ab" is 0), but held to the int range instead of overflowing.
int MapNumber(const std::string& token);

// The facing code of a side word; false for a word that is no side.
bool MapSideFacing(const std::string& side, Facing& facing);

// Where things stand in block (row, column), 1-based; a block spans 3 world
// units, so row R covers z from 3(R - 1) to 3R and column C x from 3(C - 1)
// to 3C.
//
// A door stands in the middle of the block's side, 1.5 above the floor.
Vector3 MapDoorPosition(int row, int column, Facing side);
// Something mounted on the wall of that side, `inset` in from it and
// `height` above the floor.
Vector3 MapWallMountPosition(int row, int column, Facing wall, float inset, float height);
// The block's middle at `height`.
Vector3 MapBlockCentre(int row, int column, float height);
// The block's north-west corner on the floor.
Vector3 MapBlockCorner(int row, int column);
// The wall things hang on: the first of north, south, west and east that
// holds a face of any kind; false for a block without walls.
bool MapFirstWall(const Block& block, Facing& wall);
