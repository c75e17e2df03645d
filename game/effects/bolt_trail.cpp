// Spark birth values and drawing.
#include "game/effects/bolt_trail.h"

#include <GL/gl.h>

#include "game/render/billboard.h"

BoltTrail::BoltTrail(int maxParticles, const Vector3& origin, const Vector3& baseVelocity,
                     float spread, unsigned int texture)
    : CParticleSystem(maxParticles, origin),
      spread(spread),
      baseVelocity(baseVelocity),
      texture(texture) {
    ReseedFromClock();
    Init();
    Emit(this->maxParticles);
}

void BoltTrail::InitParticle(int index) {
    Particle& p = particles[index];
    const float dx = RandomTerm() * spread;
    const float dy = RandomTerm() * spread;
    const float dz = RandomTerm() * spread;
    p.position = origin + Vector3(dx, dy, dz);
    p.size = RandomTerm() * 0.1f + 0.1f;
    const float vx = RandomTerm() * 5.0f;
    const float vy = RandomTerm() * 5.0f;
    const float vz = RandomTerm() * 5.0f;
    p.velocity = Vector3(vx, vy, vz) + baseVelocity;
    p.acceleration = Vector3(0.0f, -10.0f, 0.0f);
    p.life = RandomTerm() / 2.0f + 0.5f;
    p.sizeDelta = -p.size / p.life;
}

void BoltTrail::Render() {
    // Depth writes and culling stay as the scene has them: sparks are small
    // enough not to need either changed.
    BeginGlowingBillboards(texture);
    DrawBillboards(0.5f);
    EndGlowingBillboards();
}
