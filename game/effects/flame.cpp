// Flame birth values and drawing.
#include "game/effects/flame.h"

#include <GL/gl.h>

#include "game/render/billboard.h"

Flame::Flame(int maxParticles, const Vector3& origin, float spread, unsigned int texture)
    : CParticleSystem(maxParticles, origin), spread(spread), texture(texture) {
    ReseedFromClock();
    Init();
    Emit(this->maxParticles);
}

void Flame::InitParticle(int index) {
    Particle& p = particles[index];
    // Each field takes its random terms in this order; keep it, so a given
    // seed always gives the same fire.
    const float dx = RandomTerm() * spread;
    const float dy = RandomTerm() * spread;
    const float dz = RandomTerm() * spread;
    p.position = origin + Vector3(dx, dy, dz);
    p.size = RandomTerm() * 1.0f + 0.2f;
    const float vx = RandomTerm() * 0.05f;
    const float vy = RandomTerm() * 3.0f - 2.0f;
    const float vz = RandomTerm() * 0.05f;
    p.velocity = Vector3(vx, vy, vz);
    p.acceleration = Vector3(0.0f, 10.0f, 0.0f);
    p.life = RandomTerm() / 2.0f + 1.0f;
    p.sizeDelta = -p.size / p.life;
}

void Flame::Render() {
    // The owner's frame may turn a billboard's back to the camera, and the
    // translucent fire must not hide what is drawn behind it afterwards.
    glDisable(GL_CULL_FACE);
    glDepthMask(GL_FALSE);
    BeginGlowingBillboards(texture);
    DrawBillboards(1.0f);
    EndGlowingBillboards();
    glDepthMask(GL_TRUE);
    glEnable(GL_CULL_FACE);
}
