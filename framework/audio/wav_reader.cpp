// The WAV reader: the RIFF header, a walk over the chunks to the format and
// the data, and the samples. Every size read from the file is held against
// the file's real length before anything is read or allocated for it.
#include "framework/audio/wav_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace ondra {
namespace audio_internal {

namespace {

using image_internal::ByteSource;
using image_internal::LittleEndian16;
using image_internal::LittleEndian32;

constexpr std::uint64_t kRiffHeaderSize = 12;
constexpr std::uint64_t kChunkHeaderSize = 8;
constexpr std::uint32_t kPlainFormatSize = 16;
constexpr std::uint32_t kExtensibleFormatSize = 40;
constexpr std::uint16_t kPcmTag = 1;
constexpr std::uint16_t kExtensibleTag = 0xFFFE;
// Writers put a few chunks (a list of notes, a fact, padding) before the
// data; a file with more is not a sound, and walking it would only waste
// time on a long file of empty chunks.
constexpr int kMaxChunksBeforeData = 1000;
// The sub-format that says "PCM" in an extensible format chunk, after its
// first two bytes (the plain format tag).
constexpr std::uint8_t kPcmGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                           0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

struct Chunk {
    char id[4];
    std::uint32_t size = 0;
    std::uint64_t body = 0;  // where its bytes start

