// Generator: a machine of the compound with a spinning core above its base.
// Every frame in which the player's newest bolt is inside its sphere counts
// one hit; the fifteenth wrecks it: the base turns to its wrecked model and
// the core gives way to a burst of flame.
#pragma once

#include <memory>

#include "game/objects/map_object_setting.h"
#include "game/objects/object.h"

namespace ondra {
class Model;
}
class GeneratorCore;
class ModelCache;
class TextureCache;

class Generator : public CObject {
public:
    static constexpr int kHitPoints = 15;
    static constexpr float kModelScale = 1.5f;

    // Its core is attached as its first child by whoever builds it.
    Generator(ModelCache* models, TextureCache* textures);

    // The base (or the wreck) at the generator's position; the core is
    // drawn in this frame.
    void Draw() override;
    // Counts a hit from a BoltProjectile; nothing once destroyed.
    void OnCollision(CObject* other) override;

    int HitPoints() const { return hitPoints; }
    bool Destroyed() const { return destroyed; }
    GeneratorCore* Core() const;

    // Made from its map entry, placed (map_object_setting.h).
    static std::unique_ptr<CObject> FromMap(const MapObject& entry, const MapPlacement& placed,
                                            const MapObjectSetting& setting);
    std::string StateLine() const override;

private:
    void Destroy();

    TextureCache* textureCache;
    ondra::Model* base = nullptr;
    ondra::Model* wreck = nullptr;
    bool destroyed = false;
    int hitPoints = kHitPoints;
};
