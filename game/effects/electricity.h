// Electricity: the finer of the two crackles around a generator core, with
// smaller, shorter-lived particles than Lightning; all gone within 0.51
// seconds. Drawn with "lightning.jpg".
#pragma once

#include "game/effects/crackle.h"

class Electricity : public Crackle {
public:
    Electricity(int maxParticles, const Vector3& origin, float spread, TextureCache* textureCache);
};
