// Reading the game's sound files.
#include "game/sound/sound_bank.h"

#include <cstdio>
#include <cstring>

#include "framework/audio/audio_device.h"
#include "framework/audio/sound_buffer.h"
#include "framework/audio/wav_reader.h"
#include "game/level_file/sound_names.h"

SoundBank::SoundBank(ondra::AudioDevice& device, const std::string& dataDir) {
    for (const game_sounds::SoundFile& file : game_sounds::kAllSounds) {
        entries.push_back({file.name, nullptr});
        if (!device.Audible()) continue;
        ondra::SoundClip clip;
        std::string message;
        const std::string path = dataDir + "/" + file.name;
        if (!ondra::LoadWav(path.c_str(), clip, message)) {
            std::fprintf(stderr, "compound: %s; that sound stays silent\n", message.c_str());
            continue;
        }
        entries.back().buffer =
            std::make_shared<ondra::SoundBuffer>(device, clip.samples.data(), clip.Frames(), clip.channels, clip.rate);
    }
}

const std::shared_ptr<const ondra::SoundBuffer>& SoundBank::Get(const char* name) const {
    static const std::shared_ptr<const ondra::SoundBuffer> none;
    for (const Entry& entry : entries)
        if (std::strcmp(entry.name, name) == 0) return entry.buffer;
    return none;
}
