// Making the world's player.
#include "game/world/world.h"

#include "framework/load3ds/model.h"
#include "game/render/camera.h"

World::World() : player(std::make_unique<Player>(&level, &collider, &textures, &enemies)) {
    player->SetDoors(&doors);
    player->SetModels(&models);
    player->position = kStartPosition;
    player->SetCamera(std::make_unique<Camera>(kStartPosition, Vector3(1.0f, 0.0f, 0.0f)));
}

World::~World() = default;
