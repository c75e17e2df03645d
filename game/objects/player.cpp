// The player's motion, inventory actions, firing and first-person drawing.
#include "game/player.h"

#include <GL/gl.h>

#include <algorithm>

#include "framework/load3ds/model.h"
#include "game/camera.h"
#include "game/hud.h"
#include "game/level_collider.h"
#include "game/level_file/level_rules.h"
#include "game/model_cache.h"
#include "game/objects/bolt_projectile.h"
#include "game/objects/door.h"
#include "game/sub_steps.h"

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

void Player::SetHud(std::unique_ptr<Hud> newHud) { hud = std::move(newHud); }

void Player::Update(float dt) {
    const Vector3 oldPosition = position;
    armView = ArmView{camera->position, camera->yaw, camera->pitch};

    camera->Update(dt);
    velocity = camera->velocity;
    acceleration = camera->acceleration;
    position = camera->position;

    if (!level || !collider) return;
    collider->ApplyGroundHeight(*this, *level);
    Vector3 normal;
    if (MoveHitsWall(oldPosition, position) || DoorsBlock(doors, oldPosition, position, normal)) {
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

// The wall query sees only where a point is, and a frame's move can be
// longer than a wall's band (or both bands of a shared edge): the move is
// checked in short steps, each at the height the ground gives it there.
bool Player::MoveHitsWall(const Vector3& from, const Vector3& to) const {
    const Vector3 move = to - from;
    const int steps = SubStepsFor(Vector3(move.x, 0.0f, move.z).Length(), kMaxWallStep);
    Vector3 normal;
    for (int i = 1; i <= steps; ++i) {
        Vector3 point = i == steps ? to : from + move * (static_cast<float>(i) / static_cast<float>(steps));
        if (i != steps) point.y = EyeHeightAt(point.x, point.z, *level);
        if (collider->IsWallHit(point, *level, normal)) return true;
    }
    return false;
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
    const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const float atHand[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glEnable(GL_LIGHT6);
    glLightfv(GL_LIGHT6, GL_AMBIENT, white);
    glLightfv(GL_LIGHT6, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT6, GL_SPECULAR, white);
    glLightfv(GL_LIGHT6, GL_POSITION, atHand);
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
    glEnable(GL_LIGHT5);
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
