// Encoding a SoundClip as a WAV file and saving it by replacement.
#include "framework/audio/wav_writer.h"

#include <algorithm>
#include <cmath>

#include "framework/platform/replace_file.h"

namespace ondra {

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void PutTag(std::vector<std::uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

// Unsigned around 128, rounded to the nearest step and kept in range.
std::uint8_t Narrowed(std::int16_t sample) {
    const int value = int(std::lround(sample / 256.0)) + 128;
    return std::uint8_t(std::clamp(value, 0, 255));
}

}  // namespace

std::vector<std::uint8_t> EncodeWav(const SoundClip& clip, int bits) {
    if (bits != 8) bits = 16;
    const std::uint64_t dataBytes = std::uint64_t(clip.Frames()) * clip.channels * (bits / 8);
    if (clip.channels < 1 || clip.rate < 1 || dataBytes + 44 > 0xFFFFFFFFu) return {};
    const std::uint32_t blockAlign = std::uint32_t(clip.channels * bits / 8);
    std::vector<std::uint8_t> out;
    out.reserve(std::size_t(44 + dataBytes + 1));
    PutTag(out, "RIFF");
    Put32(out, std::uint32_t(36 + dataBytes + (dataBytes & 1)));
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, std::uint32_t(clip.channels));
    Put32(out, std::uint32_t(clip.rate));
    Put32(out, std::uint32_t(clip.rate) * blockAlign);
    Put16(out, blockAlign);
    Put16(out, std::uint32_t(bits));
    PutTag(out, "data");
    Put32(out, std::uint32_t(dataBytes));
    const std::size_t samples = clip.Frames() * std::size_t(clip.channels);
    for (std::size_t i = 0; i < samples; ++i) {
        if (bits == 8) out.push_back(Narrowed(clip.samples[i]));
        else Put16(out, std::uint16_t(clip.samples[i]));
    }
    if (dataBytes & 1) out.push_back(0);  // chunks end on an even byte
    return out;
}

bool SaveWav(const char* fileName, const SoundClip& clip) {
    const std::vector<std::uint8_t> bytes = EncodeWav(clip);
    if (bytes.empty() || !fileName) return false;
    return platform::WriteReplacing(fileName, [&bytes](int fd) {
        return platform::WriteAll(fd, bytes.data(), bytes.size());
    });
}

}  // namespace ondra
