// The kinds of object a map places, each described once, in one row of
// the table in object_kinds.cpp: the word a map writes for it, the fields
// its entry reads, where in its block it stands, the models it fetches,
// and its symbol on map-check's plan. The reader, the placement rules,
// map-check and the game's loader all ask this table; what a kind is once
// made (its drawing, its state report line) lives with its class in
// game/objects/, and the world's table of makers ties the two.
#pragma once

#include <cstdint>
#include <vector>

// In the order of the table (and of map-check's legend).
enum class MapObjectKind { kAutomaticDoor, kLockedDoor, kLight, kWeapon, kFlashlight, kMedikit, kKey, kVorlax, kGenerator };

// What an object entry reads between its braces after the kind word.
enum class MapObjectFields {
    kNone,         // "{ }"
    kSide,         // "{ SIDE [PIC] }"
    kKeyAndSide,   // "{ N SIDE [PIC] }"
    kKeyAndModel,  // "{ N MODEL }"
};

// Where in its block an object stands.
enum class MapStand {
    kOnSide,  // in the middle of the side the entry names, as a door
    kOnWall,  // on the block's first wall read before it
    kCentre,  // in the block's middle
    kCorner,  // on the block's north-west corner, on the floor
};

struct MapStanding {
    MapStand stand = MapStand::kCentre;
    float height = 0.0f;  // above the floor: centre and wall
    float inset = 0.0f;   // from the wall into the block: wall
    float radius = 0.0f;  // of the sphere that meets the player
    float modelScale = 1.0f;
    bool lamp = false;  // takes the next GL light
};

// How map-check's plan draws a kind, round the place the loader puts it.
// Sizes are world units, so symbols grow and shrink with the cells.
enum class MapSymbolShape {
    kDoorBar,         // a bar across the side
    kRing,            // `size` the radius, `across` the thickness
    kDisc,            // `size` the radius
    kDiamond,         // `size` from the middle to a corner
    kSquareWithCore,  // `size` half the side, `across` the core's radius
    kWallBox,         // `size` along the wall, `across` out from it; a cross in `detail` when it differs
};

struct MapColour {
    std::uint8_t r = 0, g = 0, b = 0;
};

struct MapSymbol {
    MapSymbolShape shape = MapSymbolShape::kDisc;
    MapColour colour;
    MapColour detail;  // the square's core, the box's cross
    float size = 0.0f;
    float across = 0.0f;
    float offset = 0.0f;  // south-east of the place, so a symbol in the block's middle stays in view
    // The plan draws every object's symbol of layer 0, then of 1, and so
    // on: the largest first.
    int layer = 0;
    bool numbered = false;  // shows the key number beside it
    const char* legend = "";
};

struct MapObjectKindRules {
    MapObjectKind kind;
    const char* word;  // "LOCK_DOOR", "WEAPON", ...
    MapObjectFields fields;
    MapStanding standing;
    // The models the object fetches as it is made; a kind with fields
    // kKeyAndModel fetches its entry's model too.
    std::vector<const char*> models;
    MapSymbol symbol;
};

// Every kind, in the order of MapObjectKind.
const std::vector<MapObjectKindRules>& MapObjectKinds();
const MapObjectKindRules& RulesOf(MapObjectKind kind);

// The word a map writes for the kind.
const char* MapKindWord(MapObjectKind kind);

// What an entry's key number means, by the fields it reads: the key that
// opens the object (a locked door, "N SIDE") or the key it is (a key,
// "N MODEL"); nothing for kinds without one.
enum class MapKeyRole { kNone, kOpenedBy, kIs };
MapKeyRole KeyRoleOf(MapObjectKind kind);
