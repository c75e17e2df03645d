// Flashlight: the tool box on the floor by a wall that holds the player's
// flashlight. It is reached from farther away than the things on walls.
#pragma once

#include "game/objects/pickup.h"

class Flashlight : public WallPickup {
public:
    Flashlight(ModelCache* models, float scale);

protected:
    void Give(Player& player) override;
    void StandUp() const override;
};
