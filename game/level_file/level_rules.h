// The level file's rules: what the game makes of the entries the reader
// hands it. The words a map writes for slots, face types and object kinds,
// where each kind of object stands and how far it reaches, which models and
// images each kind needs, and the size of the caches they fill. The game's
// loader builds from these answers and map-check checks maps against the
// same ones, so the two cannot drift apart. Nothing here touches GL or the
// world: it answers questions about a map description.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "game/core/vector3.h"
#include "game/level_file/asset_names.h"
#include "game/level_file/facing.h"
#include "game/level_file/map_reader.h"

// A block spans this many world units along x and z; rows and columns
// beyond kMaxMapSide are refused.
constexpr float kMapBlockUnits = 3.0f;
constexpr int kMaxMapSide = 1024;
// Images a map (with the game's own) may load before the cache is full.
constexpr int kTextureSlots = 50;
// Lamps drive GL lights 0 to kLampGlLights - 1, handed out in file order.
constexpr int kLampGlLights = 5;

// The words of the file beyond the grammar's slot and kind words.
const char* MapFaceTypeWord(MapFaceSlot slot);  // the type that draws a face of that slot
const char* MapSideWord(Facing side);           // "north", ...
// The facing code of a side word; false for a word that is no side.
bool MapSideFacing(const std::string& side, Facing& facing);
bool IsMapSideSlot(MapFaceSlot slot);
MapFaceSlot MapSlotOfSide(Facing side);
// A face whose type word is its slot's own is drawn; any other still stops
// the player and carries wall-mounted things.
inline bool MapFaceIsDrawn(const MapFace& face) { return face.type == MapFaceTypeWord(face.slot); }

// Where things stand in block (row, column), 1-based; row R covers z from
// 3(R - 1) to 3R and column C x from 3(C - 1) to 3C.
//
// A door stands in the middle of the block's side, 1.5 above the floor.
Vector3 MapDoorPosition(int row, int column, Facing side);
// Something mounted on the wall of that side, `inset` in from it and
// `height` above the floor.
Vector3 MapWallMountPosition(int row, int column, Facing wall, float inset, float height);
// Degrees about the vertical that turn a wall-mounted model, built facing
// away from a north wall, away from `wall` into its block.
float MapWallTurn(Facing wall);
// The block's middle at `height`.
Vector3 MapBlockCentre(int row, int column, float height);
// The block's north-west corner on the floor.
Vector3 MapBlockCorner(int row, int column);
// Where a block lists the first face of each slot, read once for all its
// items: a block may list hundreds of thousands of wall-hung things, and
// reading the items before each one again took time of the square of
// their number.
class MapBlockWalls {
public:
    explicit MapBlockWalls(const MapBlock& block);
    // The wall things hang on: the first of north, south, west and east
    // among the faces the block lists before item `before`; false when
    // there is none.
    bool FirstWallBefore(std::size_t before, Facing& wall) const;
    // The first side face the block lists at all, by its index; false for
    // a block without one.
    bool FirstSideFace(std::size_t& index) const;

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t firstFace[6];  // by MapFaceSlot; kNone for a slot without a face
};

// Hands lamps their GL lights 0 to 4 in the order maps list them, wrapping
// after 4.
class LampCounter {
public:
    int Next();
    void Reset() { next = 0; }
    int Peek() const { return next; }

    // The counter every load uses unless given another: it runs on across
    // all the maps one program loads.
    static LampCounter& ProgramWide();

private:
    int next = 0;
};

// Where and how the game makes the object of a block's item.
struct MapPlacement {
    Vector3 position;
    Facing facing = kFacingNorth;  // doors: their side; wall-mounted pickups: their wall
    float radius = 0.0f;           // of the sphere that meets the player
    float modelScale = 1.0f;       // pickups and keys
    int lamp = -1;                 // lamps: the GL light
};

enum class MapPlacementResult {
    kPlaced,
    kNoSide,  // a door on a word that is no side: the game skips it
    kNoWall,  // a wall-mounted pickup with no wall read before it: skipped
};

// Places item `index` of the block, which must be an object. A lamp takes
// the GL light `nextLamp`; nothing else uses it. `walls` is the block's
// own: whoever places a block's items reads it once for all of them.
MapPlacementResult PlaceMapObject(const MapBlock& block, const MapBlockWalls& walls, std::size_t index,
                                  int nextLamp, MapPlacement& placed);
// The same for one item alone, reading the block's walls for it.
MapPlacementResult PlaceMapObject(const MapBlock& block, std::size_t index, int nextLamp, MapPlacement& placed);


// The models the object's constructor fetches from the model cache.
std::vector<std::string> MapObjectModels(const MapObject& object);
