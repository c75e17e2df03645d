// The level file's words, placements and asset names.
#include "game/level_file/level_rules.h"

#include <algorithm>

namespace {

constexpr float kHalfBlock = kMapBlockUnits / 2.0f;
constexpr float kDoorHeight = 1.5f;

// In float from the start: a row or column far outside any grid must not
// overflow on its way to a coordinate.
float WestEdge(int column) { return kMapBlockUnits * (static_cast<float>(column) - 1.0f); }
float NorthEdge(int row) { return kMapBlockUnits * (static_cast<float>(row) - 1.0f); }

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

float MapWallTurn(Facing wall) {
    switch (wall) {
        case kFacingWest: return 90.0f;
        case kFacingSouth: return 180.0f;
        case kFacingEast: return 270.0f;
        case kFacingNorth: break;
    }
    return 0.0f;
}

Vector3 MapBlockCentre(int row, int column, float height) {
    return Vector3(WestEdge(column) + kHalfBlock, height, NorthEdge(row) + kHalfBlock);
}

Vector3 MapBlockCorner(int row, int column) { return Vector3(WestEdge(column), 0.0f, NorthEdge(row)); }

MapBlockWalls::MapBlockWalls(const MapBlock& block) {
    for (std::size_t& first : firstFace) first = kNone;
    for (std::size_t i = 0; i < block.items.size(); ++i) {
        const auto* face = std::get_if<MapFace>(&block.items[i]);
        if (face && firstFace[static_cast<int>(face->slot)] == kNone) firstFace[static_cast<int>(face->slot)] = i;
    }
}

bool MapBlockWalls::FirstWallBefore(std::size_t before, Facing& wall) const {
    for (Facing side : {kFacingNorth, kFacingSouth, kFacingWest, kFacingEast}) {
        if (firstFace[static_cast<int>(MapSlotOfSide(side))] >= before) continue;
        wall = side;
        return true;
    }
    return false;
}

bool MapBlockWalls::FirstSideFace(std::size_t& index) const {
    index = kNone;
    for (Facing side : {kFacingNorth, kFacingSouth, kFacingWest, kFacingEast})
        index = std::min(index, firstFace[static_cast<int>(MapSlotOfSide(side))]);
    return index != kNone;
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
    return PlaceMapObject(block, MapBlockWalls(block), index, nextLamp, placed);
}

MapPlacementResult PlaceMapObject(const MapBlock& block, const MapBlockWalls& walls, std::size_t index,
                                  int nextLamp, MapPlacement& placed) {
    const MapObject& object = std::get<MapObject>(block.items.at(index));
    const MapStanding& standing = RulesOf(object.kind).standing;
    const int row = block.row;
    const int column = block.column;
    placed = MapPlacement();
    placed.radius = standing.radius;
    placed.modelScale = standing.modelScale;
    if (standing.lamp) placed.lamp = nextLamp;
    switch (standing.stand) {
        case MapStand::kOnSide:
            if (!MapSideFacing(object.side, placed.facing)) return MapPlacementResult::kNoSide;
            placed.position = MapDoorPosition(row, column, placed.facing);
            break;
        case MapStand::kOnWall:
            if (!walls.FirstWallBefore(index, placed.facing)) return MapPlacementResult::kNoWall;
            placed.position = MapWallMountPosition(row, column, placed.facing, standing.inset, standing.height);
            break;
        case MapStand::kCentre: placed.position = MapBlockCentre(row, column, standing.height); break;
        case MapStand::kCorner: placed.position = MapBlockCorner(row, column); break;
    }
    return MapPlacementResult::kPlaced;
}

std::vector<std::string> MapObjectModels(const MapObject& object) {
    const MapObjectKindRules& rules = RulesOf(object.kind);
    std::vector<std::string> models(rules.models.begin(), rules.models.end());
    if (rules.fields == MapObjectFields::kKeyAndModel) models.push_back(object.model);
    return models;
}
