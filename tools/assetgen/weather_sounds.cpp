// The surface heard: the wind, a seamless loop, and thunder with the
// lightning.
#include "tools/assetgen/sound_recipes.h"
#include "tools/assetgen/sound_synth.h"

#include <cmath>

namespace assetgen {

namespace {

constexpr int kRate = 22050;
constexpr float kTwoPi = 6.2831853f;

// A wave of period `seconds`, between 0 and 1.
float Swell(float t, float seconds, float phase) { return 0.5f + 0.5f * std::sin(kTwoPi * t / seconds + phase); }

}  // namespace

// Gusts of wind, six seconds that loop: noise through a band that moves
// with the gusts, a low rumble, and a thin whistle on the strongest. Every
// gust's period divides the loop, so the loop's end sounds like its start.
ondra::SoundClip MakeWind()
{
    constexpr float kLoop = 6.0f, kOverlap = 1.0f;
    Wave wave(kRate, kLoop + kOverlap);
    Noise noise(0x717D);
    Filter gust, darken, rumble, whistle;
    for (std::size_t i = 0; i < wave.Size(); ++i) {
        const float t = wave.Time(i);
        const float white = noise.White();
        const float strength = 0.35f + 0.4f * Swell(t, 3.0f, 0.5f) + 0.25f * Swell(t, 6.0f, 2.0f);
        const float centre = 300.0f + 250.0f * Swell(t, 6.0f, 0.0f) + 120.0f * Swell(t, 2.0f, 1.0f);
        float s = strength * darken.Low(gust.Band(white, centre, kRate, 1.2f), 1500.0f, kRate);
        s += 0.6f * rumble.Low(white, 110.0f, kRate);
        s += 0.12f * strength * strength * whistle.Band(white, 2.6f * centre, kRate, 12.0f);
        wave.samples[i] = s;
    }
    return FinishLoop(wave, kLoop, -10.0f);
}

// Thunder: the crack of the strike, then a rumble rolling on in bursts
// and dying away.
ondra::SoundClip MakeThunder()
{
    Wave wave(kRate, 3.5f);
    Noise noise(0x7E0D);
    Filter crack, rumble, roll;
    // The rolls: when each burst of rumble comes and how strong it is.
    float rollAt[5], rollGain[5];
    for (int r = 0; r < 5; ++r) {
        rollAt[r] = 0.15f + 0.4f * static_cast<float>(r) + noise.Source().Range(0.0f, 0.3f);
        rollGain[r] = noise.Source().Range(0.4f, 1.0f) * std::exp(-0.35f * static_cast<float>(r));
    }
    for (std::size_t i = 0; i < wave.Size(); ++i) {
        const float t = wave.Time(i);
        const float white = noise.White();
        float bursts = 0.0f;
        for (int r = 0; r < 5; ++r) bursts += rollGain[r] * Strike(t - rollAt[r], 0.08f, 0.4f);
        float s = 0.7f * crack.High(white, 1500.0f, kRate) * Strike(t, 0.002f, 0.05f) + 0.4f * white * Strike(t, 0.003f, 0.1f);
        s += 1.6f * rumble.Low(white, 140.0f, kRate, 0.9f) * bursts * Strike(t, 0.05f, 1.2f);
        s += 0.5f * roll.Low(white, 600.0f, kRate) * bursts * Strike(t, 0.02f, 0.5f);
        wave.samples[i] = s;
    }
    return FinishOneShot(wave, -1.0f);
}

}  // namespace assetgen
