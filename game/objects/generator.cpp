// Counting hits and wrecking the generator.
#include "game/objects/generator.h"

#include <GL/gl.h>

#include "framework/load3ds/model.h"
#include "game/level_file/level_rules.h"
#include "game/objects/bolt_projectile.h"
#include "game/objects/generator_core.h"
#include "game/objects/state_fields.h"
#include "game/render/model_cache.h"
#include "game/render/texture_cache.h"

namespace {

ondra::Model* Fetch(ModelCache* models, const char* name, float scale) {
    return models ? models->Fetch(name, scale) : nullptr;
}

constexpr int kFlameParticles = 250;
constexpr float kFlameSpread = 0.5f;
// The flame rises from the generator's base, 2 below the core.
constexpr Vector3 kFlameOrigin(0.0f, -2.0f, 0.0f);

}  // namespace

Generator::Generator(ModelCache* models, TextureCache* textures)
    : textureCache(textures),
      base(Fetch(models, game_assets::kGeneratorBase, kModelScale)),
      wreck(Fetch(models, game_assets::kGeneratorWreck, kModelScale)) {}

GeneratorCore* Generator::Core() const { return HasChild() ? dynamic_cast<GeneratorCore*>(FirstChild()) : nullptr; }

void Generator::OnCollision(CObject* other) {
    if (destroyed || !dynamic_cast<const BoltProjectile*>(other)) return;
    if (--hitPoints > 0) return;
    Destroy();
}

void Generator::Destroy() {
    destroyed = true;
    const unsigned int flameTexture = textureCache ? textureCache->TextureToBind(game_assets::kFlame) : 0u;
    if (GeneratorCore* core = Core()) {
        core->Destroy(std::make_unique<Flame>(kFlameParticles, kFlameOrigin, kFlameSpread, flameTexture));
    }
}

void Generator::Draw() {
    glTranslatef(position.x, position.y, position.z);
    ondra::Model* model = destroyed ? wreck : base;
    if (model) model->Draw(ondra::DRAW_MATERIALS);
}

std::string Generator::StateLine() const {
    return "generator hitpoints=" + std::to_string(HitPoints()) + " destroyed=" + StateFlag(Destroyed()) +
           StatePosition(position);
}

// The core turns above the base, under the generator's tree.
std::unique_ptr<CObject> Generator::FromMap(const MapObject& entry, const MapPlacement& placed,
                                            const MapObjectSetting& setting) {
    (void)entry;
    auto generator = std::make_unique<Generator>(setting.models, setting.textures);
    auto core = std::make_unique<GeneratorCore>(setting.models, setting.textures);
    generator->position = placed.position;
    generator->radius = placed.radius;
    core->position = generator->position;
    core->position.y = GeneratorCore::kHeight;
    core->radius = GeneratorCore::kRadius;
    core.release()->AttachTo(generator.get());
    return generator;
}
