// Choosing a voice: the next free one, else the oldest.
#include "game/sound/voice_pool.h"

#include "framework/audio/audio_device.h"

VoicePool::VoicePool(ondra::AudioDevice& device) {
    voices.reserve(kVoices);
    for (int i = 0; i < kVoices; ++i) voices.emplace_back(device);
}

void VoicePool::Play(const std::shared_ptr<const ondra::SoundBuffer>& buffer, const Vector3& position, float gain,
                     bool atListener, float reach) {
    if (!buffer) return;
    size_t chosen = next;
    for (size_t tried = 0; tried < voices.size(); ++tried) {
        const size_t i = (next + tried) % voices.size();
        if (!voices[i].Playing()) {
            chosen = i;
            break;
        }
    }
    next = (chosen + 1) % voices.size();
    ondra::SoundSource& voice = voices[chosen];
    voice.SetRelativeToListener(atListener);
    voice.SetPosition({position.x, position.y, position.z});
    voice.SetGain(gain);
    voice.SetReferenceDistance(reach);
    voice.Play(buffer);
}
