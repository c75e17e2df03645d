// The level file's words, placements and asset names.
#include "game/level_file/level_rules.h"

namespace {

constexpr float kHalfBlock = kMapBlockUnits / 2.0f;
constexpr float kDoorHeight = 1.5f;

// In float from the start: a row or column far outside any grid must not
// overflow on its way to a coordinate.
float WestEdge(int column) { return kMapBlockUnits * (static_cast<float>(column) - 1.0f); }
float NorthEdge(int row) { return kMapBlockUnits * (static_cast<float>(row) - 1.0f); }

// How each kind of wall-mounted pickup is made and hung.
struct WallMount {
    float modelScale;
    float radius;
    float inset;  // from the wall into the block
    float height;
};
constexpr WallMount kWeaponMount{0.1f, 0.5f, 0.1f, 1.5f};
constexpr WallMount kFlashlightMount{0.5f, 1.5f, 0.6f, 0.2f};
constexpr WallMount kMedikitMount{0.4f, 0.5f, 0.1f, 1.5f};

constexpr float kLockedDoorRadius = 3.0f;
constexpr float kAutomaticDoorRadius = 1.5f;
constexpr float kLampHeight = 2.8f;
constexpr float kLampRadius = 9.0f;
constexpr float kKeyModelScale = 0.2f;
constexpr float kKeyRadius = 1.5f;
constexpr float kKeyHeight = 0.1f;
constexpr float kVorlaxHeight = 2.0f;
constexpr float kVorlaxRadius = 10.0f;
constexpr float kGeneratorRadius = 3.0f;

const WallMount* MountOf(MapObjectKind kind) {
    switch (kind) {
        case MapObjectKind::kWeapon: return &kWeaponMount;
        case MapObjectKind::kFlashlight: return &kFlashlightMount;
        case MapObjectKind::kMedikit: return &kMedikitMount;
        default: return nullptr;
    }
}

MapPlacementResult PlaceDoor(const MapBlock& block, const MapObject& object, MapPlacement& placed) {
    if (!MapSideFacing(object.side, placed.facing)) return MapPlacementResult::kNoSide;
    placed.position = MapDoorPosition(block.row, block.column, placed.facing);
    placed.radius = object.kind == MapObjectKind::kLockedDoor ? kLockedDoorRadius : kAutomaticDoorRadius;
    return MapPlacementResult::kPlaced;
}

MapPlacementResult PlaceOnWall(const MapBlock& block, std::size_t index, const WallMount& mount,
                               MapPlacement& placed) {
    if (!MapFirstWall(block, index, placed.facing)) return MapPlacementResult::kNoWall;
    placed.position = MapWallMountPosition(block.row, block.column, placed.facing, mount.inset, mount.height);
    placed.radius = mount.radius;
    placed.modelScale = mount.modelScale;
    return MapPlacementResult::kPlaced;
}

}  // namespace

const char* MapFaceTypeWord(MapFaceSlot slot) {
    switch (slot) {
        case MapFaceSlot::kCeiling: return "NO_LIGHT";
        case MapFaceSlot::kFloor: return "NORMAL_FLOOR";
        default: return "WALL";
    }
}

const char* MapSideWord(Facing side) { return MapSlotWord(MapSlotOfSide(side)); }

bool MapSideFacing(const std::string& side, Facing& facing) {
    for (Facing candidate : {kFacingWest, kFacingEast, kFacingNorth, kFacingSouth}) {
        if (side == MapSideWord(candidate)) {
            facing = candidate;
            return true;
        }
    }
    return false;
}

bool IsMapSideSlot(MapFaceSlot slot) { return slot != MapFaceSlot::kCeiling && slot != MapFaceSlot::kFloor; }

MapFaceSlot MapSlotOfSide(Facing side) {
    switch (side) {
        case kFacingWest: return MapFaceSlot::kWest;
        case kFacingEast: return MapFaceSlot::kEast;
        case kFacingSouth: return MapFaceSlot::kSouth;
        case kFacingNorth: break;
    }
    return MapFaceSlot::kNorth;
}

Vector3 MapDoorPosition(int row, int column, Facing side) {
    return MapWallMountPosition(row, column, side, 0.0f, kDoorHeight);
}

