// WorldSounds: what the player hears of the world. After each frame's step
// it compares what the world's objects now are with what they were (a door
// that began to open, a pickup taken, a creature's charge, a generator
// wrecked, a bolt burst) and plays each change's sound where it happened;
// it keeps the generators humming until they are wrecked, the wind blowing
// on the surface, and puts the ears where the camera is. It only reads the
// world, so the game plays the same with or without it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/audio/sound_source.h"
#include "game/core/vector3.h"
#include "game/sound/sound_bank.h"
#include "game/sound/voice_pool.h"

namespace ondra {
class AudioDevice;
}
class BoltProjectile;
class CObject;
class Door;
class Generator;
class Level;
class LockedDoor;
class Pickup;
class Player;
class Vorlax;

// The parts of the world that make sounds, all owned by the world.
struct SoundScene {
    const Player* player = nullptr;
    const CObject* doors = nullptr;
    const CObject* pickups = nullptr;
    const CObject* enemies = nullptr;  // the creatures, generators and flying bolts
    const Level* level = nullptr;
};

class WorldSounds {
public:
    // A stride of this length, walked, is one footstep.
    static constexpr float kStride = 1.6f;

    WorldSounds(ondra::AudioDevice& device, const std::string& dataDir);

    // Once the world is built, before its first frame: the state the first
    // frame's changes are measured against; the hums and the wind start.
    void Watch(const SoundScene& scene);
    // After each frame's step; `dt` is the time the world moved.
    void Update(float dt);

private:
    struct DoorWatch {
        const Door* door;
        const LockedDoor* locked;
        float open;  // 0 shut to 1 open
        int motion;  // 1 opening, -1 shutting, 0 still
        int refusals;
        bool refusing;
    };
    struct PickupWatch {
        const Pickup* pickup;
        const char* sound;
        bool taken;
    };
    struct CreatureWatch {
        const Vorlax* creature;
        bool charging;
        bool shooting;
        bool dead;
        Vector3 shotAt;
    };
    struct GeneratorWatch {
        const Generator* generator;
        bool destroyed;
        ondra::SoundSource hum;
    };
    struct BoltWatch {
        const BoltProjectile* bolt;
        bool exploded;
    };
    struct PlayerWatch {
        int health, ammo, clips, medikits;
        Vector3 position;
        float walked;
        int nextFoot;
    };

    void WatchObjects();
    void PlaceListener();
    void HearPlayer();
    void HearFootsteps();
    void HearWeather(float dt);
    void HearDoors();
    void HearPickups();
    void HearCreatures();
    void HearGenerators();
    void HearBolts();
    // Plays a sound once where it was made, through what lies between.
    void PlayAt(const char* sound, const Vector3& position);
    void PlayAtListener(const char* sound);
    float Occlusion(const Vector3& source) const;
    float NextRandom();

    ondra::AudioDevice& device;
    SoundBank bank;
    VoicePool voices;
    SoundScene scene;
    Vector3 ears;
    PlayerWatch player{};
    std::vector<DoorWatch> doors;
    std::vector<PickupWatch> pickups;
    std::vector<CreatureWatch> creatures;
    std::vector<GeneratorWatch> generators;
    std::vector<BoltWatch> bolts, boltsNow;
    ondra::SoundSource wind;
    float untilThunder = 0.0f;
    // The thunder's own generator: sound never touches the C library's
    // rand(), which the particles draw from.
    std::uint32_t randomState = 0x2545f491u;
};
