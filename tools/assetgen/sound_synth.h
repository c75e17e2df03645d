// The sound generator's instruments: oscillators, seeded noise, filters,
// envelopes, and the finishing of a made sound into 16-bit samples at its
// level. Noise draws from a seeded Random, so every sound comes out the
// same on every run.
#pragma once

#include "tools/assetgen/random.h"

#include "framework/audio/sound_clip.h"

#include <cstddef>
#include <vector>

namespace assetgen {

// A sound being made: mono samples at `rate`, around -1 to 1 before they
// are levelled.
struct Wave {
    Wave(int rate, float seconds);

    std::size_t Size() const { return samples.size(); }
    float Time(std::size_t i) const { return static_cast<float>(i) / static_cast<float>(rate); }
    // Adds `other` (of the same rate) times `gain`, from `startSeconds` on.
    void Mix(const Wave& other, float gain, float startSeconds = 0.0f);

    int rate;
    std::vector<float> samples;
};

// An oscillator that keeps its phase, so a gliding pitch stays smooth.
// Saw and square are band-limited at their edges (polyBLEP), so high
// notes do not fold back into the audible band as hiss.
class Oscillator {
public:
    float Sine(float hz, int rate);
    float Saw(float hz, int rate);
    float Square(float hz, int rate);
    float Triangle(float hz, int rate);

private:
    float Advance(float hz, int rate);  // the phase before this step, 0 to 1
    double phase = 0.0;
    float triangle = 0.0f;
};

// White noise from its own seeded generator.
class Noise {
public:
    explicit Noise(uint64_t seed) : random(seed) {}
    float White() { return random.Range(-1.0f, 1.0f); }
    Random& Source() { return random; }

private:
    Random random;
};

// A state-variable filter (trapezoidal, stable at any cutoff): low-,
// band- and high-passed outputs of one input at once.
class Filter {
public:
    struct Outputs {
        float low, band, high;
    };
    Outputs Run(float input, float hz, float resonance, int rate);
    float Low(float input, float hz, int rate, float resonance = 0.7f) { return Run(input, hz, resonance, rate).low; }
    float Band(float input, float hz, int rate, float resonance = 2.0f) { return Run(input, hz, resonance, rate).band; }
    float High(float input, float hz, int rate, float resonance = 0.7f) { return Run(input, hz, resonance, rate).high; }

private:
    float state1 = 0.0f, state2 = 0.0f;
};

// A short burst of band-passed noise from `start` on: a click, a tick, the
// snap of a latch. Feed it every sample, so its filter runs on smoothly.
class Click {
public:
    Click(float start, float hz, float decay, float resonance = 4.0f)
        : start(start), hz(hz), decay(decay), resonance(resonance) {}
    float Next(float t, float white, int rate);

private:
    Filter filter;
    float start, hz, decay, resonance;
};

// Struck metal from `t` = 0 on: inharmonic partials, the higher ones
// dying sooner.
float Bell(float t, float hz, float decay);

// Envelope shapes over time t in seconds.
// Rises linearly over `attack`, then falls by e every `decay` seconds.
float Strike(float t, float attack, float decay);
// 1 inside [start, end], with linear ramps of `ramp` seconds outside it.
float Gate(float t, float start, float end, float ramp);
// From `from` to `to` over `seconds`, evenly in pitch (exponentially).
float Glide(float from, float to, float t, float seconds);
// 0 to 1 across [start, end], eased; 0 before and 1 after.
float Ease(float t, float start, float end);

// Finishes a one-shot sound: scaled so its peak lies at `peakDb` below
// full scale, faded in and out over a few milliseconds against clicks.
ondra::SoundClip FinishOneShot(const Wave& wave, float peakDb);
// Finishes a loop of `loopSeconds`: `wave` runs on past the loop, and that
// tail is blended into the loop's start, so the last sample leads into
// the first as it would into the next.
ondra::SoundClip FinishLoop(const Wave& wave, float loopSeconds, float peakDb);

// The highest absolute sample, in dB below full scale (0 for a full one).
float PeakDb(const ondra::SoundClip& clip);

}  // namespace assetgen
