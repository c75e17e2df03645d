// The WAV reader: RIFF files of plain PCM, 8- or 16-bit, mono or stereo, at
// any rate up to 192,000 Hz. It is safe on any input: nothing is allocated
// before the file is known to hold it, and a file it cannot read is turned
// down with a message that names the file and the reason.
#pragma once

#include <cstdint>
#include <string>

#include "framework/audio/sound_clip.h"
#include "framework/image/byte_source.h"

namespace ondra {

// Rates above this are refused: no sound card plays them, and a rate read
// from a broken header would otherwise pass as a very short sound.
constexpr int kMaxWavRate = 192000;
// Sample data beyond this is refused (over six minutes of 16-bit stereo at
// 44,100 Hz, far longer than any sound a game plays).
constexpr std::uint64_t kMaxWavDataBytes = std::uint64_t(64) << 20;

// Reads `fileName` into `clip`, 8-bit samples widened to 16 bits. On
// failure `clip` is left empty and `message` says "FILE: reason".
bool LoadWav(const char* fileName, SoundClip& clip, std::string& message);

namespace audio_internal {

// The reader behind LoadWav, on any byte source; `reason` without the
// file's name.
bool ReadWav(image_internal::ByteSource& source, SoundClip& clip, std::string& reason);

}  // namespace audio_internal
}  // namespace ondra
