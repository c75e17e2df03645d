// World: everything the game window owns and plays in: the caches, the five
// object groups, the level, the collider, the player and the planet's
// surface. Members are destroyed in reverse order, so objects go before the
// caches and the level they point into; the player detaches itself from
// its group first.
#pragma once

#include <memory>
#include <vector>

#include "game/level.h"
#include "game/level_collider.h"
#include "game/model_cache.h"
#include "game/objects/object.h"
#include "game/player.h"
#include "game/texture_cache.h"

namespace ondra {
class Model;
}

struct World {
    static constexpr int kTextureSlots = 50;

    // The player is made with the level, the collider, the texture cache and
    // the enemy group, where its bolts go; its doors are the door group.
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
};
