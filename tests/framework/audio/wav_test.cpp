// The WAV reader and writer: every format read back as written, with the
// chunks other writers add, and broken files refused with the file's name
// and the reason.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "framework/audio/wav_reader.h"
#include "framework/audio/wav_writer.h"
#include "tests/support/scratch_folder.h"

namespace ondra {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A clip whose samples all differ; with `coarse` they are multiples of 256,
// which 8 bits carry exactly.
SoundClip Clip(int channels, int rate, int frames, bool coarse) {
    SoundClip clip;
    clip.channels = channels;
    clip.rate = rate;
    for (int i = 0; i < frames * channels; ++i) {
        const int value = (i * 7919) % 65536 - 32768;
        clip.samples.push_back(std::int16_t(coarse ? value / 256 * 256 : value));
    }
    return clip;
}

void Put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = std::uint8_t(value >> (8 * i));
}

void Put16(Bytes& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = std::uint8_t(value);
    bytes[at + 1] = std::uint8_t(value >> 8);
}

struct Chunk {
    std::string id;
    Bytes body;
};

// A RIFF WAVE file of these chunks, each padded to an even length.
Bytes Riff(const std::vector<Chunk>& chunks) {
    Bytes out = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    for (const Chunk& chunk : chunks) {
        out.insert(out.end(), chunk.id.begin(), chunk.id.end());
        out.resize(out.size() + 4);
        Put32(out, out.size() - 4, std::uint32_t(chunk.body.size()));
        out.insert(out.end(), chunk.body.begin(), chunk.body.end());
        if (chunk.body.size() & 1) out.push_back(0);
    }
    Put32(out, 4, std::uint32_t(out.size() - 8));
    return out;
}

// The writer's format and data chunks, to be laid out anew.
Chunk FormatOf(const Bytes& wav) { return {"fmt ", Bytes(wav.begin() + 20, wav.begin() + 36)}; }
Chunk DataOf(const Bytes& wav) {
    const std::size_t size = wav[40] | wav[41] << 8 | wav[42] << 16 | std::size_t(wav[43]) << 24;
    return {"data", Bytes(wav.begin() + 44, wav.begin() + 44 + std::ptrdiff_t(size))};
}

