// Key: a key lying on the floor in the middle of its block. Taking it adds
// its number to the player's keys, which locked doors check; the key then
// vanishes.
#pragma once

#include <memory>
#include <string>

#include "game/objects/map_object_setting.h"
#include "game/objects/pickup.h"

class Key : public Pickup {
public:
    Key(ModelCache* models, const std::string& modelName, float scale);

    // The key's model, flat on the floor, until taken.
    void Draw() override;
    bool Look(ObjectLook& look) const override;

    int keyId = 0;

    // Made from its map entry, placed (map_object_setting.h).
    static std::unique_ptr<CObject> FromMap(const MapObject& entry, const MapPlacement& placed,
                                            const MapObjectSetting& setting);
    std::string StateLine() const override;

protected:
    void Give(Player& player) override;

private:
    std::string modelName;
    ondra::Model* model;
};
