// CParticleSystem: the base of the game's effects. A system is filled once
// when it is created and then only thins out: every update moves, ages and
// shrinks the live particles and drops the dead ones. Live particles are
// drawn as camera-facing squares in the owner's current model frame.
#pragma once

#include <memory>

#include "game/core/vector3.h"

struct Particle {
    Vector3 position;
    Vector3 velocity;
    Vector3 acceleration;
    float life = 0.0f;       // seconds left; dead at 0 or less
    float size = 0.0f;       // half-extent of the billboard
    float sizeDelta = 0.0f;  // per second; -size / life at birth
};

class CParticleSystem {
public:
    // The particle array is made by Init.
    CParticleSystem(int maxParticles, const Vector3& origin);
    virtual ~CParticleSystem();

    CParticleSystem(const CParticleSystem&) = delete;
    CParticleSystem& operator=(const CParticleSystem&) = delete;

    // Moves, ages and shrinks each live particle once; a particle whose life
    // runs out is replaced by the last live one, which is then processed in
    // the same pass.
    virtual void Update(float dt);
    virtual void Render() = 0;
    // Gives birth to up to n particles; returns how many of the n did not
    // fit.
    virtual int Emit(int n);
    // An empty array of maxParticles zeroed records, the one it has when
    // it has one.
    virtual void Init();
    // Releases the array; nothing can be emitted until the next Init.
    virtual void Shutdown();

    bool IsEmpty() const { return liveCount == 0; }
    int LiveCount() const { return liveCount; }
    int MaxParticles() const { return maxParticles; }
    const Vector3& Origin() const { return origin; }
    const Particle* Particles() const { return particles.get(); }

    // A value in [-1, 1], triangular around 0: the difference of two draws
    // of the C library generator (each 0 to 32767) over 32767. Every random
    // birth value of the effects uses a fresh one.
    static float RandomTerm();
    // Seeds the C library generator with the game's clock in milliseconds;
    // every effect does this when it is created.
    static void ReseedFromClock();

protected:
    virtual void InitParticle(int index) = 0;

    // The whole live set in one quad batch, each square with half-extent
    // size * sizeScale, the camera axes read once. Leaves the colour white.
    void DrawBillboards(float sizeScale) const;

    std::unique_ptr<Particle[]> particles;
    int maxParticles;
    int liveCount = 0;
    Vector3 origin;
};