// The same format as an extensible chunk with the PCM sub-format.
Chunk ExtensibleFormatOf(const Bytes& wav) {
    Chunk format = FormatOf(wav);
    Put16(format.body, 0, 0xFFFE);
    const Bytes extension = {22, 0, 16, 0, 4, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
    format.body.insert(format.body.end(), extension.begin(), extension.end());
    return format;
}

class Wav : public ::testing::Test {
protected:
    // Writes the bytes as a file, `length` long if that is more, and reads
    // it back; `message` names it.
    bool Load(const Bytes& bytes, SoundClip& clip, std::string& message, std::uintmax_t length = 0) {
        const std::string path = folder.File("sound.wav");
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (length > bytes.size()) std::filesystem::resize_file(path, length);
        return LoadWav(path.c_str(), clip, message);
    }

    test::ScratchFolder folder;
};

TEST_F(Wav, ReadsBackEveryFormatAndLayout) {
    struct Case {
        int channels, rate, bits, frames;
        const char* layout;  // "plain", "chunks around" or "extensible"
    };
    const Case cases[] = {
        {1, 22050, 16, 300, "plain"},      {2, 44100, 16, 300, "plain"},     {1, 8000, 8, 301, "plain"},
        {2, 192000, 8, 300, "plain"},      {1, 1, 16, 1, "plain"},           {1, 44100, 8, 7, "chunks around"},
        {2, 11025, 16, 9, "chunks around"}, {2, 48000, 16, 50, "extensible"}, {1, 22050, 8, 5, "extensible"},
    };
    for (const Case& c : cases) {
        const SoundClip written = Clip(c.channels, c.rate, c.frames, c.bits == 8);
        Bytes bytes = EncodeWav(written, c.bits);
        if (std::string(c.layout) == "chunks around")  // an odd-sized chunk before, notes after
            bytes = Riff({{"LIST", Bytes(5, 'x')}, FormatOf(bytes), {"fact", Bytes(4, 1)}, DataOf(bytes), {"note", Bytes(3, 2)}});
        else if (std::string(c.layout) == "extensible")
            bytes = Riff({ExtensibleFormatOf(bytes), DataOf(bytes)});
        SoundClip read;
        std::string message;
        const std::string what = std::to_string(c.channels) + " channels, " + std::to_string(c.rate) + " Hz, " +
                                 std::to_string(c.bits) + " bits, " + c.layout;
        ASSERT_TRUE(Load(bytes, read, message)) << what << ": " << message;
        EXPECT_EQ(read.channels, c.channels) << what;
        EXPECT_EQ(read.rate, c.rate) << what;
        EXPECT_EQ(read.samples, written.samples) << what;
    }
}

TEST_F(Wav, WriterRoundsEightBitSamplesAndPadsOddData) {
    SoundClip clip;
    clip.channels = 1;
    clip.rate = 8000;
    clip.samples = {-32768, -129, -128, 0, 127, 128, 32767};
    const Bytes bytes = EncodeWav(clip, 8);
    ASSERT_EQ(bytes.size(), 44u + 7 + 1);
    EXPECT_EQ(Bytes(bytes.begin() + 44, bytes.end()), (Bytes{0, 127, 127, 128, 128, 129, 255, 0}));
    EXPECT_EQ(bytes[4], 44u);  // the RIFF size counts the pad byte
    EXPECT_TRUE(EncodeWav(SoundClip()).empty());
}

TEST_F(Wav, SaveWavWritesWhatLoadWavReads) {
    const SoundClip clip = Clip(2, 22050, 100, false);
    const std::string path = folder.File("saved.wav");
    ASSERT_TRUE(SaveWav(path.c_str(), clip));
    SoundClip read;
    std::string message;
    ASSERT_TRUE(LoadWav(path.c_str(), read, message)) << message;
    EXPECT_EQ(read.samples, clip.samples);
    EXPECT_DOUBLE_EQ(read.Seconds(), 100.0 / 22050);
    EXPECT_FALSE(SaveWav(folder.File("no/such/folder.wav").c_str(), clip));
}

// Each broken file, made from a good one, and the reason given for it;
// a file longer than its bytes ends in zeros (sparse where the system can).
TEST_F(Wav, RefusesBrokenFilesNamingTheFileAndTheReason) {
    const Bytes good = EncodeWav(Clip(1, 22050, 10, false));  // 44 header bytes, 20 data bytes
    auto with = [&](std::size_t at, std::uint32_t value, int width) {
        Bytes bytes = good;
        if (width == 4) Put32(bytes, at, value);
        else Put16(bytes, at, std::uint16_t(value));
        return bytes;
    };
    auto cut = [&](std::size_t size) { return Bytes(good.begin(), good.begin() + std::ptrdiff_t(size)); };
    Bytes manyChunks;
    for (int i = 0; i < 1001; ++i) manyChunks.insert(manyChunks.end(), {'j', 'u', 'n', 'k', 0, 0, 0, 0});
    manyChunks.insert(manyChunks.begin(), good.begin(), good.begin() + 12);
    Bytes notRiff = good, notWave = good;
    std::memcpy(notRiff.data(), "RIFX", 4);
    std::memcpy(notWave.data() + 8, "AVI ", 4);
    Bytes format24 = with(34, 24, 2);
    Put16(format24, 32, 3);
    struct Case {
        const char* what;
        Bytes bytes;
        std::string reason;
        std::uintmax_t length = 0;
    };
    const std::uint32_t overCap = std::uint32_t(kMaxWavDataBytes) + 2;
    const Case cases[] = {
        {"empty", {}, "too short for a WAV file (0 bytes)"},
        {"cut in the header", cut(11), "too short for a WAV file (11 bytes)"},
        {"cut in the format", cut(30), "the format chunk runs past the end of the file"},
        {"cut after the format", cut(36), "no data chunk"},
        {"cut in the data", cut(50), "the data chunk holds 20 bytes, but the file ends 6 bytes after its start"},
        {"data size past the end", with(40, 0x7FFFFFFF, 4),
         "the data chunk holds 2147483647 bytes, but the file ends 20 bytes after its start"},
        {"data size at most", with(40, 0xFFFFFFFF, 4),
         "the data chunk holds 4294967295 bytes, but the file ends 20 bytes after its start"},
        {"no data", with(40, 0, 4), "no samples"},
        {"data over 64 MiB", with(40, overCap, 4),
         "the data chunk holds 67108866 bytes, more than the 67108864 a sound may have", 44 + overCap},
        {"no RIFF", notRiff, "not a WAV file (no RIFF header)"},
        {"not WAVE", notWave, "a RIFF file, but not of WAVE sound"},
        {"only chunk is data", Riff({DataOf(good)}), "the data chunk comes before the format chunk"},
        {"no chunks", cut(12), "no format chunk"},
        {"short format", with(16, 12, 4), "the format chunk is too short (12 bytes)"},
        {"format past the end", with(16, 1000, 4), "the format chunk runs past the end of the file"},
        {"float samples", with(20, 3, 2), "not PCM sound (format 3); only PCM is read"},
        {"extensible, too short", with(20, 0xFFFE, 2), "not PCM sound (format 65534); only PCM is read"},
        {"0 channels", with(22, 0, 2), "no channels"},
        {"3 channels", with(22, 3, 2), "3 channels; only mono and stereo are read"},
        {"0 Hz", with(24, 0, 4), "a rate of 0 Hz"},
        {"10^9 Hz", with(24, 1000000000, 4), "a rate of 1000000000 Hz, above 192000 Hz"},
        {"3-byte samples", format24, "24-bit samples; only 8- and 16-bit samples are read"},
        {"0-bit samples", with(34, 0, 2), "0-bit samples; only 8- and 16-bit samples are read"},
        {"frame size wrong", with(32, 4, 2), "frames of 4 bytes, not 2 as the format says"},
        {"endless chunks", manyChunks, "more than 1000 chunks before the data"},
    };
    for (const Case& c : cases) {
        SoundClip clip;
        clip.channels = 5;
        std::string message;
        EXPECT_FALSE(Load(c.bytes, clip, message, c.length)) << c.what;
        EXPECT_EQ(message, folder.File("sound.wav") + ": " + c.reason) << c.what;
        EXPECT_TRUE(clip.samples.empty() && clip.channels == 0 && clip.rate == 0) << c.what;
    }
}

TEST_F(Wav, RefusesWhatIsNoRegularFile) {
    SoundClip clip;
    std::string message;
    EXPECT_FALSE(LoadWav(folder.File("missing.wav").c_str(), clip, message));
    EXPECT_EQ(message, folder.File("missing.wav") + ": No such file or directory");
    EXPECT_FALSE(LoadWav(folder.Path().c_str(), clip, message));
    EXPECT_EQ(message, folder.Path() + ": Is a directory");
    EXPECT_FALSE(LoadWav(nullptr, clip, message));
    EXPECT_EQ(message, "no file named");
}

}  // namespace
}  // namespace ondra
