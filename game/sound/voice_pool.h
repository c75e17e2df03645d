// VoicePool: the sources the game's one-off sounds play on, made once, so
// that a shot or a footstep costs no allocation. When every voice is busy
// the one started longest ago gives way.
#pragma once

#include <memory>
#include <vector>

#include "framework/audio/sound_source.h"
#include "game/core/vector3.h"

namespace ondra {
class AudioDevice;
class SoundBuffer;
}  // namespace ondra

class VoicePool {
public:
    static constexpr int kVoices = 24;

    explicit VoicePool(ondra::AudioDevice& device);

    // Plays `buffer` once at `position` in the world at `gain` (at most 1);
    // with `atListener` the position is taken from the listener's ears
    // instead. Its level halves at twice `reach` away. A null buffer plays
    // nothing.
    void Play(const std::shared_ptr<const ondra::SoundBuffer>& buffer, const Vector3& position, float gain,
              bool atListener = false, float reach = 1.0f);

private:
    std::vector<ondra::SoundSource> voices;
    size_t next = 0;
};
