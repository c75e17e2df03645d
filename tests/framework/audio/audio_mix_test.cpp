// The sound library's mix rendered into memory in lockstep: where a source
// is heard (side, distance, gain), that a source is silent once it ends or
// its owner goes, and that the same calls give the same samples.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "framework/audio/audio_device.h"
#include "framework/audio/sound_buffer.h"
#include "framework/audio/sound_source.h"

namespace ondra {
namespace {

constexpr int kRate = AudioDevice::kRenderRate;

std::shared_ptr<SoundBuffer> Tone(AudioDevice& device, double seconds) {
    std::vector<int16_t> samples(static_cast<std::size_t>(seconds * 22050));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(12000 * std::sin(2 * M_PI * 441.0 * i / 22050));
    return std::make_shared<SoundBuffer>(device, samples.data(), samples.size(), 1, 22050);
}

struct Levels {
    double left = 0;
    double right = 0;
};

double Decibels(double level) { return 20 * std::log10(level + 1e-9); }

// Root mean square of each channel over the next `seconds` of the mix.
Levels Render(AudioDevice& device, double seconds) {
    const std::size_t frames = static_cast<std::size_t>(seconds * kRate);
    std::vector<int16_t> mix(2 * frames);
    device.RenderSamples(mix.data(), frames);
    double left = 0, right = 0;
    for (std::size_t i = 0; i < frames; ++i) {
        left += double(mix[2 * i]) * mix[2 * i];
        right += double(mix[2 * i + 1]) * mix[2 * i + 1];
    }
    return {std::sqrt(left / frames), std::sqrt(right / frames)};
}

class AudioMix : public testing::Test {
protected:
    void SetUp() override {
        device_ = std::make_unique<AudioDevice>(AudioSettings{AudioOutput::kMemory, "", ""});
        if (!device_->Audible()) FAIL() << "OpenAL Soft's memory output is needed: " << device_->SilenceReason();
        // The ears at the origin facing -z, so -x is left.
        device_->Listener().SetOrientation({0, 0, -1}, {0, 1, 0});
    }
    std::unique_ptr<AudioDevice> device_;
};

struct Placement {
    const char* what;
    Vec3 position;
    float gain;
    bool relative;
};

// Levels of a looping tone placed so, after the library's gain ramps.
Levels Heard(AudioDevice& device, const Placement& placement) {
    SoundSource source(device);
    source.SetPosition(placement.position);
    source.SetGain(placement.gain);
    source.SetRelativeToListener(placement.relative);
    source.Loop(Tone(device, 0.5));
    Render(device, 0.05);
    return Render(device, 0.25);
}

TEST_F(AudioMix, LevelsFollowSideDistanceAndGain) {
    struct Comparison {
        Placement louder, quieter;
        // Which channel to compare: -1 left, 1 right, 0 both summed.
        int channel;
        double atLeastDb, atMostDb;
    };
    const Comparison comparisons[] = {
        {{"left", {-2, 0, 0}, 1, false}, {"left, other ear", {-2, 0, 0}, 1, false}, 2, 6, 1000},
        {{"right", {2, 0, 0}, 1, false}, {"right, other ear", {2, 0, 0}, 1, false}, -2, 6, 1000},
        {{"3 ahead", {0, 0, -3}, 1, false}, {"20 ahead", {0, 0, -20}, 1, false}, 0, 12, 20},
        {{"full gain", {0, 0, -3}, 1, false}, {"half gain", {0, 0, -3}, 0.5f, false}, 0, 5.5, 6.5},
        {{"near, moving with the ears", {0, 0, -1}, 1, true}, {"far", {0, 0, -8}, 1, false}, 0, 12, 30},
    };
    for (const Comparison& c : comparisons) {
        SCOPED_TRACE(std::string(c.louder.what) + " against " + c.quieter.what);
        const Levels a = Heard(*device_, c.louder);
        const Levels b = Heard(*device_, c.quieter);
        double difference = 0;
        if (c.channel == 0) difference = Decibels(a.left + a.right) - Decibels(b.left + b.right);
        // +-2: the same placement, one ear against the other.
        if (c.channel == 2) difference = Decibels(a.left) - Decibels(b.right);
        if (c.channel == -2) difference = Decibels(a.right) - Decibels(b.left);
        EXPECT_GE(difference, c.atLeastDb);
        EXPECT_LE(difference, c.atMostDb);
    }
}

TEST_F(AudioMix, SoundsEndWithTheirBufferTheirStopOrTheirOwner) {
    auto tone = Tone(*device_, 0.1);
    struct Ending {
        const char* what;
        bool loop;
        void (*end)(std::unique_ptr<SoundSource>&);
    };
    const Ending endings[] = {
        {"played once, left to run out", false, [](std::unique_ptr<SoundSource>&) {}},
        {"looped, stopped", true, [](std::unique_ptr<SoundSource>& source) { source->Stop(); }},
        {"looped, its owner gone", true, [](std::unique_ptr<SoundSource>& source) { source.reset(); }},
    };
    for (const Ending& ending : endings) {
        SCOPED_TRACE(ending.what);
        auto source = std::make_unique<SoundSource>(*device_);
        source->SetPosition({0, 0, -1});
        ending.loop ? source->Loop(tone) : source->Play(tone);
        EXPECT_TRUE(source->Playing());
        EXPECT_GT(Render(*device_, 0.05).left, 1000);
        ending.end(source);
        // A stopped source fades out within a few milliseconds.
        Render(*device_, ending.loop ? 0.01 : 0.2);
        const Levels after = Render(*device_, 0.3);
        EXPECT_EQ(after.left + after.right, 0);
        if (source) {
            EXPECT_FALSE(source->Playing());
        }
    }
}

// Renders one scene: a tone passing from left to right over `frames`,
// moved every 882 frames (a 50 Hz game's step).
std::vector<int16_t> Scene(std::size_t frames) {
    AudioDevice device({AudioOutput::kMemory, "", ""});
    SoundSource source(device);
    source.Loop(Tone(device, 0.3));
    std::vector<int16_t> mix(2 * frames + 2, 0x5a5a);
    for (std::size_t done = 0; done < frames; done += 882) {
        source.SetPosition({-5.0f + 10.0f * done / frames, 0, -1});
        device.RenderSamples(mix.data() + 2 * done, std::min<std::size_t>(882, frames - done));
    }
    return mix;
}

TEST(AudioMixRender, RendersExactlyTheFramesAskedTheSameEveryTime) {
    const std::size_t frames = 44100 + 17;
    const std::vector<int16_t> first = Scene(frames);
    EXPECT_EQ(first[2 * frames], 0x5a5a) << "wrote past the frames asked for";
    EXPECT_EQ(first[2 * frames + 1], 0x5a5a);
    EXPECT_NE(first[2 * frames - 1], 0x5a5a);
    EXPECT_EQ(first, Scene(frames));
}

}  // namespace
}  // namespace ondra
