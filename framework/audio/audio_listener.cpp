// AudioListener: the listener's properties, passed on while the device
// plays.
#include "framework/audio/audio_listener.h"

#include "framework/audio/audio_backend.h"

namespace ondra {

void AudioListener::SetPosition(const Vec3& position) {
    if (!backend_.Live()) return;
    backend_.Al().alListener3f(AL_POSITION, position.x, position.y, position.z);
}

void AudioListener::SetOrientation(const Vec3& forward, const Vec3& up) {
    if (!backend_.Live()) return;
    const ALfloat orientation[6] = {forward.x, forward.y, forward.z, up.x, up.y, up.z};
    backend_.Al().alListenerfv(AL_ORIENTATION, orientation);
}

void AudioListener::SetGain(float gain) {
    if (!backend_.Live()) return;
    backend_.Al().alListenerf(AL_GAIN, gain < 0.0f ? 0.0f : gain);
}

}  // namespace ondra
