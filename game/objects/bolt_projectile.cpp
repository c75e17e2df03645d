// The bolt's flight in wall-safe steps, its burst and its glow.
#include "game/objects/bolt_projectile.h"

#include <GL/gl.h>

#include "game/level_file/level_rules.h"
#include "game/objects/state_fields.h"
#include "game/objects/sweep.h"
#include "game/render/billboard.h"
#include "game/render/gl_lights.h"
#include "game/render/texture_cache.h"

namespace {

constexpr float kSparkPush = 2.0f;
constexpr float kSparkSpread = 1.0f;
const char* const kFlareImage = game_assets::kBoltFlare;

}  // namespace

BoltProjectile::BoltProjectile(TextureCache* textures, Player* player, Level* level, LevelCollider* collider)
    : player(player), textureCache(textures), flareTexture(textures, kFlareImage), level(level), collider(collider) {
    velocity = Vector3(0.0f, 0.0f, kSpeed);
    radius = kRadius;
}

BoltProjectile::~BoltProjectile() = default;

Vector3 BoltProjectile::FlightVector() const {
    const float yaw = fireYaw * kDegToRad;
    const float pitch = firePitch * kDegToRad;
    return Vector3(Cos(yaw), Sin(pitch), Sin(yaw));
}

void BoltProjectile::Update(float dt) {
    if (!exploded) Fly(dt);
    if (exploded) burst->Update(dt);
}

// Each step is added on to where the bolt flew so far; it bursts at the
// first contact.
void BoltProjectile::Fly(float dt) {
    const Vector3 move = FlightVector() * (dt * velocity.z);
    auto stepTo = [&](int, int steps, Vector3& point) {
        position += move / static_cast<float>(steps);
        point = position;
        return true;
    };
    Vector3 normal;
    if (Sweep(Obstacles{level, collider, doors}, position, move.Length(), stepTo, normal) == SweepEnd::kBlocked)
        Explode(normal);
}

void BoltProjectile::Explode(const Vector3& normal) {
    exploded = true;
    velocity = Vector3();
    const unsigned int texture = textureCache ? textureCache->TextureToBind(kFlareImage) : 0u;
    burst = std::make_unique<BoltTrail>(kSparks, position, normal * kSparkPush, kSparkSpread, texture);
}

void BoltProjectile::Draw() {
    if (exploded) {
        burst->Render();
        return;
    }
    const BillboardAxes axes = CurrentBillboardAxes();
    BeginGlowingBillboards(flareTexture.Get());
    glBegin(GL_QUADS);
    EmitBillboard(position, axes, radius);
    glEnd();
    EndGlowingBillboards();
    const float lightAt[4] = {position.x, position.y, position.z, 1.0f};
    glLightfv(gl_lights::kBoltLight, GL_POSITION, lightAt);
}

std::string BoltProjectile::StateLine() const {
    return "bolt exploded=" + StateFlag(Exploded()) + StatePosition(position);
}
