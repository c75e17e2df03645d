// SoundClip: a sound held in memory as 16-bit samples, what the WAV reader
// gives and the WAV writer takes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ondra {

struct SoundClip {
    // Interleaved by frame (left, right, left, ... for stereo).
    std::vector<std::int16_t> samples;
    int channels = 0;  // 1 or 2
    int rate = 0;      // frames a second

    std::size_t Frames() const { return channels > 0 ? samples.size() / std::size_t(channels) : 0; }
    double Seconds() const { return rate > 0 ? double(Frames()) / rate : 0.0; }
};

}  // namespace ondra
