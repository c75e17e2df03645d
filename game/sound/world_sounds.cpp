// Hearing the world: the listener, the player's own sounds, the weather,
// and the changes of the doors, pickups, creatures, generators and bolts.
#include "game/sound/world_sounds.h"

#include <cmath>
#include <iterator>

#include "framework/audio/audio_device.h"
#include "game/level/level.h"
#include "game/level/level_collider.h"
#include "game/level_file/sound_names.h"
#include "game/objects/automatic_door.h"
#include "game/objects/bolt_projectile.h"
#include "game/objects/door.h"
#include "game/objects/flashlight.h"
#include "game/objects/generator.h"
#include "game/objects/key.h"
#include "game/objects/locked_door.h"
#include "game/objects/medikit.h"
#include "game/objects/player.h"
#include "game/objects/vorlax.h"
#include "game/objects/vorlax_projectile.h"
#include "game/objects/weapon.h"
#include "game/render/camera.h"
#include "game/sound/occlusion.h"

namespace {

// Thunder rolls in every 8 to 20 seconds while the player is outside.
constexpr float kLeastThunderPause = 8.0f;
constexpr float kThunderPauseSpread = 12.0f;
// Thunder far off still carries: its level halves only at 40 units.
constexpr float kThunderReach = 20.0f;
// Footsteps sound at the feet, below the ears.
constexpr Vector3 kFeet{0.0f, -1.6f, 0.0f};

}  // namespace

WorldSounds::WorldSounds(ondra::AudioDevice& device, const std::string& dataDir)
    : device(device), bank(device, dataDir), voices(device), wind(device) {}

void WorldSounds::Watch(const SoundScene& watched) {
    scene = watched;
    const Player& p = *scene.player;
    player = {p.health, p.ammo, p.clips, p.medikits, p.position, kStride / 2, 0};
    WatchObjects();
    wind.SetRelativeToListener(true);
    wind.SetGain(0.0f);
    wind.Loop(bank.Get(game_sounds::kWind));
    untilThunder = kLeastThunderPause / 2;
    PlaceListener();
    HearWeather(0.0f);
}

void WorldSounds::Update(float dt) {
    if (!scene.player || !device.Audible()) return;
    PlaceListener();
    HearPlayer();
    HearFootsteps();
    HearWeather(dt);
    HearDoors();
    HearPickups();
    HearCreatures();
    HearGenerators();
    HearBolts();
}

void WorldSounds::PlaceListener() {
    const Camera* camera = scene.player->GetCamera();
    if (!camera) return;
    ears = camera->position;
    const Vector3 forward = camera->lookAt - camera->position;
    device.Listener().SetPosition({ears.x, ears.y, ears.z});
    device.Listener().SetOrientation({forward.x, forward.y, forward.z}, {0.0f, 1.0f, 0.0f});
}

void WorldSounds::HearPlayer() {
    const Player& p = *scene.player;
    if (p.ammo < player.ammo) PlayAtListener(game_sounds::kShot);
    if (p.clips < player.clips) PlayAtListener(game_sounds::kReload);
    if (p.health < player.health) PlayAtListener(game_sounds::kPlayerHurt);
    if (p.medikits < player.medikits) PlayAtListener(game_sounds::kMedikitUse);
    player.health = p.health;
    player.ammo = p.ammo;
    player.clips = p.clips;
    player.medikits = p.medikits;
}

// A step each stride walked on the floor plan; standing still, the next
// step comes half a stride after setting off again. Jumps (a new start)
// are no walk.
void WorldSounds::HearFootsteps() {
    const Vector3 now = scene.player->position;
    const float dx = now.x - player.position.x, dz = now.z - player.position.z;
    const float moved = std::sqrt(dx * dx + dz * dz);
    player.position = now;
    if (moved <= 0.0f || moved > kStride) {
        player.walked = kStride / 2;
        return;
    }
    player.walked += moved;
    if (player.walked < kStride) return;
    player.walked -= kStride;
    constexpr int kFeetSounds = static_cast<int>(std::size(game_sounds::kFootsteps));
    voices.Play(bank.Get(game_sounds::kFootsteps[player.nextFoot]), kFeet, 0.6f, true);
    player.nextFoot = (player.nextFoot + 1) % kFeetSounds;
}

