// Flashlight: the tool box on the floor by a wall that holds the player's
// flashlight. It is reached from farther away than the things on walls.
#pragma once

#include <memory>

#include "game/objects/map_object_setting.h"
#include "game/objects/pickup.h"

class Flashlight : public WallPickup {
public:
    Flashlight(ModelCache* models, float scale);

    // Made from its map entry, placed (map_object_setting.h).
    static std::unique_ptr<CObject> FromMap(const MapObject& entry, const MapPlacement& placed,
                                            const MapObjectSetting& setting);
    std::string StateLine() const override;

protected:
    void Give(Player& player) override;
    void StandUp() const override;
};
