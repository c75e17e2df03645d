// Counting hits and wrecking the generator.
#include "game/objects/generator.h"

#include <GL/gl.h>

#include "framework/load3ds/model.h"
#include "game/level_file/level_rules.h"
#include "game/objects/bolt_projectile.h"
#include "game/objects/generator_core.h"
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
