// The creature's body: its two models, its death by a bolt and its flame.
#include "game/objects/vorlax_mesh.h"

#include <GL/gl.h>

#include "framework/load3ds/model.h"
#include "game/level_file/level_rules.h"
#include "game/objects/bolt_projectile.h"
#include "game/objects/state_fields.h"
#include "game/objects/vorlax.h"
#include "game/render/model_cache.h"

namespace {

const char* const kLiveModel = game_assets::kVorlax;
const char* const kDeadModel = game_assets::kDeadVorlax;
const char* const kFlameImage = game_assets::kFlame;

}  // namespace

VorlaxMesh::VorlaxMesh(ModelCache* models, TextureCache* textures, Player* /*player*/)
    : textureCache(textures),
      liveModel(models ? models->Fetch(kLiveModel, kModelScale) : nullptr),
      deadModel(models ? models->Fetch(kDeadModel, kModelScale) : nullptr) {
    radius = kRadius;
}

VorlaxMesh::~VorlaxMesh() = default;

void VorlaxMesh::Update(float dt) {
    if (dead && flame) flame->Update(dt);
}

void VorlaxMesh::Draw() {
    // The flame first, at the creature's centre, before the model's turn.
    if (dead && flame) flame->Render();
    if (ondra::Model* model = dead ? deadModel : liveModel) {
        glPushMatrix();
        glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
        glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
        model->Draw(ondra::DRAW_MATERIALS);
        glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
        glPopMatrix();
    }
    if (const auto* creature = dynamic_cast<const Vorlax*>(Parent())) creature->DrawMuzzleFlash();
}

void VorlaxMesh::OnCollision(CObject* other) {
    if (dead || !dynamic_cast<const BoltProjectile*>(other)) return;
    if (auto* creature = dynamic_cast<Vorlax*>(Parent())) creature->Kill();
    dead = true;
    flame = std::make_unique<Flame>(kFlameParticles, Vector3(), kFlameSpread,
                                    textureCache ? textureCache->TextureToBind(kFlameImage) : 0u);
}

std::string VorlaxMesh::StateLine() const { return "vorlaxmesh dead=" + StateFlag(Dead()); }
