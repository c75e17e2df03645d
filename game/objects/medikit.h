// Medikit: a first-aid cabinet on a wall. Taking it adds one medikit to the
// player's inventory; the cabinet stays, empty.
#pragma once

#include "game/objects/pickup.h"

class Medikit : public WallPickup {
public:
    Medikit(ModelCache* models, float scale);

protected:
    void Give(Player& player) override;
    void StandUp() const override;
};
