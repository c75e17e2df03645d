// AudioBackend: the sound library, device and context one AudioDevice
// opened, shared with the buffers and sources made on it so that whichever
// goes last closes them. While it plays silent every caller skips the
// library.
#pragma once

#include <string>

#include "framework/audio/audio_device.h"
#include "framework/audio/openal_api.h"
#include "framework/platform/shared_library.h"

namespace ondra::audio_detail {

class AudioBackend {
public:
    explicit AudioBackend(const AudioSettings& settings);
    ~AudioBackend();
    AudioBackend(const AudioBackend&) = delete;
    AudioBackend& operator=(const AudioBackend&) = delete;

    bool Live() const { return live_; }
    const std::string& SilenceReason() const { return silenceReason_; }
    // The library's functions with this backend's context current (the
    // library keeps one current context for the whole process). Only while
    // Live().
    const OpenAlApi& Al();

    void Poll();
    void Render(int16_t* interleaved, std::size_t frames);

private:
    bool Load(const std::string& name);
    bool OpenSoundCard();
    bool OpenMemory();
    bool StartContext(const ALCint* attributes);
    void Close();
    void GoSilent(const std::string& reason);

    // Memory output is mixed in pieces of this many frames.
    static constexpr std::size_t kRenderChunk = 1024;

    platform::SharedLibrary library_;
    OpenAlApi al_;
    ALCdevice* device_ = nullptr;
    ALCcontext* context_ = nullptr;
    bool live_ = false;
    bool memory_ = false;
    bool sensesDisconnect_ = false;
    std::string messagePrefix_;
    std::string silenceReason_;
    float mixed_[kRenderChunk * AudioDevice::kRenderChannels] = {};
};

}  // namespace ondra::audio_detail
