// Flame: the fire that rises where a creature dies or a generator core
// breaks. Orange billboards born around the origin, pushed upwards and
// shrinking away; all gone within 1.5 seconds.
#pragma once

#include "game/effects/particle_system.h"

class Flame : public CParticleSystem {
public:
    // Starts full, with the random generator reseeded from the clock.
    Flame(int maxParticles, const Vector3& origin, float spread, unsigned int texture);

    void Render() override;

protected:
    void InitParticle(int index) override;

    float spread;          // half-width of the birth cube around origin
    unsigned int texture;  // GL texture name of the flame image
};
