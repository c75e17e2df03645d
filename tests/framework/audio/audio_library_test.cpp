// The audio module where the sound library is missing, is not a sound
// library, lacks a feature, or is a stand-in the tests built (found, on
// Windows, beside the program as OpenAL32.dll): silence with one message,
// or the library used, and never a crash.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/audio/audio_device.h"
#include "framework/audio/sound_buffer.h"
#include "framework/audio/sound_source.h"
#include "framework/platform/shared_library.h"

namespace ondra {
namespace {

// The stand-in's file; empty where it lies beside the program under the
// system's own name.
std::string StandInName() { return ONDRA_STAND_IN_OPENAL; }

// The stand-in's counters, through the same library the device opened.
class StandIn {
public:
    StandIn() {
        const std::string name = StandInName().empty() ? kDefaultAudioLibrary : StandInName();
        EXPECT_TRUE(library_.Open(name)) << library_.Error();
    }
    int Ask(const char* counter) const {
        auto* function = reinterpret_cast<int (*)()>(library_.Symbol(counter));
        return function ? function() : -1;
    }
    void Unplug() const {
        auto* function = reinterpret_cast<void (*)()>(library_.Symbol("StandInUnplug"));
        ASSERT_NE(function, nullptr);
        function();
    }

private:
    platform::SharedLibrary library_;
};

std::vector<int16_t> Tone() {
    std::vector<int16_t> samples(2205);
    for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<int16_t>((i % 50) * 400 - 10000);
    return samples;
}

// Everything a game does with a device, which must work whether it plays
// or not.
void UseEverything(AudioDevice& device) {
    const std::vector<int16_t> tone = Tone();
    auto buffer = std::make_shared<SoundBuffer>(device, tone.data(), tone.size(), 1, 22050);
    device.Listener().SetPosition({1, 2, 3});
    device.Listener().SetOrientation({0, 0, -1}, {0, 1, 0});
    device.Listener().SetGain(0.5f);
    SoundSource once(device);
    once.SetPosition({4, 0, 0});
    once.SetGain(2);
    once.SetPitch(1.5f);
    once.SetReferenceDistance(2);
    once.SetRelativeToListener(true);
    once.Play(buffer);
    SoundSource loop(device);
    loop.Loop(buffer);
    std::vector<int16_t> mix(2 * 512, 7);
    device.RenderSamples(mix.data(), 512);
    device.Poll();
    EXPECT_FALSE(once.Playing() && !device.Audible());
    loop.Stop();
}

struct LibraryCase {
    const char* what;
    std::string library;
    AudioOutput output;
    // Empty where the device plays; otherwise what its one message says.
    std::string message;
};

TEST(AudioLibrary, PlaysSilentWithOneMessageOrUsesTheLibrary) {
    const LibraryCase cases[] = {
        {"missing", "no-such-sound-library-" + std::string(kDefaultAudioLibrary), AudioOutput::kSoundCard,
         "game: playing without sound: cannot load the sound library no-such-sound-library-"},
        {"not a sound library", ONDRA_NOT_SOUND_LIBRARY, AudioOutput::kSoundCard,
         "game: playing without sound: the sound library " ONDRA_NOT_SOUND_LIBRARY " lacks alcOpenDevice\n"},
        {"without memory output", StandInName(), AudioOutput::kMemory,
         "game: playing without sound: the sound library cannot render into memory (no ALC_SOFT_loopback)\n"},
        {"stand-in", StandInName(), AudioOutput::kSoundCard, ""},
    };
    for (const LibraryCase& test : cases) {
        SCOPED_TRACE(test.what);
        testing::internal::CaptureStderr();
        {
            AudioDevice device({test.output, test.library, "game: "});
            EXPECT_EQ(device.Audible(), test.message.empty());
            UseEverything(device);
            std::vector<int16_t> mix(2 * 64, 7);
            device.RenderSamples(mix.data(), 64);
            EXPECT_EQ(mix, std::vector<int16_t>(2 * 64, 0)) << "memory output of a device that plays nothing";
        }
        const std::string said = testing::internal::GetCapturedStderr();
        if (test.message.empty()) {
            EXPECT_EQ(said, "");
        } else {
            EXPECT_EQ(said.rfind(test.message, 0), 0u) << said;
            EXPECT_EQ(said.find('\n'), said.size() - 1) << "one line: " << said;
        }
    }
}

TEST(AudioLibrary, SourcesAndBuffersAreFreedWithTheirOwners) {
    AudioDevice device({AudioOutput::kSoundCard, StandInName(), ""});
    ASSERT_TRUE(device.Audible()) << device.SilenceReason();
    const StandIn standIn;
    const int playedBefore = standIn.Ask("StandInSourcesPlayed");
    const std::vector<int16_t> tone = Tone();
    {
        auto buffer = std::make_shared<SoundBuffer>(device, tone.data(), tone.size(), 1, 22050);
        EXPECT_TRUE(buffer->Loaded());
        EXPECT_NEAR(buffer->Seconds(), 0.1, 1e-9);
        SoundSource first(device);
        first.Loop(buffer);
        SoundSource second(std::move(first));
        SoundSource third(device);
        third.Play(buffer);
        third = std::move(second);
        buffer.reset();
        EXPECT_EQ(standIn.Ask("StandInSourcesPlayed"), playedBefore + 2);
        EXPECT_EQ(standIn.Ask("StandInLiveSources"), 1) << "the source a move replaced is freed";
        EXPECT_EQ(standIn.Ask("StandInLiveBuffers"), 1) << "a playing source keeps its buffer";
    }
    EXPECT_EQ(standIn.Ask("StandInLiveSources"), 0);
    EXPECT_EQ(standIn.Ask("StandInLiveBuffers"), 0);
}

TEST(AudioLibrary, AnUnpluggedDeviceGoesSilentOnceAndStaysUsable) {
    testing::internal::CaptureStderr();
    {
        AudioDevice device({AudioOutput::kSoundCard, StandInName(), "game: "});
        ASSERT_TRUE(device.Audible()) << device.SilenceReason();
        SoundSource loop(device);
        device.Poll();
        EXPECT_TRUE(device.Audible());
        StandIn().Unplug();
        for (int frame = 0; frame < 3; ++frame) device.Poll();
        EXPECT_FALSE(device.Audible());
        EXPECT_EQ(device.SilenceReason(), "the sound device went away");
        UseEverything(device);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "game: playing without sound: the sound device went away\n");
}

}  // namespace
}  // namespace ondra
