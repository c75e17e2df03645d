// Which recipe makes which of the game's sound files.
#include "tools/assetgen/sounds.h"

#include "tools/assetgen/sound_recipes.h"

#include "game/level_file/sound_names.h"

#include <cstdio>
#include <cstring>
#include <functional>

namespace assetgen {

namespace {

struct Recipe {
    const char* name;
    std::function<ondra::SoundClip()> make;
};

const Recipe kRecipes[] = {
    {game_sounds::kShot, MakeShot},
    {game_sounds::kBoltHit, MakeBoltHit},
    {game_sounds::kReload, MakeReload},
    {game_sounds::kWeaponPickup, MakeWeaponPickup},
    {game_sounds::kMedikitPickup, MakeMedikitPickup},
    {game_sounds::kKeyPickup, MakeKeyPickup},
    {game_sounds::kMedikitUse, MakeMedikitUse},
    {game_sounds::kDoorOpen, MakeDoorOpen},
    {game_sounds::kDoorShut, MakeDoorShut},
    {game_sounds::kDoorLocked, MakeDoorLocked},
    {game_sounds::kCreatureCharge, MakeCreatureCharge},
    {game_sounds::kCreatureShot, MakeCreatureShot},
    {game_sounds::kCreatureShotHit, MakeCreatureShotHit},
    {game_sounds::kCreatureHurt, MakeCreatureHurt},
    {game_sounds::kCreatureDeath, MakeCreatureDeath},
    {game_sounds::kGeneratorHum, MakeGeneratorHum},
    {game_sounds::kGeneratorWreck, MakeGeneratorWreck},
    {game_sounds::kPlayerHurt, MakePlayerHurt},
    {game_sounds::kFootsteps[0], [] { return MakeFootstep(0); }},
    {game_sounds::kFootsteps[1], [] { return MakeFootstep(1); }},
    {game_sounds::kWind, MakeWind},
    {game_sounds::kThunder, MakeThunder},
};

const Recipe* RecipeFor(const char* name)
{
    for (const Recipe& recipe : kRecipes)
        if (std::strcmp(recipe.name, name) == 0) return &recipe;
    return nullptr;
}

}  // namespace

std::vector<MadeSound> MakeSounds()
{
    std::vector<MadeSound> sounds;
    for (const game_sounds::SoundFile& file : game_sounds::kAllSounds) {
        const Recipe* recipe = RecipeFor(file.name);
        sounds.push_back({file.name, recipe ? recipe->make() : ondra::SoundClip()});
    }
    return sounds;
}

void WriteSounds(OutputFolder& out)
{
    // A sound without a recipe has no samples; saving it fails and is
    // reported like any other file that could not be written.
    for (const MadeSound& sound : MakeSounds()) out.SaveSound(sound.name, sound.clip);
}

}  // namespace assetgen
