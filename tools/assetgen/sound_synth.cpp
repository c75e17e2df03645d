// Oscillators, noise, filters, envelopes and the finishing of sounds.
#include "tools/assetgen/sound_synth.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace assetgen {

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr float kFadeSeconds = 0.004f;
// Bells keep below the Nyquist frequency of the plain rate, 11,025 Hz.
constexpr float kHighestPartial = 10000.0f;

// The polyBLEP correction of a step at phase 0, `step` the phase moved per
// sample: it rounds the jump over two samples.
float PolyBlep(float phase, float step)
{
    if (phase < step) {
        const float x = phase / step;
        return x + x - x * x - 1.0f;
    }
    if (phase > 1.0f - step) {
        const float x = (phase - 1.0f) / step;
        return x * x + x + x + 1.0f;
    }
    return 0.0f;
}

std::int16_t Quantized(float value)
{
    const float scaled = std::round(std::clamp(value, -1.0f, 1.0f) * 32767.0f);
    return static_cast<std::int16_t>(scaled);
}

// Scales the samples so the loudest lies at `peakDb`.
std::vector<float> Levelled(std::vector<float> samples, float peakDb)
{
    float peak = 0.0f;
    for (float s : samples) peak = std::max(peak, std::fabs(s));
    const float gain = peak > 0.0f ? std::pow(10.0f, peakDb / 20.0f) / peak : 0.0f;
    for (float& s : samples) s *= gain;
    return samples;
}

ondra::SoundClip Clip(const std::vector<float>& samples, int rate)
{
    ondra::SoundClip clip;
    clip.channels = 1;
    clip.rate = rate;
    clip.samples.reserve(samples.size());
    for (float s : samples) clip.samples.push_back(Quantized(s));
    return clip;
}

}  // namespace

Wave::Wave(int rate, float seconds)
    : rate(rate), samples(static_cast<std::size_t>(std::lround(seconds * static_cast<float>(rate))), 0.0f)
{
}

void Wave::Mix(const Wave& other, float gain, float startSeconds)
{
    const std::size_t start = static_cast<std::size_t>(std::lround(startSeconds * static_cast<float>(rate)));
    for (std::size_t i = 0; i < other.Size() && start + i < Size(); ++i) samples[start + i] += gain * other.samples[i];
}

float Oscillator::Advance(float hz, int rate)
{
    const float before = static_cast<float>(phase);
    phase += static_cast<double>(hz) / rate;
    phase -= std::floor(phase);
    return before;
}

float Oscillator::Sine(float hz, int rate) { return static_cast<float>(std::sin(kTwoPi * Advance(hz, rate))); }

float Oscillator::Saw(float hz, int rate)
{
    const float step = hz / static_cast<float>(rate);
    const float at = Advance(hz, rate);
    return 2.0f * at - 1.0f - PolyBlep(at, step);
}

float Oscillator::Square(float hz, int rate)
{
    const float step = hz / static_cast<float>(rate);
    const float at = Advance(hz, rate);
    const float half = at + 0.5f >= 1.0f ? at - 0.5f : at + 0.5f;
    return (at < 0.5f ? 1.0f : -1.0f) + PolyBlep(at, step) - PolyBlep(half, step);
}

// A leaky sum of the band-limited square: a triangle without its corners'
// aliasing.
float Oscillator::Triangle(float hz, int rate)
{
    const float step = hz / static_cast<float>(rate);
    triangle = triangle * 0.999f + 4.0f * step * Square(hz, rate);
    return triangle;
}

