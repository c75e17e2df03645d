// SoundBank: every sound the game plays, read from the data folder into
// the device's buffers once, before the first frame.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace ondra {
class AudioDevice;
class SoundBuffer;
}  // namespace ondra

class SoundBank {
public:
    // Reads each of the game's sound files from `dataDir`. A file that is
    // missing or cannot be read stays silent, said on standard error with
    // the file and the reason; the others play. Nothing is read for a
    // device that plays silent.
    SoundBank(ondra::AudioDevice& device, const std::string& dataDir);

    // The sound of that file name (one of game_sounds), or null when it
    // stays silent.
    const std::shared_ptr<const ondra::SoundBuffer>& Get(const char* name) const;

private:
    struct Entry {
        const char* name;
        std::shared_ptr<const ondra::SoundBuffer> buffer;
    };
    std::vector<Entry> entries;
};
