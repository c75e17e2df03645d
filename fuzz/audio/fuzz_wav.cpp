// Fuzzes the WAV reader from memory. A sound it accepts must hold whole
// frames of one or two channels at a rate it allows.
#include "framework/audio/wav_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ondra::image_internal::MemorySource source(data, size);
    ondra::SoundClip clip;
    std::string reason;
    if (ondra::audio_internal::ReadWav(source, clip, reason)) {
        const bool sane = (clip.channels == 1 || clip.channels == 2) && clip.rate >= 1 &&
                          clip.rate <= ondra::kMaxWavRate && !clip.samples.empty() &&
                          clip.samples.size() % std::size_t(clip.channels) == 0 && clip.samples.size() <= size;
        if (!sane) __builtin_trap();
    } else if (reason.empty() || !clip.samples.empty()) {
        __builtin_trap();
    }
    return 0;
}
