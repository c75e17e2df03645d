// SoundSource: one voice in the world, owned by what makes the sound. It
// plays a buffer once or in a loop at its position, gain and pitch, and is
// stopped and freed with its owner.
#pragma once

#include <memory>

#include "framework/vec3.h"

namespace ondra {

namespace audio_detail {
class AudioBackend;
}
class AudioDevice;
class SoundBuffer;

class SoundSource {
public:
    explicit SoundSource(AudioDevice& device);
    ~SoundSource();
    SoundSource(SoundSource&& other) noexcept;
    SoundSource& operator=(SoundSource&& other) noexcept;
    SoundSource(const SoundSource&) = delete;
    SoundSource& operator=(const SoundSource&) = delete;

    // Starts `buffer` from its beginning, cutting off what played before.
    // The source keeps the buffer while it may play it.
    void Play(std::shared_ptr<const SoundBuffer> buffer);
    void Loop(std::shared_ptr<const SoundBuffer> buffer);
    void Stop();
    bool Playing() const;

    void SetPosition(const Vec3& position);
    // Multiplies the buffer's level; 1 as made.
    void SetGain(float gain);
    // 2 plays an octave higher and twice as fast.
    void SetPitch(float pitch);
    // Where the level starts to fall with distance: half of it at twice
    // this distance, a third at three times (1 unless set).
    void SetReferenceDistance(float distance);
    // Positions relative to the listener instead of the world: the
    // player's own sounds, at 0 0 0, stay with the ears.
    void SetRelativeToListener(bool relative);

private:
    void Start(std::shared_ptr<const SoundBuffer> buffer, bool loop);
    void Release();

    std::shared_ptr<audio_detail::AudioBackend> backend_;
    std::shared_ptr<const SoundBuffer> buffer_;
    unsigned id_ = 0;
};

}  // namespace ondra
