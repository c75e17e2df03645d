// Lightning: the larger, longer of the two crackles around a generator
// core; all gone within 0.55 seconds. Drawn with "storm.jpg".
#pragma once

#include "game/effects/crackle.h"

class Lightning : public Crackle {
public:
    Lightning(int maxParticles, const Vector3& origin, float spread, TextureCache* textureCache);
};
