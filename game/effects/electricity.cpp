// Electricity's sizes, lives and texture.
#include "game/effects/electricity.h"

Electricity::Electricity(int maxParticles, const Vector3& origin, float spread,
                         TextureCache* textureCache)
    : Crackle(maxParticles, origin, spread, textureCache, 0.05f, 0.01f, "lightning.jpg") {}
