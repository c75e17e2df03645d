// The core's spin, effects, fall and drawing.
#include "game/objects/generator_core.h"

#include <GL/gl.h>

#include "framework/load3ds/model.h"
#include "game/level_file/level_rules.h"
#include "game/objects/state_fields.h"
#include "game/render/model_cache.h"

namespace {

constexpr int kEffectParticles = 500;
constexpr float kEffectSpread = 0.5f;
constexpr float kEffectScale = 0.5f;
constexpr float kRestHeight = 0.5f;
constexpr float kModelScale = 1.5f;

}  // namespace

GeneratorCore::GeneratorCore(ModelCache* models, TextureCache* textures)
    : textureCache(textures) {
    if (models) core = models->Fetch(game_assets::kGeneratorCore, kModelScale);
    electricity = std::make_unique<Electricity>(kEffectParticles, Vector3(), kEffectSpread, textureCache);
    lightning = std::make_unique<Lightning>(kEffectParticles, Vector3(), kEffectSpread, textureCache);
}

GeneratorCore::~GeneratorCore() = default;

void GeneratorCore::Destroy(std::unique_ptr<Flame> burningFlame) {
    destroyed = true;
    flame = std::move(burningFlame);
}

void GeneratorCore::RenewBurntOutEffects() {
    if (electricity->IsEmpty()) electricity->Rekindle();
    if (lightning->IsEmpty()) lightning->Rekindle();
}

void GeneratorCore::Update(float dt) {
    if (!destroyed) {
        spin += kSpinStep;
        // Whole turns change nothing; keeping the angle small keeps it exact.
        if (spin >= 360) spin -= 360;
        RenewBurntOutEffects();
        electricity->Update(dt);
        lightning->Update(dt);
        return;
    }
    if (flame) flame->Update(dt);
    FallToRest(*this, kRestHeight, dt);
}

void GeneratorCore::Draw() {
    glTranslatef(0.0f, kHeight, 0.0f);
    if (destroyed) {
        if (flame) flame->Render();
        return;
    }
    glPushMatrix();
    glScalef(kEffectScale, kEffectScale, kEffectScale);
    electricity->Render();
    lightning->Render();
    glPopMatrix();
    glRotatef(static_cast<float>(spin), 1.0f, 0.0f, 0.0f);
    if (core) core->Draw(ondra::DRAW_MATERIALS);
}

std::string GeneratorCore::StateLine() const {
    return "core destroyed=" + StateFlag(Destroyed()) + " spin=" + std::to_string(Spin());
}
