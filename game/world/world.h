// World: everything the game window owns and plays in: the caches, the five
// object groups, the level, the collider, the player and the planet's
// surface. Members are destroyed in reverse order, so objects go before the
// caches and the level they point into; the player detaches itself from
// its group first. BuildWorld (world_builder.h) fills it.
#pragma once

#include <memory>
#include <vector>

#include "game/level/level.h"
#include "game/level/level_collider.h"
#include "game/level/view_frustum.h"
#include "game/level_file/level_rules.h"
#include "game/objects/object.h"
#include "game/objects/player.h"
#include "game/render/model_cache.h"
#include "game/render/texture_cache.h"

namespace ondra {
class Model;
}

struct World {
    // Where the player starts, on the surface west of the ramp, looking
    // east along +x.
    static constexpr Vector3 kStartPosition{-15.0f, 3.75f, 50.0f};
    // Where the surface model's origin is placed; it is also turned -90
    // degrees about x.
    static constexpr Vector3 kSurfaceOffset{-0.6f, 3.5f, 29.05f};

    // The player is made with the level, the collider, the texture cache and
    // the enemy group, where its bolts go; its doors are the door group. It
    // stands at the start with its camera.
    World();
    ~World();

    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // The groups in the order the state report lists them.
    std::vector<const CObject*> Groups() const { return {&playerGroup, &doors, &lights, &pickups, &enemies}; }

    TextureCache textures{kTextureSlots};
    ModelCache models;
    CObject doors, lights, pickups, playerGroup, enemies;
    Level level{&textures};
    LevelCollider collider;
    std::unique_ptr<Player> player;
    std::unique_ptr<ondra::Model> planetSurface;
    bool hasSurface = false;
    Box3 surfaceBox;  // the planet surface as placed in the world
};
