// Making the world's player.
#include "game/world.h"

#include "framework/load3ds/model.h"

World::World() : player(std::make_unique<Player>(&level, &collider, &textures, &enemies)) {
    player->SetDoors(&doors);
    player->SetModels(&models);
}

World::~World() = default;
