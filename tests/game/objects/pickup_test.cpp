// Pickups: each gives its effect once, at the first touch by the player.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "game/level/level.h"
#include "game/level/level_collider.h"
#include "game/level_file/level_rules.h"
#include "game/objects/flashlight.h"
#include "game/objects/key.h"
#include "game/objects/medikit.h"
#include "game/objects/player.h"
#include "game/objects/weapon.h"

namespace {

struct Inventory {
    bool weapon, flashlight;
    int ammo, clips, medikits;
    std::vector<int> keys;
};

Inventory Of(const Player& p) { return {p.hasWeapon, p.hasFlashlight, p.ammo, p.clips, p.medikits, p.keys}; }

void ExpectInventory(const Player& p, const Inventory& expected) {
    const Inventory seen = Of(p);
    EXPECT_EQ(seen.weapon, expected.weapon);
    EXPECT_EQ(seen.flashlight, expected.flashlight);
    EXPECT_EQ(seen.ammo, expected.ammo);
    EXPECT_EQ(seen.clips, expected.clips);
    EXPECT_EQ(seen.medikits, expected.medikits);
    EXPECT_EQ(seen.keys, expected.keys);
}

class PickupTest : public ::testing::Test {
protected:
    Level level{nullptr};
    LevelCollider collider;
    CObject bolts;
    Player player{&level, &collider, nullptr, &bolts};
};

TEST_F(PickupTest, EachEffectHappensOnceAtTheFirstTouch) {
    auto key = [](int id) {
        auto k = std::make_unique<Key>(nullptr, "keyred.3DS", 0.2f);
        k->keyId = id;
        return k;
    };
    std::vector<std::unique_ptr<Pickup>> pickups;
    pickups.push_back(std::make_unique<Weapon>(nullptr, 0.1f));
    pickups.push_back(std::make_unique<Flashlight>(nullptr, 0.5f));
    pickups.push_back(std::make_unique<Medikit>(nullptr, 0.4f));
    pickups.push_back(key(4));
    pickups.push_back(key(4));  // the same number twice is kept twice
    player.ammo = 10;
    for (auto& pickup : pickups) {
        pickup->OnCollision(&player);
        pickup->OnCollision(&player);  // taken already: nothing more
        EXPECT_TRUE(pickup->taken);
    }
    // The weapon's full clip is capped at one clip's worth.
    ExpectInventory(player, {true, true, 15, 3, 1, {4, 4}});

    Weapon again(nullptr, 0.1f);
    player.ammo = 0;
    again.OnCollision(&player);
    ExpectInventory(player, {true, true, 15, 6, 1, {4, 4}});

    Medikit untouched(nullptr, 0.4f);
    untouched.OnCollision(&bolts);  // only a player takes it
    EXPECT_FALSE(untouched.taken);
}

// The radii the level file's rules give them: the tool box is collected
// from farther away than the rack and the cabinet.
MapPlacement WallPlacement(MapObjectKind kind) {
    MapBlock block;
    block.row = block.column = 1;
    block.items = {MapFace{}, MapObject{}};  // a north wall, then the object
    std::get<MapObject>(block.items[1]).kind = kind;
    MapPlacement placed;
    EXPECT_EQ(PlaceMapObject(block, 1, 0, placed), MapPlacementResult::kPlaced);
    return placed;
}

TEST_F(PickupTest, TheToolBoxReachesFarther) {
    player.position = Vector3(0, 1.75f, 0);
    const MapPlacement boxPlace = WallPlacement(MapObjectKind::kFlashlight);
    const MapPlacement kitPlace = WallPlacement(MapObjectKind::kMedikit);
    EXPECT_EQ(WallPlacement(MapObjectKind::kWeapon).radius, kitPlace.radius);
    for (const float distance : {1.9f, 0.9f}) {
        CObject group;
        group.radius = 50;
        auto* box = new Flashlight(nullptr, boxPlace.modelScale);
        box->radius = boxPlace.radius;
        box->position = Vector3(distance, 1.75f, 0);
        box->AttachTo(&group);
        auto* kit = new Medikit(nullptr, kitPlace.modelScale);
        kit->radius = kitPlace.radius;
        kit->position = Vector3(0, 1.75f, distance);
        kit->AttachTo(&group);
        group.Collide(&player);
        EXPECT_TRUE(box->taken) << distance;
        EXPECT_EQ(kit->taken, distance < 1.0f) << distance;
    }
}

}  // namespace
