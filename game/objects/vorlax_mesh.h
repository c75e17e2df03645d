// VorlaxMesh: the body of a Vorlax. It draws the creature's model in its
// creature's frame and carries the small hit sphere that the player's bolts
// must reach; a bolt that does kills the creature, swaps in the dead model
// and sets it burning for a moment.
#pragma once

#include <memory>

#include "game/effects/flame.h"
#include "game/objects/object.h"

class ModelCache;
class Player;
class TextureCache;

namespace ondra {
class Model;
}

class VorlaxMesh : public CObject {
public:
    static constexpr float kRadius = 0.8f;
    static constexpr float kModelScale = 0.07f;
    static constexpr int kFlameParticles = 250;
    static constexpr float kFlameSpread = 0.5f;

    // Loads the live and the dead model into the cache on first use and
    // scales them; without a cache the body has no model and draws nothing
    // but its flame. The player is not needed by the body: it is taken so
    // that the loader builds every part of a creature from the same things.
    VorlaxMesh(ModelCache* models, TextureCache* textures, Player* player);
    ~VorlaxMesh() override;

    // Lets the flame burn on once dead.
    void Update(float dt) override;
    // The flame, then the model turned from 3D Studio's z-up to the world's
    // y-up, lit on both sides so that faces seen from behind are not black,
    // then the creature's muzzle flash, which only shows in front of it.
    void Draw() override;
    // A bolt reaching the body kills the creature (the parent Vorlax).
    void OnCollision(CObject* other) override;

    bool Dead() const { return dead; }
    const Flame* Burning() const { return flame.get(); }

    std::string StateLine() const override;

private:
    TextureCache* textureCache;
    ondra::Model* liveModel = nullptr;
    ondra::Model* deadModel = nullptr;
    std::unique_ptr<Flame> flame;
    bool dead = false;
};
