// Medikit: a first-aid cabinet on a wall. Taking it adds one medikit to the
// player's inventory; the cabinet stays, empty.
#pragma once

#include <memory>

#include "game/objects/map_object_setting.h"
#include "game/objects/pickup.h"

class Medikit : public WallPickup {
public:
    Medikit(ModelCache* models, float scale);

    // Made from its map entry, placed (map_object_setting.h).
    static std::unique_ptr<CObject> FromMap(const MapObject& entry, const MapPlacement& placed,
                                            const MapObjectSetting& setting);
    std::string StateLine() const override;

protected:
    void Give(Player& player) override;
    void StandUp() const override;
};
