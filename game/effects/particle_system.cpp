// The shared life cycle of particle systems: allocation, birth, the common
// update with swap-removal, the random term and the billboard batch.
#include "game/effects/particle_system.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>

#include "game/core/game_clock.h"
#include "game/render/billboard.h"

namespace {

// One draw of the C library generator scaled to 0..32767 whatever its
// RAND_MAX, so the random term keeps the same spread on every platform.
int Draw15Bits() {
    const long long draw = std::rand();
    return static_cast<int>(draw * 32768 / (static_cast<long long>(RAND_MAX) + 1));
}

}  // namespace

CParticleSystem::CParticleSystem(int maxParticles, const Vector3& origin)
    : maxParticles(maxParticles < 0 ? 0 : maxParticles), origin(origin) {}

CParticleSystem::~CParticleSystem() = default;

void CParticleSystem::Init() {
    if (particles)
        std::fill(particles.get(), particles.get() + maxParticles, Particle());
    else
        particles = std::make_unique<Particle[]>(maxParticles);
    liveCount = 0;
}

void CParticleSystem::Shutdown() {
    particles.reset();
    liveCount = 0;
}

int CParticleSystem::Emit(int n) {
    // Without an array (before Init, after Shutdown) there is no room.
    const int capacity = particles ? maxParticles : 0;
    int born = 0;
    while (born < n && liveCount < capacity) {
        ++liveCount;
        InitParticle(liveCount - 1);
        ++born;
    }
    return n - born;
}

void CParticleSystem::Update(float dt) {
    int i = 0;
    while (i < liveCount) {
        Particle& p = particles[i];
        p.position += p.velocity * dt;
        p.velocity += p.acceleration * dt;
        p.life -= dt;
        p.size += p.sizeDelta * dt;
        if (p.life <= 0.0f) {
            --liveCount;
            p = particles[liveCount];  // not advancing i: the moved one is still due
        } else {
            ++i;
        }
    }
}

float CParticleSystem::RandomTerm() {
    // Two sequenced draws: the order of operands of '-' is unspecified.
    const int first = Draw15Bits();
    const int second = Draw15Bits();
    return static_cast<float>(first - second) / 32767.0f;
}

void CParticleSystem::ReseedFromClock() {
    std::srand(static_cast<unsigned int>(game_clock::NowMilliseconds()));
}

void CParticleSystem::DrawBillboards(float sizeScale) const {
    const BillboardAxes axes = CurrentBillboardAxes();
    glBegin(GL_QUADS);
    for (int i = 0; i < liveCount; ++i) {
        EmitBillboard(particles[i].position, axes, particles[i].size * sizeScale);
    }
    glEnd();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}
