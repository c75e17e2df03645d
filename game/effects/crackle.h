// Crackle: what Lightning and Electricity share. Billboards born in a cube
// around the origin that streak along x without slowing, many of them born
// already dead. The texture is looked up by name until the cache has it.
#pragma once

#include "game/effects/particle_system.h"
#include "game/render/texture_cache.h"

class Crackle : public CParticleSystem {
public:
    void Render() override;
    // Starts full again, as a new one would (the generator reseeded from
    // the clock, every particle born anew), in the array it has: a
    // generator renews its burnt-out crackles every few frames, and a frame
    // allocates nothing.
    void Rekindle();

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
    KeptTexture kept;
};
