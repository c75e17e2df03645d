// Crackle birth values and drawing.
#include "game/effects/crackle.h"

#include <GL/gl.h>

#include "game/render/billboard.h"
#include "game/render/texture_cache.h"

Crackle::Crackle(int maxParticles, const Vector3& origin, float spread, TextureCache* textureCache,
                 float sizeBase, float lifeBase, const char* textureName)
    : CParticleSystem(maxParticles, origin),
      spread(spread),
      textureCache(textureCache),
      sizeBase(sizeBase),
      lifeBase(lifeBase),
      textureName(textureName),
      kept(textureCache, textureName) {
    Rekindle();
}

void Crackle::Rekindle() {
    ReseedFromClock();
    Init();
    Emit(maxParticles);
}

void Crackle::InitParticle(int index) {
    Particle& p = particles[index];
    const float dx = RandomTerm() * spread;
    const float dy = RandomTerm() * spread;
    const float dz = RandomTerm() * spread;
    p.position = origin + Vector3(dx, dy, dz);
    p.size = RandomTerm() * 1.0f + sizeBase;
    p.velocity = Vector3(RandomTerm() * 3.0f, 0.0f, 0.0f);
    p.acceleration = Vector3(0.0f, 0.0f, 0.0f);
    // Often 0 or less: such a particle is dropped by the first update
    // before it is ever drawn, which makes the crackle flicker.
    p.life = RandomTerm() / 2.0f + lifeBase;
    p.sizeDelta = -p.size / p.life;
}

void Crackle::Render() {
    glDepthMask(GL_FALSE);
    BeginGlowingBillboards(kept.Get());
    DrawBillboards(1.0f);
    EndGlowingBillboards();
    glDepthMask(GL_TRUE);
}
