// The recipes of the game's sounds, one function each, grouped by who
// makes the sound; sounds.cpp gives each its file.
#pragma once

#include "framework/audio/sound_clip.h"

namespace assetgen {

// The player's weapon (weapon_sounds.cpp).
ondra::SoundClip MakeShot();
ondra::SoundClip MakeBoltHit();
ondra::SoundClip MakeReload();
ondra::SoundClip MakeWeaponPickup();

// Pickups, doors and the player (item_sounds.cpp, door_sounds.cpp).
ondra::SoundClip MakeMedikitPickup();
ondra::SoundClip MakeKeyPickup();
ondra::SoundClip MakeMedikitUse();
ondra::SoundClip MakeDoorOpen();
ondra::SoundClip MakeDoorShut();
ondra::SoundClip MakeDoorLocked();
ondra::SoundClip MakePlayerHurt();
// Step `which` (0 or 1): two steps, so that walking does not tick.
ondra::SoundClip MakeFootstep(int which);

// Creatures and generators (creature_sounds.cpp).
ondra::SoundClip MakeCreatureCharge();
ondra::SoundClip MakeCreatureShot();
ondra::SoundClip MakeCreatureShotHit();
ondra::SoundClip MakeCreatureHurt();
ondra::SoundClip MakeCreatureDeath();
ondra::SoundClip MakeGeneratorHum();
ondra::SoundClip MakeGeneratorWreck();

// The surface (weather_sounds.cpp).
ondra::SoundClip MakeWind();
ondra::SoundClip MakeThunder();

}  // namespace assetgen
