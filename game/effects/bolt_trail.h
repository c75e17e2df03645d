// BoltTrail: the sparks a bolt throws off where it strikes. Small glowing
// billboards pushed away from the surface, falling under gravity; all gone
// within a second.
#pragma once

#include "game/effects/particle_system.h"

class BoltTrail : public CParticleSystem {
public:
    // Starts full, with the random generator reseeded from the clock.
    // baseVelocity is added to every spark's random velocity.
    BoltTrail(int maxParticles, const Vector3& origin, const Vector3& baseVelocity, float spread,
              unsigned int texture);

    void Render() override;

protected:
    void InitParticle(int index) override;

    float spread;
    Vector3 baseVelocity;
    unsigned int texture;
};
