// SoundSource: one library source, generated with the object and deleted
// (stopping it) with it.
#include "framework/audio/sound_source.h"

#include <utility>

#include "framework/audio/audio_backend.h"
#include "framework/audio/sound_buffer.h"

namespace ondra {

SoundSource::SoundSource(AudioDevice& device) : backend_(device.Backend()) {
    if (!backend_->Live()) return;
    const audio_detail::OpenAlApi& al = backend_->Al();
    al.alGetError();
    ALuint id = 0;
    al.alGenSources(1, &id);
    // Past the library's number of sources this one stays mute.
    if (al.alGetError() == AL_NO_ERROR) id_ = id;
}

SoundSource::~SoundSource() { Release(); }

SoundSource::SoundSource(SoundSource&& other) noexcept
    : backend_(std::move(other.backend_)), buffer_(std::move(other.buffer_)), id_(std::exchange(other.id_, 0)) {}

SoundSource& SoundSource::operator=(SoundSource&& other) noexcept {
    if (this != &other) {
        Release();
        backend_ = std::move(other.backend_);
        buffer_ = std::move(other.buffer_);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

void SoundSource::Release() {
    if (id_ != 0 && backend_->Live()) {
        const audio_detail::OpenAlApi& al = backend_->Al();
        const ALuint id = id_;
        al.alSourceStop(id);
        al.alDeleteSources(1, &id);
    }
    id_ = 0;
    buffer_.reset();
}

void SoundSource::Play(std::shared_ptr<const SoundBuffer> buffer) { Start(std::move(buffer), false); }

void SoundSource::Loop(std::shared_ptr<const SoundBuffer> buffer) { Start(std::move(buffer), true); }

void SoundSource::Start(std::shared_ptr<const SoundBuffer> buffer, bool loop) {
    if (id_ == 0 || !backend_->Live()) return;
    const audio_detail::OpenAlApi& al = backend_->Al();
    // A buffer is attached only to a stopped source.
    al.alSourceStop(id_);
    if (!buffer || !buffer->Loaded()) {
        al.alSourcei(id_, AL_BUFFER, 0);
        buffer_.reset();
        return;
    }
    if (buffer != buffer_) {
        al.alSourcei(id_, AL_BUFFER, static_cast<ALint>(buffer->Id()));
        buffer_ = std::move(buffer);
    }
    al.alSourcei(id_, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
    al.alSourcePlay(id_);
}

void SoundSource::Stop() {
    if (id_ == 0 || !backend_->Live()) return;
    backend_->Al().alSourceStop(id_);
}

bool SoundSource::Playing() const {
    if (id_ == 0 || !backend_->Live()) return false;
    ALint state = AL_STOPPED;
    backend_->Al().alGetSourcei(id_, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

void SoundSource::SetPosition(const Vec3& position) {
    if (id_ == 0 || !backend_->Live()) return;
    backend_->Al().alSource3f(id_, AL_POSITION, position.x, position.y, position.z);
}

void SoundSource::SetGain(float gain) {
    if (id_ == 0 || !backend_->Live()) return;
    backend_->Al().alSourcef(id_, AL_GAIN, gain < 0.0f ? 0.0f : gain);
}

void SoundSource::SetPitch(float pitch) {
    if (id_ == 0 || !backend_->Live()) return;
    backend_->Al().alSourcef(id_, AL_PITCH, pitch > 0.0f ? pitch : 1.0f);
}

void SoundSource::SetReferenceDistance(float distance) {
    if (id_ == 0 || !backend_->Live()) return;
    backend_->Al().alSourcef(id_, AL_REFERENCE_DISTANCE, distance > 0.0f ? distance : 1.0f);
}

void SoundSource::SetRelativeToListener(bool relative) {
    if (id_ == 0 || !backend_->Live()) return;
    backend_->Al().alSourcei(id_, AL_SOURCE_RELATIVE, relative ? AL_TRUE : AL_FALSE);
}

}  // namespace ondra
