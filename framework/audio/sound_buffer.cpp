// SoundBuffer: samples copied into the library's buffer, which is deleted
// with the last holder.
#include "framework/audio/sound_buffer.h"

#include <climits>

#include "framework/audio/audio_backend.h"

namespace ondra {

SoundBuffer::SoundBuffer(AudioDevice& device, const int16_t* samples, std::size_t frames, int channels, int rate)
    : backend_(device.Backend()) {
    const bool fits = (channels == 1 || channels == 2) && rate > 0 && frames > 0 &&
                      frames <= INT_MAX / sizeof(int16_t) / static_cast<std::size_t>(channels);
    if (!fits || !backend_->Live()) return;
    const audio_detail::OpenAlApi& al = backend_->Al();
    al.alGetError();
    ALuint id = 0;
    al.alGenBuffers(1, &id);
    if (al.alGetError() != AL_NO_ERROR) return;
    const ALsizei bytes = static_cast<ALsizei>(frames * channels * sizeof(int16_t));
    al.alBufferData(id, channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16, samples, bytes, rate);
    if (al.alGetError() != AL_NO_ERROR) {
        al.alDeleteBuffers(1, &id);
        return;
    }
    id_ = id;
    seconds_ = static_cast<double>(frames) / rate;
}

SoundBuffer::~SoundBuffer() {
    if (id_ != 0 && backend_->Live()) {
        const ALuint id = id_;
        backend_->Al().alDeleteBuffers(1, &id);
    }
}

}  // namespace ondra
