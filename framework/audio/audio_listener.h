// AudioListener: the ears the sources are heard from, set from the camera
// each frame, and the master volume.
#pragma once

#include "framework/vec3.h"

namespace ondra {

namespace audio_detail {
class AudioBackend;
}

class AudioListener {
public:
    explicit AudioListener(audio_detail::AudioBackend& backend) : backend_(backend) {}

    void SetPosition(const Vec3& position);
    // `forward` is where the ears face, `up` the top of the head; a source
    // to the right of forward x up is heard in the right channel.
    void SetOrientation(const Vec3& forward, const Vec3& up);
    // 0 mutes everything, 1 is as the sounds were made.
    void SetGain(float gain);

private:
    audio_detail::AudioBackend& backend_;
};

}  // namespace ondra
