// The table of object kinds: one row per kind.
#include "game/level_file/object_kinds.h"

#include "game/level_file/asset_names.h"

namespace {

using namespace game_assets;

constexpr MapStanding OnSide(float radius) { return {MapStand::kOnSide, 0.0f, 0.0f, radius, 1.0f, false}; }
constexpr MapStanding OnWall(float inset, float height, float radius, float modelScale) {
    return {MapStand::kOnWall, height, inset, radius, modelScale, false};
}
constexpr MapStanding Centre(float height, float radius, float modelScale = 1.0f, bool lamp = false) {
    return {MapStand::kCentre, height, 0.0f, radius, modelScale, lamp};
}
constexpr MapStanding Corner(float radius) { return {MapStand::kCorner, 0.0f, 0.0f, radius, 1.0f, false}; }

constexpr MapSymbol Door(MapColour colour, bool numbered, const char* legend) {
    return {MapSymbolShape::kDoorBar, colour, colour, 0.0f, 0.0f, 0.0f, 0, numbered, legend};
}
constexpr MapSymbol Round(MapSymbolShape shape, MapColour colour, float size, float across, int layer,
                          const char* legend) {
    return {shape, colour, colour, size, across, 0.0f, layer, false, legend};
}
constexpr MapSymbol Box(MapColour colour, MapColour cross, float along, float across, const char* legend) {
    return {MapSymbolShape::kWallBox, colour, cross, along, across, 0.0f, 2, false, legend};
}

constexpr MapColour kWhite{255, 255, 255};

const std::vector<MapObjectKindRules> kKinds = {
    {MapObjectKind::kAutomaticDoor, "AUTO_DOOR", MapObjectFields::kSide, OnSide(1.5f), {},
     Door({30, 160, 60}, false, "automatic door")},
    {MapObjectKind::kLockedDoor, "LOCK_DOOR", MapObjectFields::kKeyAndSide, OnSide(3.0f), {},
     Door({215, 30, 30}, true, "locked door, key number")},
    {MapObjectKind::kLight, "LIGHT", MapObjectFields::kNone, Centre(2.8f, 9.0f, 1.0f, true), {},
     Round(MapSymbolShape::kRing, {245, 190, 0}, 1.05f, 0.3f, 1, "lamp")},
    {MapObjectKind::kWeapon, "WEAPON", MapObjectFields::kNone, OnWall(0.1f, 1.5f, 0.5f, 0.1f),
     {kFullRack, kEmptyRack}, Box({255, 120, 0}, {255, 120, 0}, 1.8f, 0.5f, "weapon rack")},
    {MapObjectKind::kFlashlight, "FLASHLIGHT", MapObjectFields::kNone, OnWall(0.6f, 0.2f, 1.5f, 0.5f),
     {kToolBox, kEmptyToolBox}, Box({30, 80, 230}, {30, 80, 230}, 1.2f, 0.8f, "tool box (flashlight)")},
    {MapObjectKind::kMedikit, "MEDIKIT", MapObjectFields::kNone, OnWall(0.1f, 1.5f, 0.5f, 0.4f),
     {kMedikit, kEmptyMedikit}, Box(kWhite, {220, 0, 0}, 0.9f, 0.9f, "medikit")},
    {MapObjectKind::kKey, "KEY", MapObjectFields::kKeyAndModel, Centre(0.1f, 1.5f, 0.2f), {},
     {MapSymbolShape::kDiamond, {0, 185, 205}, {0, 185, 205}, 0.5f, 0.0f, 0.55f, 3, true, "key, number"}},
    {MapObjectKind::kVorlax, "VORLAX", MapObjectFields::kNone, Centre(2.0f, 10.0f), {kVorlax, kDeadVorlax},
     Round(MapSymbolShape::kDisc, {205, 0, 160}, 0.55f, 0.0f, 2, "creature (vorlax)")},
    {MapObjectKind::kGenerator, "GENERATOR", MapObjectFields::kNone, Corner(3.0f),
     {kGeneratorBase, kGeneratorWreck, kGeneratorCore},
     {MapSymbolShape::kSquareWithCore, {105, 40, 175}, {190, 150, 255}, 0.6f, 0.28f, 0.0f, 1, false, "generator"}},
};

}  // namespace

const std::vector<MapObjectKindRules>& MapObjectKinds() { return kKinds; }

const MapObjectKindRules& RulesOf(MapObjectKind kind) { return kKinds.at(static_cast<std::size_t>(kind)); }

const char* MapKindWord(MapObjectKind kind) { return RulesOf(kind).word; }

MapKeyRole KeyRoleOf(MapObjectKind kind) {
    switch (RulesOf(kind).fields) {
        case MapObjectFields::kKeyAndSide: return MapKeyRole::kOpenedBy;
        case MapObjectFields::kKeyAndModel: return MapKeyRole::kIs;
        case MapObjectFields::kNone:
        case MapObjectFields::kSide: break;
    }
    return MapKeyRole::kNone;
}
