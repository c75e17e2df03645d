// The WAV writer: a SoundClip as a RIFF file of plain PCM, the kind the
// WAV reader reads.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/audio/sound_clip.h"

namespace ondra {

// The whole file: the RIFF header, a 16-byte format chunk and the data.
// With `bits` 8 the samples are narrowed to unsigned bytes (rounded); any
// other value writes 16-bit samples. Empty when the clip has no channels
// or rate, or more data than a RIFF size can count.
std::vector<std::uint8_t> EncodeWav(const SoundClip& clip, int bits = 16);

// Writes EncodeWav(clip) to `fileName`, replacing an older file only once
// the new one is complete; false when anything failed.
bool SaveWav(const char* fileName, const SoundClip& clip);

}  // namespace ondra