// The wind blows on the surface, fainter down the ramp, not at all inside;
// thunder now and then, far off, only on the surface.
void WorldSounds::HearWeather(float dt) {
    const Level& level = *scene.level;
    const bool inside = level.Contains(ears.x, ears.z);
    const bool onRamp = IsOnRamp(ears.x, ears.z);
    wind.SetGain(inside ? 0.0f : onRamp ? 0.4f : 1.0f);
    if (inside || onRamp) return;
    untilThunder -= dt;
    if (untilThunder > 0.0f) return;
    untilThunder = kLeastThunderPause + kThunderPauseSpread * NextRandom();
    const float bearing = 6.2831853f * NextRandom();
    const Vector3 far{ears.x + 40.0f * std::cos(bearing), ears.y + 30.0f, ears.z + 40.0f * std::sin(bearing)};
    voices.Play(bank.Get(game_sounds::kThunder), far, 1.0f, false, kThunderReach);
}

void WorldSounds::PlayAt(const char* sound, const Vector3& position) {
    voices.Play(bank.Get(sound), position, Occlusion(position));
}

void WorldSounds::PlayAtListener(const char* sound) { voices.Play(bank.Get(sound), Vector3(), 1.0f, true); }

float WorldSounds::Occlusion(const Vector3& source) const {
    return OcclusionGain(*scene.level, scene.doors, ears, source);
}

// xorshift32, scaled to [0, 1).
float WorldSounds::NextRandom() {
    randomState ^= randomState << 13;
    randomState ^= randomState >> 17;
    randomState ^= randomState << 5;
    return static_cast<float>(randomState >> 8) / 16777216.0f;
}

namespace {

const char* PickupSound(const Pickup& pickup) {
    if (dynamic_cast<const Medikit*>(&pickup)) return game_sounds::kMedikitPickup;
    if (dynamic_cast<const Key*>(&pickup)) return game_sounds::kKeyPickup;
    // The weapon rack and the tool box.
    return game_sounds::kWeaponPickup;
}

// How far a door stands open, from 0 (shut) to 1: its leaves' slide or
// its slab's rise.
float OpenFraction(const Door& door) {
    if (const auto* sliding = dynamic_cast<const AutomaticDoor*>(&door))
        return sliding->Slide() / AutomaticDoor::kOpenSlide;
    return (door.position.y - LockedDoor::kClosedHeight) / (LockedDoor::kOpenHeight - LockedDoor::kClosedHeight);
}

// Where a creature's shot is while it flies.
const VorlaxProjectile* ShotOf(const Vorlax& creature) {
    for (const CObject& child : creature.Children())
        if (const auto* shot = dynamic_cast<const VorlaxProjectile*>(&child)) return shot;
    return nullptr;
}

}  // namespace

void WorldSounds::WatchObjects() {
    doors.clear();
    for (const CObject& object : scene.doors->Children())
        if (const auto* door = dynamic_cast<const Door*>(&object)) {
            const auto* locked = dynamic_cast<const LockedDoor*>(door);
            doors.push_back({door, locked, OpenFraction(*door), 0, locked ? locked->refusals : 0, false});
        }
    pickups.clear();
    for (const CObject& object : scene.pickups->Children())
        if (const auto* pickup = dynamic_cast<const Pickup*>(&object))
            pickups.push_back({pickup, PickupSound(*pickup), pickup->taken});
    creatures.clear();
    generators.clear();
    for (const CObject& object : scene.enemies->Children()) {
        if (const auto* creature = dynamic_cast<const Vorlax*>(&object))
            creatures.push_back({creature, creature->Charging(), creature->ShotInFlight(), creature->IsDead(),
                                 creature->position});
        if (const auto* generator = dynamic_cast<const Generator*>(&object))
            generators.push_back({generator, generator->Destroyed(), ondra::SoundSource(device)});
    }
    for (GeneratorWatch& watch : generators) {
        watch.hum.SetPosition({watch.generator->position.x, watch.generator->position.y, watch.generator->position.z});
        if (!watch.destroyed) watch.hum.Loop(bank.Get(game_sounds::kGeneratorHum));
    }
    bolts.clear();
    bolts.reserve(VoicePool::kVoices);
    boltsNow.reserve(VoicePool::kVoices);
}

