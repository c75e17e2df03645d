// Lightning's sizes, lives and texture.
#include "game/effects/lightning.h"

#include "game/level_file/level_rules.h"

Lightning::Lightning(int maxParticles, const Vector3& origin, float spread,
                     TextureCache* textureCache)
    : Crackle(maxParticles, origin, spread, textureCache, 0.2f, 0.05f, game_assets::kStorm) {}
