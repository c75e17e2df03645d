// Electricity's sizes, lives and texture.
#include "game/effects/electricity.h"

#include "game/level_file/level_rules.h"

Electricity::Electricity(int maxParticles, const Vector3& origin, float spread,
                         TextureCache* textureCache)
    : Crackle(maxParticles, origin, spread, textureCache, 0.05f, 0.01f, game_assets::kLightning) {}