Vector3 MapWallMountPosition(int row, int column, Facing wall, float inset, float height) {
    const float west = WestEdge(column);
    const float north = NorthEdge(row);
    switch (wall) {
        case kFacingWest: return Vector3(west + inset, height, north + kHalfBlock);
        case kFacingEast: return Vector3(west + kMapBlockUnits - inset, height, north + kHalfBlock);
        case kFacingSouth: return Vector3(west + kHalfBlock, height, north + kMapBlockUnits - inset);
        case kFacingNorth: break;
    }
    return Vector3(west + kHalfBlock, height, north + inset);
}

Vector3 MapBlockCentre(int row, int column, float height) {
    return Vector3(WestEdge(column) + kHalfBlock, height, NorthEdge(row) + kHalfBlock);
}

Vector3 MapBlockCorner(int row, int column) { return Vector3(WestEdge(column), 0.0f, NorthEdge(row)); }

bool MapFirstWall(const MapBlock& block, std::size_t before, Facing& wall) {
    bool present[6] = {false, false, false, false, false, false};  // by MapFaceSlot
    for (std::size_t i = 0; i < before && i < block.items.size(); ++i)
        if (const auto* face = std::get_if<MapFace>(&block.items[i])) present[static_cast<int>(face->slot)] = true;
    for (Facing side : {kFacingNorth, kFacingSouth, kFacingWest, kFacingEast}) {
        if (!present[static_cast<int>(MapSlotOfSide(side))]) continue;
        wall = side;
        return true;
    }
    return false;
}

int LampCounter::Next() {
    const int index = next;
    next = (next + 1) % kLampGlLights;
    return index;
}

LampCounter& LampCounter::ProgramWide() {
    static LampCounter counter;
    return counter;
}

MapPlacementResult PlaceMapObject(const MapBlock& block, std::size_t index, int nextLamp, MapPlacement& placed) {
    const MapObject& object = std::get<MapObject>(block.items.at(index));
    const int row = block.row;
    const int column = block.column;
    placed = MapPlacement();
    switch (object.kind) {
        case MapObjectKind::kLockedDoor:
        case MapObjectKind::kAutomaticDoor: return PlaceDoor(block, object, placed);
        case MapObjectKind::kWeapon:
        case MapObjectKind::kFlashlight:
        case MapObjectKind::kMedikit: return PlaceOnWall(block, index, *MountOf(object.kind), placed);
        case MapObjectKind::kLight:
            placed.position = MapBlockCentre(row, column, kLampHeight);
            placed.radius = kLampRadius;
            placed.lamp = nextLamp;
            break;
        case MapObjectKind::kKey:
            placed.position = MapBlockCentre(row, column, kKeyHeight);
            placed.radius = kKeyRadius;
            placed.modelScale = kKeyModelScale;
            break;
        case MapObjectKind::kVorlax:
            placed.position = MapBlockCentre(row, column, kVorlaxHeight);
            placed.radius = kVorlaxRadius;
            break;
        case MapObjectKind::kGenerator:
            placed.position = MapBlockCorner(row, column);
            placed.radius = kGeneratorRadius;
            break;
    }
    return MapPlacementResult::kPlaced;
}

namespace game_assets {
const std::vector<LookedUpImage> kLookedUpImages = {
    {kHudNoHealth, "the HUD"},  {kHudHealth[0], "the HUD"}, {kHudHealth[1], "the HUD"},
    {kHudHealth[2], "the HUD"}, {kHudHealth[3], "the HUD"}, {kHudHealth[4], "the HUD"},
    {kHudEmpty, "the HUD"},     {kHudKeys, "the HUD"},      {kHudMedikits, "the HUD"},
    {kHudBoth, "the HUD"},
    {kBoltFlare, "the player's bolt"},
    {kFlame, "the flames of creatures and generators"},
    {kMuzzleFlash, "the creatures' muzzle flash"},
    {kCreatureShot, "the creatures' shots"},
    {kStorm, "the generators' lightning"},
    {kLightning, "the generators' electricity"},
};
}  // namespace game_assets

std::vector<std::string> MapObjectModels(const MapObject& object) {
    using namespace game_assets;
    switch (object.kind) {
        case MapObjectKind::kWeapon: return {kFullRack, kEmptyRack};
        case MapObjectKind::kFlashlight: return {kToolBox, kEmptyToolBox};
        case MapObjectKind::kMedikit: return {kMedikit, kEmptyMedikit};
        case MapObjectKind::kKey: return {object.model};
        case MapObjectKind::kVorlax: return {kVorlax, kDeadVorlax};
        case MapObjectKind::kGenerator: return {kGeneratorBase, kGeneratorWreck, kGeneratorCore};
        default: return {};
    }
}