Filter::Outputs Filter::Run(float input, float hz, float resonance, int rate)
{
    const float nyquistSafe = std::min(hz, 0.45f * static_cast<float>(rate));
    const float g = static_cast<float>(std::tan(kTwoPi / 2.0 * nyquistSafe / rate));
    const float k = 1.0f / std::max(resonance, 0.05f);
    const float a1 = 1.0f / (1.0f + g * (g + k));
    const float a2 = g * a1;
    const float a3 = g * a2;
    const float v3 = input - state2;
    const float v1 = a1 * state1 + a2 * v3;
    const float v2 = state2 + a2 * state1 + a3 * v3;
    state1 = 2.0f * v1 - state1;
    state2 = 2.0f * v2 - state2;
    return {v2, v1, input - k * v1 - v2};
}

float Click::Next(float t, float white, int rate)
{
    const float filtered = filter.Band(white, hz, rate, resonance);
    return t < start ? 0.0f : filtered * Strike(t - start, 0.0005f, decay);
}

float Bell(float t, float hz, float decay)
{
    if (t < 0.0f) return 0.0f;
    static const float kRatios[] = {1.0f, 2.76f, 5.40f, 8.93f};
    static const float kWeights[] = {1.0f, 0.6f, 0.35f, 0.2f};
    float sum = 0.0f;
    for (int p = 0; p < 4 && hz * kRatios[p] < kHighestPartial; ++p)
        sum += kWeights[p] * std::exp(-t * (1.0f + p) / decay) *
               static_cast<float>(std::sin(kTwoPi * hz * kRatios[p] * t));
    return sum;
}

float Strike(float t, float attack, float decay)
{
    if (t < 0.0f) return 0.0f;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decay);
}

float Gate(float t, float start, float end, float ramp)
{
    if (t < start - ramp || t > end + ramp) return 0.0f;
    if (t < start) return (t - (start - ramp)) / ramp;
    if (t > end) return ((end + ramp) - t) / ramp;
    return 1.0f;
}

float Glide(float from, float to, float t, float seconds)
{
    const float x = std::clamp(t / seconds, 0.0f, 1.0f);
    return from * std::pow(to / from, x);
}

float Ease(float t, float start, float end)
{
    const float x = std::clamp((t - start) / (end - start), 0.0f, 1.0f);
    return x * x * (3.0f - 2.0f * x);
}

ondra::SoundClip FinishOneShot(const Wave& wave, float peakDb)
{
    // Faded first, so the peak lands at its level even inside a fade.
    std::vector<float> samples = wave.samples;
    const std::size_t fade = std::min(samples.size() / 2, static_cast<std::size_t>(kFadeSeconds * wave.rate));
    for (std::size_t i = 0; i < fade; ++i) {
        const float gain = static_cast<float>(i) / static_cast<float>(fade);
        samples[i] *= gain;
        samples[samples.size() - 1 - i] *= gain;
    }
    return Clip(Levelled(std::move(samples), peakDb), wave.rate);
}

ondra::SoundClip FinishLoop(const Wave& wave, float loopSeconds, float peakDb)
{
    const std::size_t loop = std::min(wave.Size(), static_cast<std::size_t>(std::lround(loopSeconds * static_cast<float>(wave.rate))));
    const std::size_t overlap = std::min(loop, wave.Size() - loop);
    std::vector<float> samples(wave.samples.begin(), wave.samples.begin() + static_cast<std::ptrdiff_t>(loop));
    // Equal power: the two halves are unrelated noise as often as not.
    for (std::size_t i = 0; i < overlap; ++i) {
        const double x = (static_cast<double>(i) + 0.5) / static_cast<double>(overlap);
        const float in = static_cast<float>(std::sin(x * kTwoPi / 4.0));
        const float out = static_cast<float>(std::cos(x * kTwoPi / 4.0));
        samples[i] = in * wave.samples[i] + out * wave.samples[loop + i];
    }
    return Clip(Levelled(samples, peakDb), wave.rate);
}

float PeakDb(const ondra::SoundClip& clip)
{
    int peak = 0;
    for (std::int16_t s : clip.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    return peak == 0 ? -200.0f : 20.0f * std::log10(static_cast<float>(peak) / 32767.0f);
}

}  // namespace assetgen
