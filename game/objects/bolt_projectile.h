// BoltProjectile: the glowing shot of the player's weapon. It flies from the
// eye at 50 units per second along the view it was fired with, carries the
// bolt light (GL light 5) along, and bursts into sparks at the first wall,
// floor, ceiling or shut door it meets. It hits creatures and generators
// only while it is the player's newest bolt; they react, the bolt does not.
#pragma once

#include <memory>

#include "game/effects/bolt_trail.h"
#include "game/objects/object.h"
#include "game/render/texture_cache.h"

class Level;
class LevelCollider;
class Player;
class TextureCache;

class BoltProjectile : public CObject {
public:
    static constexpr float kSpeed = 50.0f;
    static constexpr float kRadius = 0.2f;
    static constexpr int kSparks = 30;

    BoltProjectile(TextureCache* textures, Player* player, Level* level, LevelCollider* collider);
    ~BoltProjectile() override;

    // Flies on until the first contact, then only lets the burst play out.
    void Update(float dt) override;
    // The glowing billboard and the bolt light while flying; the sparks
    // after the burst.
    void Draw() override;

    // The group whose shut doors the bolt bursts on, as on walls.
    void SetDoors(const CObject* doorGroup) { doors = doorGroup; }

    bool Exploded() const { return exploded; }
    const Player* Shooter() const { return player; }
    const BoltTrail* Burst() const { return burst.get(); }
    // The unnormalised direction of flight for the firing angles: the same
    // view vector the camera aims its lookAt point along.
    Vector3 FlightVector() const;

    // The camera's angles and lookAt point (normalised) when fired; the
    // bolt keeps flying along the angles whatever the view does later.
    float firePitch = 0.0f;
    float fireYaw = 0.0f;
    Vector3 fireDirection;

    std::string StateLine() const override;

private:
    void Fly(float dt);
    void Explode(const Vector3& normal);

    bool exploded = false;
    std::unique_ptr<BoltTrail> burst;
    Player* player;
    TextureCache* textureCache;
    KeptTexture flareTexture;
    Level* level;
    LevelCollider* collider;
    const CObject* doors = nullptr;
};
