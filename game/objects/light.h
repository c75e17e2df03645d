// Light: a lamp of the compound, driving one of GL lights 0 to 4. It stays
// dark until the player first comes within its reach and is on for good
// from then; lamps sharing a GL light hand it to the one touched last.
#pragma once

#include <memory>

#include "game/level_file/level_rules.h"
#include "game/objects/map_object_setting.h"
#include "game/objects/object.h"

class Light : public CObject {
public:
    static constexpr int kGlLights = kLampGlLights;

    // Issues no GL call, so maps load without a context: the GL light is
    // set up when the lamp first lights it. An index outside 0 to 4 is
    // taken modulo 5.
    Light(int lightIndex, const Vector3& position, float radius);

    // After a touch: switches the GL light on and sets it up here, with the
    // lamp's colours and attenuation.
    void Draw() override;
    void OnCollision(CObject* other) override;

    int LightIndex() const { return lightIndex; }
    // Whether this lamp has ever switched its GL light on.
    bool EverLit() const { return everLit; }

    // Made from its map entry, placed (map_object_setting.h).
    static std::unique_ptr<CObject> FromMap(const MapObject& entry, const MapPlacement& placed,
                                            const MapObjectSetting& setting);
    std::string StateLine() const override;

private:
    void LoadLight() const;
    unsigned int GlLight() const;

    int lightIndex;
    float intensity = 1.0f;
    bool playerAway = true;  // no touch since the last draw
    bool everLit = false;
};