    bool Is(const char* name) const { return std::memcmp(id, name, 4) == 0; }
};

struct Format {
    std::uint16_t tag = 0;
    std::uint16_t channels = 0;
    std::uint32_t rate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bits = 0;
    bool pcmGuid = false;  // an extensible chunk's sub-format is PCM
};

bool Fail(std::string& reason, std::string why) {
    reason = std::move(why);
    return false;
}

std::string Count(std::uint64_t value) { return std::to_string(value); }

bool ReadRiffHeader(ByteSource& source, std::string& reason) {
    std::uint8_t header[kRiffHeaderSize];
    if (source.Size() < kRiffHeaderSize || !source.Seek(0) || !source.ReadExactly(header, sizeof header))
        return Fail(reason, "too short for a WAV file (" + Count(source.Size()) + " bytes)");
    if (std::memcmp(header, "RIFF", 4) != 0) return Fail(reason, "not a WAV file (no RIFF header)");
    if (std::memcmp(header + 8, "WAVE", 4) != 0) return Fail(reason, "a RIFF file, but not of WAVE sound");
    return true;
}

// The chunk header at `offset`; false at the end of the file.
bool ReadChunkHeader(ByteSource& source, std::uint64_t offset, Chunk& chunk) {
    std::uint8_t header[kChunkHeaderSize];
    if (source.Size() < offset || source.Size() - offset < kChunkHeaderSize) return false;
    if (!source.Seek(offset) || !source.ReadExactly(header, sizeof header)) return false;
    std::memcpy(chunk.id, header, 4);
    chunk.size = LittleEndian32(header + 4);
    chunk.body = offset + kChunkHeaderSize;
    return true;
}

bool FitsInFile(const ByteSource& source, const Chunk& chunk) {
    return chunk.body <= source.Size() && chunk.size <= source.Size() - chunk.body;
}

bool ReadFormatChunk(ByteSource& source, const Chunk& chunk, Format& format, std::string& reason) {
    if (chunk.size < kPlainFormatSize)
        return Fail(reason, "the format chunk is too short (" + Count(chunk.size) + " bytes)");
    if (!FitsInFile(source, chunk)) return Fail(reason, "the format chunk runs past the end of the file");
    std::uint8_t bytes[kExtensibleFormatSize] = {};
    const std::size_t wanted = std::min<std::size_t>(chunk.size, sizeof bytes);
    if (!source.Seek(chunk.body) || !source.ReadExactly(bytes, wanted))
        return Fail(reason, "the format chunk cannot be read");
    format.tag = LittleEndian16(bytes);
    format.channels = LittleEndian16(bytes + 2);
    format.rate = LittleEndian32(bytes + 4);
    format.blockAlign = LittleEndian16(bytes + 12);
    format.bits = LittleEndian16(bytes + 14);
    format.pcmGuid = wanted == kExtensibleFormatSize && LittleEndian16(bytes + 24) == kPcmTag &&
                     std::memcmp(bytes + 26, kPcmGuidTail, sizeof kPcmGuidTail) == 0;
    return true;
}

bool CheckFormat(const Format& format, std::string& reason) {
    const bool pcm = format.tag == kPcmTag || (format.tag == kExtensibleTag && format.pcmGuid);
    if (!pcm) return Fail(reason, "not PCM sound (format " + Count(format.tag) + "); only PCM is read");
    if (format.channels == 0) return Fail(reason, "no channels");
    if (format.channels > 2)
        return Fail(reason, Count(format.channels) + " channels; only mono and stereo are read");
    if (format.rate == 0) return Fail(reason, "a rate of 0 Hz");
    if (format.rate > std::uint32_t(kMaxWavRate))
        return Fail(reason, "a rate of " + Count(format.rate) + " Hz, above " + Count(kMaxWavRate) + " Hz");
    if (format.bits != 8 && format.bits != 16)
        return Fail(reason, Count(format.bits) + "-bit samples; only 8- and 16-bit samples are read");
    if (format.blockAlign != format.channels * format.bits / 8)
        return Fail(reason, "frames of " + Count(format.blockAlign) + " bytes, not " +
                                Count(format.channels * format.bits / 8) + " as the format says");
    return true;
}

// 8-bit samples are unsigned around 128; they are widened in pieces so that
// no second buffer of the whole data is needed.
bool ReadWidened(ByteSource& source, std::vector<std::int16_t>& samples) {
    std::uint8_t piece[4096];
    for (std::size_t at = 0; at < samples.size();) {
        const std::size_t n = std::min(sizeof piece, samples.size() - at);
        if (!source.ReadExactly(piece, n)) return false;
        for (std::size_t i = 0; i < n; ++i) samples[at + i] = std::int16_t((piece[i] - 128) * 256);
        at += n;
    }
    return true;
}

// 16-bit samples are little-endian whatever the machine's order.
bool ReadLittleEndian(ByteSource& source, std::vector<std::int16_t>& samples) {
    auto* bytes = reinterpret_cast<std::uint8_t*>(samples.data());
    if (!source.ReadExactly(bytes, samples.size() * 2)) return false;
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = std::int16_t(LittleEndian16(bytes + 2 * i));
    return true;
}

bool ReadSamples(ByteSource& source, const Chunk& chunk, const Format& format, SoundClip& clip,
                 std::string& reason) {
    if (!FitsInFile(source, chunk))
        return Fail(reason, "the data chunk holds " + Count(chunk.size) + " bytes, but the file ends " +
                                Count(source.Size() - std::min(source.Size(), chunk.body)) + " bytes after its start");
    if (chunk.size > kMaxWavDataBytes)
        return Fail(reason, "the data chunk holds " + Count(chunk.size) + " bytes, more than the " +
                                Count(kMaxWavDataBytes) + " a sound may have");
    // A last frame cut short is left out.
    const std::size_t frames = chunk.size / format.blockAlign;
    if (frames == 0) return Fail(reason, "no samples");
    if (!source.Seek(chunk.body)) return Fail(reason, "the data chunk cannot be read");
    clip.samples.resize(frames * format.channels);
    const bool read = format.bits == 8 ? ReadWidened(source, clip.samples) : ReadLittleEndian(source, clip.samples);
    if (!read) return Fail(reason, "the data chunk cannot be read");
    clip.channels = format.channels;
    clip.rate = int(format.rate);
    return true;
}

// Walks the chunks to the data, reading the format on the way. Each step
// moves on by at least a chunk header and the steps are counted, so no
// file can keep the walk going.
bool WalkToData(ByteSource& source, SoundClip& clip, std::string& reason) {
    Format format;
    bool haveFormat = false;
    std::uint64_t offset = kRiffHeaderSize;
    for (int chunks = 0; chunks < kMaxChunksBeforeData; ++chunks) {
        Chunk chunk;
        if (!ReadChunkHeader(source, offset, chunk))
            return Fail(reason, haveFormat ? "no data chunk" : "no format chunk");
        if (chunk.Is("fmt ")) {
            if (!ReadFormatChunk(source, chunk, format, reason) || !CheckFormat(format, reason)) return false;
            haveFormat = true;
        } else if (chunk.Is("data")) {
            if (!haveFormat) return Fail(reason, "the data chunk comes before the format chunk");
            return ReadSamples(source, chunk, format, clip, reason);
        }
        // Chunks are padded to an even length.
        offset = chunk.body + chunk.size + (chunk.size & 1);
    }
    return Fail(reason, "more than " + Count(kMaxChunksBeforeData) + " chunks before the data");
}

}  // namespace

bool ReadWav(ByteSource& source, SoundClip& clip, std::string& reason) {
    clip = SoundClip();
    if (ReadRiffHeader(source, reason) && WalkToData(source, clip, reason)) return true;
    clip = SoundClip();
    return false;
}

}  // namespace audio_internal

bool LoadWav(const char* fileName, SoundClip& clip, std::string& message) {
    clip = SoundClip();
    if (!fileName) {
        message = "no file named";
        return false;
    }
    const std::string name = fileName;
    image_internal::FileSource source;
    if (!source.Open(fileName)) {
        const int error = errno;
        message = name + ": " + (error == EINVAL ? "not a regular file" : std::strerror(error));
        return false;
    }
    std::string reason;
    if (audio_internal::ReadWav(source, clip, reason)) return true;
    message = name + ": " + reason;
    return false;
}

}  // namespace ondra
