// The game's sounds: each file the game plays, made by its recipe.
#pragma once

#include "tools/assetgen/output_folder.h"

#include "framework/audio/sound_clip.h"

#include <vector>

namespace assetgen {

struct MadeSound {
    const char* name;  // the file, as the game names it
    ondra::SoundClip clip;
};

// Every sound the game plays, in the game's order of its sound files.
std::vector<MadeSound> MakeSounds();

// Writes every sound into the folder as a 16-bit mono WAV file.
void WriteSounds(OutputFolder& out);

}  // namespace assetgen
