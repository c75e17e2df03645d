// Weapon: the rack holding the bolt gun, hung on a wall. Taking it arms the
// player with a full clip and three spare ones.
#pragma once

#include <memory>

#include "game/objects/map_object_setting.h"
#include "game/objects/pickup.h"

class Weapon : public WallPickup {
public:
    static constexpr int kSpareClips = 3;

    Weapon(ModelCache* models, float scale);

    // Made from its map entry, placed (map_object_setting.h).
    static std::unique_ptr<CObject> FromMap(const MapObject& entry, const MapPlacement& placed,
                                            const MapObjectSetting& setting);
    std::string StateLine() const override;

protected:
    void Give(Player& player) override;
    void StandUp() const override;
};
