// The finishing of made sounds: a one-shot comes out at its peak with
// silent ends, a loop at exactly its length and wrapping as smoothly as it
// runs, and the oscillators keep their pitch.
#include "tools/assetgen/sound_synth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace assetgen {
namespace {

int LargestStep(const ondra::SoundClip& clip)
{
    int largest = 0;
    for (std::size_t i = 1; i < clip.samples.size(); ++i)
        largest = std::max(largest, std::abs(clip.samples[i] - clip.samples[i - 1]));
    return largest;
}

TEST(SoundSynth, OneShotsAndLoopsComeOutAtTheirLevelLengthAndEnds)
{
    struct Case {
        int rate;
        float seconds, loopSeconds;  // loopSeconds 0 for a one-shot
        float peakDb;
        std::size_t frames;
    };
    const Case cases[] = {
        {22050, 0.5f, 0.0f, -6.0f, 11025},  {44100, 0.3f, 0.0f, -1.0f, 13230},
        {22050, 2.25f, 2.0f, -14.0f, 44100}, {22050, 7.0f, 6.0f, -10.0f, 132300},
        {44100, 1.1f, 1.0f, -3.0f, 44100},
    };
    for (const Case& c : cases) {
        // A steady 110 Hz tone (whole cycles in every loop length here)
        // under noise, which only the blend at the seam can join.
        Wave wave(c.rate, c.seconds);
        Oscillator tone;
        Noise noise(7);
        for (float& s : wave.samples) s = tone.Sine(110.0f, c.rate) + 0.2f * noise.White();
        const bool loop = c.loopSeconds > 0.0f;
        const ondra::SoundClip clip = loop ? FinishLoop(wave, c.loopSeconds, c.peakDb) : FinishOneShot(wave, c.peakDb);
        const std::string what = std::to_string(c.rate) + " Hz, " + std::to_string(c.seconds) + " s";
        EXPECT_EQ(clip.channels, 1) << what;
        EXPECT_EQ(clip.rate, c.rate) << what;
        EXPECT_EQ(clip.Frames(), c.frames) << what;
        EXPECT_NEAR(PeakDb(clip), c.peakDb, 0.01) << what;
        const int wrap = std::abs(clip.samples.front() - clip.samples.back());
        if (loop) {
            EXPECT_LE(wrap, LargestStep(clip)) << what;
        } else {
            EXPECT_EQ(clip.samples.front(), 0) << what;
            EXPECT_LE(std::abs(clip.samples.back()), 100) << what;
        }
    }
}

TEST(SoundSynth, OscillatorsKeepTheirPitchAndEnvelopesTheirShape)
{
    // Upward zero crossings in one second of each shape at 441 Hz.
    for (int shape = 0; shape < 4; ++shape) {
        Oscillator oscillator;
        int crossings = 0;
        float before = 0.0f;
        for (int i = 0; i < 44100; ++i) {
            const float s = shape == 0   ? oscillator.Sine(441.0f, 44100)
                            : shape == 1 ? -oscillator.Saw(441.0f, 44100)
                            : shape == 2 ? oscillator.Square(441.0f, 44100)
                                         : oscillator.Triangle(441.0f, 44100);
            if (i > 0 && before < 0.0f && s >= 0.0f) ++crossings;
            before = s;
        }
        EXPECT_NEAR(crossings, 441, 1) << "shape " << shape;
    }
    EXPECT_FLOAT_EQ(Glide(100.0f, 400.0f, 0.5f, 1.0f), 200.0f);
    EXPECT_FLOAT_EQ(Glide(100.0f, 400.0f, 3.0f, 1.0f), 400.0f);
    EXPECT_FLOAT_EQ(Strike(0.005f, 0.01f, 0.1f), 0.5f);
    EXPECT_FLOAT_EQ(Strike(0.11f, 0.01f, 0.1f), std::exp(-1.0f));
    EXPECT_FLOAT_EQ(Strike(-0.1f, 0.01f, 0.1f), 0.0f);
    EXPECT_FLOAT_EQ(Gate(0.5f, 0.2f, 0.8f, 0.1f), 1.0f);
    EXPECT_FLOAT_EQ(Gate(0.15f, 0.2f, 0.8f, 0.1f), 0.5f);
    EXPECT_FLOAT_EQ(Gate(0.95f, 0.2f, 0.8f, 0.1f), 0.0f);
}

}  // namespace
}  // namespace assetgen
