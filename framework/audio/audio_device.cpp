// AudioDevice: the public face of the backend it opened.
#include "framework/audio/audio_device.h"

#include "framework/audio/audio_backend.h"

namespace ondra {

// Set by the build for the target system: libopenal.so.1, OpenAL32.dll.
const char* const kDefaultAudioLibrary = ONDRA_OPENAL_LIBRARY;

AudioDevice::AudioDevice(const AudioSettings& settings)
    : backend_(std::make_shared<audio_detail::AudioBackend>(settings)), listener_(*backend_) {}

AudioDevice::~AudioDevice() = default;

bool AudioDevice::Audible() const { return backend_->Live(); }

const std::string& AudioDevice::SilenceReason() const { return backend_->SilenceReason(); }

void AudioDevice::Poll() { backend_->Poll(); }

void AudioDevice::RenderSamples(int16_t* interleaved, std::size_t frames) { backend_->Render(interleaved, frames); }

}  // namespace ondra
