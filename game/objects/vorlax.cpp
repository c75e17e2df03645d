// The creature's heading and alert, its charge and shot, the projectile's
// drop and the fall of a dead creature.
#include "game/objects/vorlax.h"

#include <GL/gl.h>

#include <cmath>

#include "game/level_file/level_rules.h"
#include "game/objects/player.h"
#include "game/objects/state_fields.h"
#include "game/render/billboard.h"
#include "game/render/texture_cache.h"

namespace {

constexpr float kRadToDeg = 57.295776f;
const char* const kFlashImage = game_assets::kMuzzleFlash;
// The flash glows at the creature's mouth: below its centre, one unit in
// front of it.
constexpr Vector3 kFlashAt(0.0f, -0.5f, 1.0f);
constexpr float kFlashHalfSide = 0.1f;  // before the growing scale
// The flash faces along the creature's heading, towards the player.
const BillboardAxes kFlashAxes{Vector3(1.0f, 0.0f, 0.0f), Vector3(0.0f, 1.0f, 0.0f)};

// Degrees about the vertical axis towards the offset (dx, dz), worked out
// quadrant by quadrant around the creature. An offset on either axis through
// it lies in no quadrant and gives the rest heading, 0; so do non-finite
// offsets.
float HeadingTowards(float dx, float dz) {
    if (dx > 0.0f && dz > 0.0f) return std::atan2(dx, dz) * kRadToDeg;
    if (dx > 0.0f && dz < 0.0f) return std::atan2(-dz, dx) * kRadToDeg + 90.0f;
    if (dx < 0.0f && dz < 0.0f) return -90.0f - std::atan2(-dz, -dx) * kRadToDeg;
    if (dx < 0.0f && dz > 0.0f) return std::atan2(dz, -dx) * kRadToDeg - 90.0f;
    return 0.0f;
}

}  // namespace

Vorlax::Vorlax(TextureCache* textures, LevelCollider* collider, Level* level)
    : textureCache(textures), collider(collider), level(level), flashTexture(textures, kFlashImage) {
    radius = kSightRange;
}

Vorlax::~Vorlax() = default;

Vector3 Vorlax::Heading() const {
    const float radians = yaw * kDegToRad;
    return Vector3(Sin(radians), 0.0f, Cos(radians));
}

void Vorlax::OnCollision(CObject* other) {
    if (state == kDead) return;
    const Player* player = dynamic_cast<const Player*>(other);
    if (!player) return;
    state = kAlerted;
    FaceTowards(player->position);
    playerSeen = true;
    lastPlayerPosition = player->position;
    if (!charging && !shotInFlight) charging = true;
}

void Vorlax::FaceTowards(const Vector3& target) {
    yaw = HeadingTowards(target.x - position.x, target.z - position.z);
}

void Vorlax::Update(float dt) {
    // The shot cannot delete itself in its own update, while the traversal
    // still needs its links; here, before the children are walked, it can.
    if (projectile && projectile->Spent()) DropProjectile();
    if (state == kDead) {
        FallToRest(*this, kRestHeight, dt);
        return;
    }
    velocity += acceleration * dt;
    position += velocity * dt;
}

void Vorlax::Draw() {
    glTranslatef(position.x, position.y, position.z);
    glRotatef(yaw, 0.0f, 1.0f, 0.0f);
    EndDrawnFrame();
}

void Vorlax::DrawUnseen() { EndDrawnFrame(); }

void Vorlax::EndDrawnFrame() {
    flashShown = state == kAlerted && charging;
    if (flashShown) {
        shownFlashScale = flashScale;
        GrowFlash();
    }
    // Alerted lasts only as long as the player keeps touching: the next
    // collision phase sets it again.
    if (state != kDead) state = kIdle;
}

void Vorlax::DrawMuzzleFlash() const {
    if (!flashShown) return;
    // Translucent: it must not hide what is drawn behind it later.
    glDepthMask(GL_FALSE);
    BeginGlowingBillboards(flashTexture.Get());
    glPushMatrix();
    glTranslatef(kFlashAt.x, kFlashAt.y, kFlashAt.z);
    glScalef(shownFlashScale, shownFlashScale, 0.0f);
    glBegin(GL_QUADS);
    EmitBillboard(Vector3(), kFlashAxes, kFlashHalfSide);
    glEnd();
    glPopMatrix();
    EndGlowingBillboards();
    glDepthMask(GL_TRUE);
}

// The charge advances per drawn frame, not per second, so only frames in
// which the player is seen bring the shot nearer.
void Vorlax::GrowFlash() {
    flashScale += kFlashGrowth;
    if (flashScale < kFlashFull) return;
    flashScale = 0.0f;
    charging = false;
    SpawnProjectile();
}

VorlaxProjectile* Vorlax::SpawnProjectile() {
    delete projectile;
    Vector3 aim = Heading();
    if (playerSeen) {
        const Vector3 toPlayer = lastPlayerPosition - position;
        const float distance = toPlayer.Length();
        if (distance > 0.0f && std::isfinite(distance)) aim = toPlayer / distance;
    }
    projectile = new VorlaxProjectile(textureCache, this, level, collider);
    projectile->SetDoors(doors);
    projectile->position = position;
    projectile->AttachTo(this);
    projectile->Launch(aim);
    shotInFlight = true;
    return projectile;
}

void Vorlax::DropProjectile() {
    delete projectile;
    projectile = nullptr;
    shotInFlight = false;
    charging = false;
}

void Vorlax::Kill() { state = kDead; }

std::string Vorlax::StateLine() const {
    return "vorlax state=" + std::to_string(State()) + " yaw=" + StateNumber(Yaw()) + " charging=" +
           StateFlag(Charging()) + " shot=" + StateFlag(ShotInFlight()) + StatePosition(position);
}
