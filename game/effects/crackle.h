// Crackle: what Lightning and Electricity share. Billboards born in a cube
// around the origin that streak along x without slowing, many of them born
// already dead; the texture is looked up by name at every render, so it
// follows the cache.
#pragma once

#include "game/effects/particle_system.h"

class TextureCache;

class Crackle : public CParticleSystem {
public:
    void Render() override;

    const char* TextureName() const { return textureName; }

protected:
    // Starts full, with the random generator reseeded from the clock.
    // Sizes are born around sizeBase, lives around lifeBase (so up to
    // lifeBase + 0.5 seconds).
    Crackle(int maxParticles, const Vector3& origin, float spread, TextureCache* textureCache,
            float sizeBase, float lifeBase, const char* textureName);

    void InitParticle(int index) override;

    float spread;
    TextureCache* textureCache;

private:
    float sizeBase;
    float lifeBase;
    const char* textureName;
};
