// VorlaxProjectile: the glowing red shot of a Vorlax. It flies in world
// coordinates in a straight line, faster and faster, until it meets a wall,
// the floor, the ceiling or a shut door or has flown out of range; it is
// then spent and
// its creature drops it. It hurts nobody. It hangs under its creature, yet
// is drawn where it really is.
#pragma once

#include "game/objects/object.h"
#include "game/render/texture_cache.h"

class Level;
class LevelCollider;
class TextureCache;
class Vorlax;

// What a shot needs of the creature it hangs under: the turn of the frame
// the creature's draw places its children in (the move is the creature's
// position). Vorlax is one; the shot knows no more of it.
class ShotOwner {
public:
    // Degrees about the vertical axis.
    virtual float Yaw() const = 0;

protected:
    ~ShotOwner() = default;
};

class VorlaxProjectile : public CObject {
public:
    static constexpr float kLaunchSpeed = 20.0f;
    static constexpr float kSpeedGain = 5.0f;  // per second, along the flight
    static constexpr float kRadius = 0.3f;
    // The flight distance after which the shot is spent.
    static constexpr float kRange = 200.0f;

    // Aimed along +z until launched.
    VorlaxProjectile(TextureCache* textures, Vorlax* owner, Level* level, LevelCollider* collider);
    ~VorlaxProjectile() override;

    // Sets off from the current position along `direction`, a unit vector.
    void Launch(const Vector3& direction);
    // The group whose shut doors stop the shot, as walls do.
    void SetDoors(const CObject* doorGroup) { doors = doorGroup; }
    // Flies on in wall-safe steps until spent; a spent shot stays put.
    void Update(float dt) override;
    // While not spent: its position on standard output and the red glow at
    // its world position.
    void Draw() override;
    void DrawUnseen() override;

    // It met a surface or flew out of range; its owner drops it.
    bool Spent() const { return spent; }
    float Travelled() const { return travelled; }
    Vorlax* Owner() const { return owner; }

    // Nothing once spent.
    std::string StateLine() const override;

private:
    void Fly(const Vector3& move);
    // Cancels the placement of the creature it hangs under, so what follows
    // is drawn in world coordinates.
    void LeaveOwnerFrame() const;

    bool spent = false;
    float travelled = 0.0f;
    Vorlax* owner;
    KeptTexture glowTexture;
    Level* level;
    LevelCollider* collider;
    const CObject* doors = nullptr;
};
