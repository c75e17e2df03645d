// Vorlax: the compound's enemy creature. It stands where the map puts it,
// turns to face the player while the player is within its sight range,
// charges a muzzle flash over the frames the player stays in sight and then
// launches a red projectile at where it last saw the player. It owns its
// body (a VorlaxMesh child, which takes the hits) and its projectile in
// flight (a VorlaxProjectile child, which it drops once spent). Killed, it
// falls to the floor and stays there.
#pragma once

#include <memory>

#include "game/objects/map_object_setting.h"
#include "game/objects/object.h"
#include "game/objects/vorlax_projectile.h"
#include "game/render/texture_cache.h"

class Level;
class LevelCollider;
class TextureCache;

class Vorlax : public CObject, public ShotOwner {
public:
    static constexpr int kIdle = 0;
    static constexpr int kAlerted = 1;  // the player touched the sight sphere this frame
    static constexpr int kDead = 2;

    static constexpr float kSightRange = 10.0f;
    static constexpr float kFlashGrowth = 0.2f;  // per drawn frame in sight
    static constexpr float kFlashFull = 6.0f;    // the size at which the charge fires
    static constexpr float kRestHeight = 0.5f;  // where a dead creature lies

    // The level and its collider are only handed on to the projectiles.
    Vorlax(TextureCache* textures, LevelCollider* collider, Level* level);
    ~Vorlax() override;

    // The group whose shut doors stop the creature's shots.
    void SetDoors(const CObject* doorGroup) { doors = doorGroup; }

    // A spent projectile is dropped whatever the state; then the motion
    // step, velocity first, in which a dead creature falls to kRestHeight
    // and stays there.
    void Update(float dt) override;
    // Moves to the creature and turns to its heading, so the body is drawn
    // there; grows the muzzle flash in frames in which it is charging in
    // sight, and fires when the flash is full.
    void Draw() override;
    // Out of sight the flash still grows and the creature still fires.
    void DrawUnseen() override;
    // A touching player alerts the creature and turns it to face the player.
    void OnCollision(CObject* other) override;

    // Launches a projectile from the creature's position towards where it
    // last saw the player (along its heading when it never did, or when the
    // player stood at its very centre). A projectile still in flight is
    // dropped first: one shot at a time.
    VorlaxProjectile* SpawnProjectile();
    // The body has been hit: the creature stops reacting and falls.
    void Kill();
    // The muzzle flash of this frame's draw pass, if there is one, in the
    // creature's frame. The body calls it after drawing its model: the flash
    // is translucent and writes no depth, so a model drawn after it would
    // cover it.
    void DrawMuzzleFlash() const;

    int State() const { return state; }
    bool IsDead() const { return state == kDead; }
    // Degrees about the vertical axis; 0 faces +z, 90 faces +x.
    float Yaw() const override { return yaw; }
    bool Charging() const { return charging; }
    bool ShotInFlight() const { return shotInFlight; }
    VorlaxProjectile* Projectile() const { return projectile; }
    float FlashScale() const { return flashScale; }
    // The unit vector the creature faces.
    Vector3 Heading() const;

    // Made from its map entry, placed (map_object_setting.h), with its
    // mesh; in vorlax_from_map.cpp.
    static std::unique_ptr<CObject> FromMap(const MapObject& entry, const MapPlacement& placed,
                                            const MapObjectSetting& setting);
    std::string StateLine() const override;

private:
    void FaceTowards(const Vector3& target);
    void GrowFlash();
    // The draw pass's part of the creature's turn: the flash and the shot,
    // then back to idle until the next touch.
    void EndDrawnFrame();
    void DropProjectile();

    float yaw = 0.0f;
    int state = kIdle;
    bool charging = false;
    bool shotInFlight = false;
    TextureCache* textureCache;
    LevelCollider* collider;
    Level* level;
    const CObject* doors = nullptr;
    VorlaxProjectile* projectile = nullptr;  // a child of this object, owned by the tree
    float flashScale = 0.0f;
    // The flash to draw in this frame's pass: whether, and how big.
    bool flashShown = false;
    float shownFlashScale = 0.0f;
    // Where the player stood at the last touch: the aim of the next shot.
    bool playerSeen = false;
    Vector3 lastPlayerPosition;
    mutable KeptTexture flashTexture;  // found on the first flash drawn
};
