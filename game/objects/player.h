// Player: the object the user steers. It moves with its camera, stands at
// the height the level gives it, loses the whole frame's move when it
// touches a wall or a shut door, carries the inventory the pickups fill,
// fires bolts and draws the first-person arms and its overlay, the HUD.
#pragma once

#include <memory>
#include <vector>

#include "game/level/view_frustum.h"
#include "game/objects/object.h"

class BoltProjectile;
class Camera;
class Level;
class LevelCollider;
class ModelCache;
namespace ondra {
class Model;
}
class TextureCache;

// What the player draws over its view once the arms are drawn: the HUD,
// which belongs to the game program above the objects and reads the
// player's state.
class PlayerOverlay {
public:
    virtual ~PlayerOverlay() = default;
    virtual void Draw() = 0;
};

class Player : public CObject {
public:
    static constexpr int kFullHealth = 5;
    static constexpr int kClipSize = 15;
    static constexpr int kMedikitHealing = 2;
    static constexpr float kArmModelScale = 0.02f;

    // Fired bolts are attached to boltParent, which owns them.
    Player(Level* level, LevelCollider* collider, TextureCache* textures, CObject* boltParent);
    ~Player() override;

    // Camera motion, then the ground height, then the undo of a move into a
    // wall or a shut door.
    void Update(float dt) override;
    // The arms with what they hold, the flashlight beam and the HUD.
    void Draw() override;

    // With ammunition left: lights the bolt light (GL light 5), spends one
    // bolt and sends a BoltProjectile from the eye along the view.
    void Fire();
    // A fresh clip, only when the loaded one is empty and a spare is left.
    void Reload();
    // Heals by kMedikitHealing, up to full health, if a medikit is left.
    void UseMedikit();
    // One point of damage; health has no lower bound.
    void Hurt();
    void ToggleHud() { hudVisible = !hudVisible; }

    Camera* GetCamera() const { return camera.get(); }
    void SetCamera(std::unique_ptr<Camera> newCamera);
    void SetHud(std::unique_ptr<PlayerOverlay> newHud);
    PlayerOverlay* GetHud() const { return hud.get(); }
    void SetModels(ModelCache* modelCache) {
        models = modelCache;
        gunArm = torchArm = nullptr;
    }
    // The group whose shut doors stop the player and its bolts like walls.
    void SetDoors(const CObject* doorGroup) { doors = doorGroup; }
    // The ground the player may walk on outdoors, in x and z (its heights
    // are not asked): a move that would carry the player further out of it
    // than it stands is undone, as a wall's is, unless it ends inside the
    // level, whose walls bound it. Without one it may walk anywhere.
    void SetWalkArea(const Box3& area) {
        walkArea = area;
        hasWalkArea = true;
    }
    BoltProjectile* CurrentBolt() const { return currentBolt; }

    bool hudVisible = true;
    bool hasWeapon = false;
    bool hasFlashlight = false;
    int medikits = 0;
    int ammo = 0;   // bolts left in the loaded clip
    int clips = 0;  // spare clips
    int health = kFullHealth;
    std::vector<int> keys;  // key ids in pickup order

    std::string StateLine() const override;

private:
    // Where the camera stood when the frame began; the arms are drawn there
    // so they do not run ahead of the view drawn this frame.
    struct ArmView {
        Vector3 position{0.0f, 1.0f, 0.0f};
        float yaw = 0.0f;
        float pitch = 0.0f;
    };

    bool MoveIsBlocked(const Vector3& from, const Vector3& to) const;
    // How far (x, z) lies outside the walk area along x or z, whichever is
    // further; 0 inside it.
    float OutsideWalkArea(const Vector3& at) const;
    void DrawArms();
    void PlaceArms() const;
    static void LightFlashlight();

    std::unique_ptr<Camera> camera;
    std::unique_ptr<PlayerOverlay> hud;
    Level* level;
    LevelCollider* collider;
    ModelCache* models = nullptr;
    ondra::Model* gunArm = nullptr;  // from models, on first use
    ondra::Model* torchArm = nullptr;
    TextureCache* textures;
    CObject* boltParent;
    const CObject* doors = nullptr;
    BoltProjectile* currentBolt = nullptr;  // owned by boltParent
    ArmView armView;
    Box3 walkArea;
    bool hasWalkArea = false;
};

// Sets the player's and its camera's height for where the player stands;
// on the ramp it also dims or brightens the sun (GL light 7), which keeps
// the value last set there.
void ApplyGroundHeight(Player& player, const LevelCollider& collider, const Level& level);
