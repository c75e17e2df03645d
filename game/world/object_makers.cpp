// The table of object makers: one row per kind.
#include "game/world/object_makers.h"

#include "game/objects/automatic_door.h"
#include "game/objects/flashlight.h"
#include "game/objects/generator.h"
#include "game/objects/key.h"
#include "game/objects/light.h"
#include "game/objects/locked_door.h"
#include "game/objects/medikit.h"
#include "game/objects/vorlax.h"
#include "game/objects/weapon.h"
#include "game/world/world.h"

namespace {

const ObjectMaker kMakers[] = {
    {MapObjectKind::kAutomaticDoor, &AutomaticDoor::FromMap, &World::doors},
    {MapObjectKind::kLockedDoor, &LockedDoor::FromMap, &World::doors},
    {MapObjectKind::kLight, &Light::FromMap, &World::lights},
    {MapObjectKind::kWeapon, &Weapon::FromMap, &World::pickups},
    {MapObjectKind::kFlashlight, &Flashlight::FromMap, &World::pickups},
    {MapObjectKind::kMedikit, &Medikit::FromMap, &World::pickups},
    {MapObjectKind::kKey, &Key::FromMap, &World::pickups},
    {MapObjectKind::kVorlax, &Vorlax::FromMap, &World::enemies},
    {MapObjectKind::kGenerator, &Generator::FromMap, &World::enemies},
};

}  // namespace

const ObjectMaker* MakerOf(MapObjectKind kind) {
    for (const ObjectMaker& maker : kMakers)
        if (maker.kind == kind) return &maker;
    return nullptr;
}
