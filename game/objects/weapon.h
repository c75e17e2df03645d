// Weapon: the rack holding the bolt gun, hung on a wall. Taking it arms the
// player with a full clip and three spare ones.
#pragma once

#include "game/objects/pickup.h"

class Weapon : public WallPickup {
public:
    static constexpr int kSpareClips = 3;

    Weapon(ModelCache* models, float scale);

protected:
    void Give(Player& player) override;
    void StandUp() const override;
};