// A door heard as it starts to move open or shut; a locked one as the
// player, without its key, first runs into it. How far it stands open
// tells: its state cannot, since every step leaves it closing and only
// the player's touch in the next frame sets it opening again. A step past
// either end, set back to the end the frame after, is no move.
void WorldSounds::HearDoors() {
    constexpr float kEnd = 0.005f;  // under either kind's step
    for (DoorWatch& watch : doors) {
        const float open = OpenFraction(*watch.door);
        const int motion = open > watch.open && open > kEnd ? 1 : open < watch.open && open < 1 - kEnd ? -1 : 0;
        if (motion != watch.motion && motion > 0) PlayAt(game_sounds::kDoorOpen, watch.door->position);
        if (motion != watch.motion && motion < 0) PlayAt(game_sounds::kDoorShut, watch.door->position);
        watch.open = open;
        watch.motion = motion;
        if (!watch.locked) continue;
        // Refused again each frame the player stays against it: heard once.
        const int refusals = watch.locked->refusals;
        const bool refusing = refusals > watch.refusals;
        if (refusing && !watch.refusing) PlayAt(game_sounds::kDoorLocked, watch.door->position);
        watch.refusals = refusals;
        watch.refusing = refusing;
    }
}

void WorldSounds::HearPickups() {
    for (PickupWatch& watch : pickups) {
        if (watch.pickup->taken && !watch.taken) PlayAt(watch.sound, watch.pickup->position);
        watch.taken = watch.pickup->taken;
    }
}

void WorldSounds::HearCreatures() {
    for (CreatureWatch& watch : creatures) {
        const Vorlax& creature = *watch.creature;
        if (creature.Charging() && !watch.charging) PlayAt(game_sounds::kCreatureCharge, creature.position);
        if (creature.ShotInFlight() && !watch.shooting) PlayAt(game_sounds::kCreatureShot, creature.position);
        if (!creature.ShotInFlight() && watch.shooting) PlayAt(game_sounds::kCreatureShotHit, watch.shotAt);
        if (creature.IsDead() && !watch.dead) {
            PlayAt(game_sounds::kCreatureHurt, creature.position);
            PlayAt(game_sounds::kCreatureDeath, creature.position);
        }
        if (const VorlaxProjectile* shot = ShotOf(creature)) watch.shotAt = shot->position;
        watch.charging = creature.Charging();
        watch.shooting = creature.ShotInFlight();
        watch.dead = creature.IsDead();
    }
}

// The hum, through whatever lies between it and the ears now, until the
// generator is wrecked.
void WorldSounds::HearGenerators() {
    for (GeneratorWatch& watch : generators) {
        const Generator& generator = *watch.generator;
        if (generator.Destroyed() && !watch.destroyed) {
            watch.hum.Stop();
            PlayAt(game_sounds::kGeneratorWreck, generator.position);
        }
        watch.destroyed = generator.Destroyed();
        if (!watch.destroyed) watch.hum.SetGain(Occlusion(generator.position));
    }
}

// The bolts in flight are found anew each frame (they come and go); one
// that has burst since the last frame is heard where it burst.
void WorldSounds::HearBolts() {
    boltsNow.clear();
    for (const CObject& object : scene.enemies->Children()) {
        const auto* bolt = dynamic_cast<const BoltProjectile*>(&object);
        if (!bolt || boltsNow.size() == boltsNow.capacity()) continue;
        bool wasExploded = false;
        for (const BoltWatch& before : bolts)
            if (before.bolt == bolt) wasExploded = before.exploded;
        if (bolt->Exploded() && !wasExploded) PlayAt(game_sounds::kBoltHit, bolt->position);
        boltsNow.push_back({bolt, bolt->Exploded()});
    }
    bolts.swap(boltsNow);
}
