// AudioDevice: where the program's sound goes, the sound card or memory
// (rendered sample by sample, for files and tests), through the OpenAL 1.1
// library loaded at run time. Without the library or a device it plays
// silent: every call still works and does nothing, and one message on
// standard error says why.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "framework/audio/audio_listener.h"

namespace ondra {

namespace audio_detail {
class AudioBackend;
}

enum class AudioOutput {
    kSoundCard,  // the system's default output device
    kMemory,     // rendered on request by RenderSamples, in lockstep with the caller
};

struct AudioSettings {
    AudioOutput output = AudioOutput::kSoundCard;
    // The sound library's file; empty for the one the environment variable
    // ONDRA_SOUND_LIBRARY names, else the system's own (kDefaultAudioLibrary).
    // Tests name a missing or a stand-in one.
    std::string library;
    // Put before the one message about playing silent ("compound: ").
    std::string messagePrefix;
};

// The sound library's name where the system installs it.
extern const char* const kDefaultAudioLibrary;

class AudioDevice {
public:
    // What memory output renders: 44,100 frames a second, each a left and
    // a right 16-bit sample.
    static constexpr int kRenderRate = 44100;
    static constexpr int kRenderChannels = 2;

    explicit AudioDevice(const AudioSettings& settings = AudioSettings());
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // False once the device plays silent: never opened, or lost since.
    bool Audible() const;
    // Why it plays silent (empty while audible); said once on standard error.
    const std::string& SilenceReason() const;

    // Notices a sound card that went away (unplugged, its server gone)
    // and plays on silent. Cheap: call it once a frame.
    void Poll();

    // Memory output: mixes the next `frames` frames of everything playing
    // into `interleaved` (left, right, left, ...). Silence where the device
    // is silent or plays to the sound card.
    void RenderSamples(int16_t* interleaved, std::size_t frames);

    AudioListener& Listener() { return listener_; }

    // For the buffers and sources made on this device, which may outlive it.
    const std::shared_ptr<audio_detail::AudioBackend>& Backend() const { return backend_; }

private:
    std::shared_ptr<audio_detail::AudioBackend> backend_;
    AudioListener listener_;
};

}  // namespace ondra
