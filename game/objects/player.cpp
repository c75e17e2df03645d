// The player's motion, the ground under it, inventory actions, firing and
// first-person drawing.
#include "game/objects/player.h"

#include <GL/gl.h>

#include <algorithm>
#include <initializer_list>

#include "framework/load3ds/model.h"
#include "game/level/level.h"
#include "game/level/level_collider.h"
#include "game/level_file/level_rules.h"
#include "game/objects/bolt_projectile.h"
#include "game/objects/state_fields.h"
#include "game/objects/sweep.h"
#include "game/render/camera.h"
#include "game/render/gl_lights.h"
#include "game/render/model_cache.h"

namespace {

constexpr float kPlayerRadius = 0.5f;
// The arms hang a little below the eye.
constexpr float kArmDrop = 0.25f;

}  // namespace

Player::Player(Level* level, LevelCollider* collider, TextureCache* textures, CObject* boltParent)
    : camera(std::make_unique<Camera>()),
      level(level),
      collider(collider),
      textures(textures),
      boltParent(boltParent) {
    radius = kPlayerRadius;
}

Player::~Player() = default;

void Player::SetCamera(std::unique_ptr<Camera> newCamera) { camera = std::move(newCamera); }

void Player::SetHud(std::unique_ptr<PlayerOverlay> newHud) { hud = std::move(newHud); }

void Player::Update(float dt) {
    const Vector3 oldPosition = position;
    armView = ArmView{camera->position, camera->yaw, camera->pitch};

    camera->Update(dt);
    velocity = camera->velocity;
    acceleration = camera->acceleration;
    position = camera->position;

    if (!level || !collider) return;
    ApplyGroundHeight(*this, *collider, *level);
    if (MoveIsBlocked(oldPosition, position)) {
        // The whole move is undone and every bit of momentum is lost; the
        // camera still looks from the rejected spot until its next update.
        velocity = Vector3();
        acceleration = Vector3();
        position = oldPosition;
        camera->velocity = velocity;
        camera->acceleration = acceleration;
        camera->position = position;
    }
}

// The move is swept in steps from its start, each at the height the ground
// gives it there; the last step ends where the camera went.
bool Player::MoveIsBlocked(const Vector3& from, const Vector3& to) const {
    if (hasWalkArea && !level->Contains(to.x, to.z) && OutsideWalkArea(to) > OutsideWalkArea(from)) return true;
    const Vector3 move = to - from;
    auto stepTo = [&](int i, int steps, Vector3& point) {
        if (i == steps) {
            point = to;
        } else {
            point = from + move * (static_cast<float>(i) / static_cast<float>(steps));
            point.y = EyeHeightAt(point.x, point.z, *level);
        }
        return true;
    };
    const float length = Vector3(move.x, 0.0f, move.z).Length();
    Vector3 normal;
    return Sweep(Obstacles{level, collider, doors}, from, length, stepTo, normal) == SweepEnd::kBlocked;
}

float Player::OutsideWalkArea(const Vector3& at) const {
    const float x = std::max(walkArea.min.x - at.x, at.x - walkArea.max.x);
    const float z = std::max(walkArea.min.z - at.z, at.z - walkArea.max.z);
    return std::max({x, z, 0.0f});
}

void Player::PlaceArms() const {
    glTranslatef(armView.position.x, armView.position.y - kArmDrop, armView.position.z);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(90.0f - armView.yaw, 0.0f, 0.0f, 1.0f);
    glRotatef(-armView.pitch / 2.0f, 1.0f, 0.0f, 0.0f);
}

// The beam sits at the hand. Its spot direction stays GL's default, (0, 0, -1)
// in eye space, so it always shines where the view looks.
void Player::LightFlashlight() {
    const float atHand[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glEnable(gl_lights::kFlashlight);
    for (GLenum part : {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR})
        glLightfv(gl_lights::kFlashlight, part, gl_lights::kFlashlightColour);
    glLightfv(gl_lights::kFlashlight, GL_POSITION, atHand);
}

void Player::DrawArms() {
    if (!hasWeapon && !hasFlashlight) return;
    PlaceArms();
    if (!models) return;
    // A model the cache lacks ends the program, so what is found is kept.
    if (hasWeapon) {
        if (!gunArm) gunArm = models->Lookup(game_assets::kGunArm);
        gunArm->Draw(ondra::DRAW_MATERIALS);
    }
    if (hasFlashlight) {
        if (!torchArm) torchArm = models->Lookup(game_assets::kTorchArm);
        torchArm->Draw(ondra::DRAW_MATERIALS);
        LightFlashlight();
    }
}

void Player::Draw() {
    DrawArms();
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    if (hudVisible && hud) hud->Draw();
}

void Player::Fire() {
    if (ammo <= 0 || !boltParent) return;
    glEnable(gl_lights::kBoltLight);
    --ammo;

    auto* bolt = new BoltProjectile(textures, this, level, collider);
    bolt->position = camera->position;
    bolt->fireYaw = camera->yaw;
    bolt->firePitch = camera->pitch;
    const Vector3& lookAt = camera->lookAt;
    bolt->fireDirection = lookAt.Length() > 0.0f ? lookAt.Normalized() : lookAt;
    bolt->SetDoors(doors);
    currentBolt = bolt;
    bolt->AttachTo(boltParent);
}

void Player::Reload() {
    if (clips > 0 && ammo == 0) {
        ammo = kClipSize;
        --clips;
    }
}

void Player::UseMedikit() {
    if (medikits <= 0) return;
    health = std::min(health + kMedikitHealing, kFullHealth);
    --medikits;
}

void Player::Hurt() { --health; }

void ApplyGroundHeight(Player& player, const LevelCollider& collider, const Level& level) {
    const LevelCollider::Ground ground = collider.GroundAt(player.position, level);
    player.position.y = ground.eyeHeight;
    if (Camera* camera = player.GetCamera()) camera->position.y = ground.eyeHeight;
    if (ground.onRamp) {
        const float b = ground.sunBrightness;
        const float diffuse[4] = {b, b, b, 1.0f};
        glLightfv(gl_lights::kSun, GL_DIFFUSE, diffuse);
    }
}

std::string Player::StateLine() const {
    std::string keyList;
    for (size_t i = 0; i < keys.size(); ++i) keyList += (i ? "," : "") + std::to_string(keys[i]);
    const Camera* camera = GetCamera();
    return "player" + StatePosition(position) + " yaw=" + StateNumber(camera ? camera->yaw : 0.0f) +
           " pitch=" + StateNumber(camera ? camera->pitch : 0.0f) + " health=" + std::to_string(health) +
           " ammo=" + std::to_string(ammo) + " clips=" + std::to_string(clips) +
           " medikits=" + std::to_string(medikits) + " keys=" + keyList + " weapon=" + StateFlag(hasWeapon) +
           " flashlight=" + StateFlag(hasFlashlight) + " hud=" + StateFlag(hudVisible);
}
