// Opening the sound library and a device, falling back to silence with one
// message at whichever step fails, and noticing a device that goes away.
#include "framework/audio/audio_backend.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/platform/quiet_standard_error.h"

namespace ondra::audio_detail {

namespace {

// The backend whose context is current in the library, so that a switch
// costs a call only when two devices take turns (tests do).
const AudioBackend* currentBackend = nullptr;

}  // namespace

AudioBackend::AudioBackend(const AudioSettings& settings) : messagePrefix_(settings.messagePrefix) {
    memory_ = settings.output == AudioOutput::kMemory;
    // ONDRA_SOUND_LIBRARY names another library, so that a test can hide
    // the system's from a whole program.
    const char* fromEnvironment = std::getenv("ONDRA_SOUND_LIBRARY");
    const std::string name = !settings.library.empty()                     ? settings.library
                             : fromEnvironment && *fromEnvironment != '\0' ? fromEnvironment
                                                                           : kDefaultAudioLibrary;
    bool opened = false;
    {
        // The library and the system's sound layers under it print their
        // own complaints while they look for a device; ours follows.
        platform::QuietStandardError quiet;
        opened = Load(name) && (memory_ ? OpenMemory() : OpenSoundCard());
    }
    live_ = opened;
    if (!opened) {
        Close();
        GoSilent(silenceReason_);
    }
}

AudioBackend::~AudioBackend() { Close(); }

bool AudioBackend::Load(const std::string& name) {
    if (!library_.Open(name)) {
        silenceReason_ = "cannot load the sound library " + library_.Error();
        return false;
    }
    std::string missing;
    if (!BindOpenAl(library_, al_, missing)) {
        silenceReason_ = "the sound library " + name + " lacks " + missing;
        return false;
    }
    return true;
}

bool AudioBackend::OpenSoundCard() {
    device_ = al_.alcOpenDevice(nullptr);
    if (!device_) {
        silenceReason_ = "no sound device";
        return false;
    }
    sensesDisconnect_ = al_.alcIsExtensionPresent(device_, "ALC_EXT_disconnect");
    return StartContext(nullptr);
}

bool AudioBackend::OpenMemory() {
    if (!BindLoopback(al_)) {
        silenceReason_ = "the sound library cannot render into memory (no ALC_SOFT_loopback)";
        return false;
    }
    // Floating-point samples, rounded here: the library dithers integer
    // output, which would put noise into silence.
    device_ = al_.alcLoopbackOpenDeviceSOFT(nullptr);
    if (!device_ || !al_.alcIsRenderFormatSupportedSOFT(device_, AudioDevice::kRenderRate, ALC_STEREO_SOFT,
                                                         ALC_FLOAT_SOFT)) {
        silenceReason_ = "the sound library cannot render stereo at 44,100 Hz into memory";
        return false;
    }
    const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT, ALC_FLOAT_SOFT,
                                 ALC_FREQUENCY, AudioDevice::kRenderRate, 0};
    return StartContext(attributes);
}

bool AudioBackend::StartContext(const ALCint* attributes) {
    context_ = al_.alcCreateContext(device_, attributes);
    if (!context_ || !al_.alcMakeContextCurrent(context_)) {
        silenceReason_ = "the sound device refused a context";
        return false;
    }
    currentBackend = this;
    al_.alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    return true;
}

void AudioBackend::Close() {
    if (context_) {
        al_.alcMakeContextCurrent(nullptr);
        al_.alcDestroyContext(context_);
    }
    if (currentBackend == this) currentBackend = nullptr;
    if (device_) al_.alcCloseDevice(device_);
    context_ = nullptr;
    device_ = nullptr;
    live_ = false;
}

void AudioBackend::GoSilent(const std::string& reason) {
    live_ = false;
    silenceReason_ = reason;
    std::fprintf(stderr, "%splaying without sound: %s\n", messagePrefix_.c_str(), reason.c_str());
}

const OpenAlApi& AudioBackend::Al() {
    if (currentBackend != this) {
        al_.alcMakeContextCurrent(context_);
        currentBackend = this;
    }
    return al_;
}

void AudioBackend::Poll() {
    if (!live_ || !sensesDisconnect_) return;
    ALCint connected = 1;
    al_.alcGetIntegerv(device_, ALC_CONNECTED, 1, &connected);
    if (!connected) GoSilent("the sound device went away");
}

void AudioBackend::Render(int16_t* interleaved, std::size_t frames) {
    if (!live_ || !memory_) {
        std::memset(interleaved, 0, frames * AudioDevice::kRenderChannels * sizeof(int16_t));
        return;
    }
    const OpenAlApi& al = Al();
    while (frames > 0) {
        const std::size_t now = frames < kRenderChunk ? frames : kRenderChunk;
        al.alcRenderSamplesSOFT(device_, mixed_, static_cast<ALCsizei>(now));
        const std::size_t samples = now * AudioDevice::kRenderChannels;
        for (std::size_t i = 0; i < samples; ++i) {
            const float scaled = std::nearbyint(mixed_[i] * 32768.0f);
            interleaved[i] = static_cast<int16_t>(std::clamp(scaled, -32768.0f, 32767.0f));
        }
        interleaved += samples;
        frames -= now;
    }
}

}  // namespace ondra::audio_detail
