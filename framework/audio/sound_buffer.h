// SoundBuffer: one sound's samples handed to the sound library, played by
// any number of sources at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace ondra {

namespace audio_detail {
class AudioBackend;
}
class AudioDevice;

class SoundBuffer {
public:
    // `frames` frames of `channels` (1 or 2) interleaved 16-bit samples at
    // `rate` frames a second. Only mono sounds are placed in space; stereo
    // ones play as they are.
    SoundBuffer(AudioDevice& device, const int16_t* samples, std::size_t frames, int channels, int rate);
    ~SoundBuffer();
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    // False on a silent device or for samples the library refused.
    bool Loaded() const { return id_ != 0; }
    double Seconds() const { return seconds_; }
    unsigned Id() const { return id_; }

private:
    std::shared_ptr<audio_detail::AudioBackend> backend_;
    unsigned id_ = 0;
    double seconds_ = 0.0;
};

}  // namespace ondra
