// The creature's shot: its straight flight in wall-safe steps, its range,
// its trace line and its red glow.
#include "game/objects/vorlax_projectile.h"

#include <GL/gl.h>

#include <cstdio>

#include "game/level_file/level_rules.h"
#include "game/objects/state_fields.h"
#include "game/objects/sweep.h"
#include "game/render/billboard.h"

namespace {

const char* const kGlowImage = game_assets::kCreatureShot;

}  // namespace

VorlaxProjectile::VorlaxProjectile(TextureCache* textures, Vorlax* owner, Level* level, LevelCollider* collider)
    : owner(owner), glowTexture(textures, kGlowImage), level(level), collider(collider) {
    velocity = Vector3(0.0f, 0.0f, kLaunchSpeed);
    acceleration = Vector3(0.0f, 0.0f, kSpeedGain);
    radius = kRadius;
}

VorlaxProjectile::~VorlaxProjectile() = default;

void VorlaxProjectile::Launch(const Vector3& direction) {
    velocity = direction * kLaunchSpeed;
    acceleration = direction * kSpeedGain;
}

void VorlaxProjectile::Update(float dt) {
    if (spent || !(dt > 0.0f)) return;
    // The move uses the speed from before this frame's gain, as every
    // object's motion step does.
    const Vector3 move = velocity * dt;
    velocity += acceleration * dt;
    Fly(move);
}

// Each step is added on to where the shot flew so far, and counts towards
// its range.
void VorlaxProjectile::Fly(const Vector3& move) {
    auto stepTo = [&](int, int steps, Vector3& point) {
        const Vector3 step = move / static_cast<float>(steps);
        position += step;
        travelled += step.Length();
        point = position;
        // Written so that a flight gone non-finite counts as out of range.
        return travelled <= kRange;
    };
    Vector3 normal;
    if (Sweep(Obstacles{level, collider, doors}, position, move.Length(), stepTo, normal) != SweepEnd::kClear)
        spent = true;
}

// The shot's position goes to standard output every frame it flies, seen
// or not.
void VorlaxProjectile::DrawUnseen() {
    if (spent) return;
    std::printf("%g %g %g\n", static_cast<double>(position.x), static_cast<double>(position.y),
                static_cast<double>(position.z));
}

void VorlaxProjectile::Draw() {
    if (spent) return;
    DrawUnseen();
    LeaveOwnerFrame();
    const BillboardAxes axes = CurrentBillboardAxes();
    glDisable(GL_CULL_FACE);
    BeginGlowingBillboards(glowTexture.Get());
    glBegin(GL_QUADS);
    EmitBillboard(position, axes, radius);
    glEnd();
    EndGlowingBillboards();
    glEnable(GL_CULL_FACE);
}

// The creature's Draw translated to it and turned to its heading; undone in
// reverse order, the frame is the world's again.
void VorlaxProjectile::LeaveOwnerFrame() const {
    const CObject* parent = Parent();
    const auto* creature = dynamic_cast<const ShotOwner*>(parent);
    if (!creature) return;
    glRotatef(-creature->Yaw(), 0.0f, 1.0f, 0.0f);
    glTranslatef(-parent->position.x, -parent->position.y, -parent->position.z);
}

std::string VorlaxProjectile::StateLine() const {
    return Spent() ? std::string() : "projectile" + StatePosition(position);
}
