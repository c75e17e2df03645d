// The sounds the game plays, by their file names in the data folder:
// written once here, for the asset generator that makes them and the game
// that plays them.
#pragma once

namespace game_sounds {

// The player's weapon.
constexpr const char* kShot = "shot.wav";
constexpr const char* kBoltHit = "bolthit.wav";  // a bolt bursting on a wall or a creature
constexpr const char* kReload = "reload.wav";
// Picking up and using.
constexpr const char* kWeaponPickup = "getgun.wav";
constexpr const char* kMedikitPickup = "getmedi.wav";
constexpr const char* kKeyPickup = "getkey.wav";
constexpr const char* kMedikitUse = "heal.wav";
// Doors.
constexpr const char* kDoorOpen = "dooropen.wav";
constexpr const char* kDoorShut = "doorshut.wav";
constexpr const char* kDoorLocked = "doorlock.wav";  // a locked door, tried without its key
// Creatures and generators.
constexpr const char* kCreatureCharge = "vcharge.wav";
constexpr const char* kCreatureShot = "vshot.wav";
constexpr const char* kCreatureShotHit = "vshothit.wav";
constexpr const char* kCreatureHurt = "vhurt.wav";
constexpr const char* kCreatureDeath = "vdie.wav";
constexpr const char* kGeneratorHum = "genhum.wav";
constexpr const char* kGeneratorWreck = "genwreck.wav";
// The player.
constexpr const char* kPlayerHurt = "hurt.wav";
// Footsteps, taken in turn step by step.
constexpr const char* kFootsteps[] = {"step1.wav", "step2.wav"};
// The surface's weather.
constexpr const char* kWind = "wind.wav";
constexpr const char* kThunder = "thunder.wav";

// Every sound file, and whether it is made to play as a seamless loop.
struct SoundFile {
    const char* name;
    bool loops;
};
constexpr SoundFile kAllSounds[] = {
    {kShot, false},           {kBoltHit, false},         {kReload, false},         {kWeaponPickup, false},
    {kMedikitPickup, false},  {kKeyPickup, false},       {kMedikitUse, false},     {kDoorOpen, false},
    {kDoorShut, false},       {kDoorLocked, false},      {kCreatureCharge, false}, {kCreatureShot, false},
    {kCreatureShotHit, false}, {kCreatureHurt, false},   {kCreatureDeath, false},  {kGeneratorHum, true},
    {kGeneratorWreck, false}, {kPlayerHurt, false},      {kFootsteps[0], false},   {kFootsteps[1], false},
    {kWind, true},            {kThunder, false},
};

}  // namespace game_sounds
