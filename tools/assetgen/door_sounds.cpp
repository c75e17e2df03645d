// The sliding doors heard: opening, shutting, and a locked one refusing a
// player without its key.
#include "tools/assetgen/sound_recipes.h"
#include "tools/assetgen/sound_synth.h"

namespace assetgen {

namespace {

constexpr int kRate = 22050;
constexpr float kTravel = 0.85f;  // seconds the leaves slide

// The leaves sliding: a motor's whine whose pitch follows its speed and
// the rumble of the runners, from a latch's click to a stop at `kTravel`.
Wave Slide(float fromHz, float toHz, uint64_t seed)
{
    Wave wave(kRate, 1.4f);
    Noise noise(seed);
    Oscillator motor, second;
    Filter whine, runners;
    Click latch(0.0f, 2200.0f, 0.008f, 5.0f);
    for (std::size_t i = 0; i < wave.Size(); ++i) {
        const float t = wave.Time(i);
        const float white = noise.White();
        const float hz = Glide(fromHz, toHz, t, kTravel);
        const float moving = Gate(t, 0.04f, kTravel - 0.05f, 0.06f);
        float s = whine.Low(motor.Saw(hz, kRate) + 0.5f * second.Sine(2.0f * hz, kRate), 700.0f, kRate) * 0.5f;
        s += 0.4f * runners.Low(white, 350.0f, kRate);
        wave.samples[i] = s * moving + 0.6f * latch.Next(t, white, kRate);
    }
    return wave;
}

// A thud of `weight` at `at` seconds: the leaves meeting their stop.
void AddThud(Wave& wave, float at, float hz, float weight, uint64_t seed)
{
    Noise noise(seed);
    Oscillator body;
    Filter dull;
    for (std::size_t i = 0; i < wave.Size(); ++i) {
        const float t = wave.Time(i) - at;
        const float white = noise.White();
        const float hit = body.Sine(hz, kRate) * Strike(t, 0.002f, 0.04f + 0.08f * weight) +
                          0.5f * dull.Low(white, 800.0f, kRate) * Strike(t, 0.001f, 0.03f + 0.03f * weight);
        wave.samples[i] += weight * hit;
    }
}

}  // namespace

// Rising as the motor gets going, a soft stop when the leaves are apart.
ondra::SoundClip MakeDoorOpen()
{
    Wave wave = Slide(70.0f, 110.0f, 0xD0E1);
    AddThud(wave, kTravel, 90.0f, 0.5f, 0xD0E2);
    return FinishOneShot(wave, -8.0f);
}

// Falling as the leaves close, and the slam of their meeting.
ondra::SoundClip MakeDoorShut()
{
    Wave wave = Slide(110.0f, 70.0f, 0xD0E3);
    AddThud(wave, kTravel, 65.0f, 1.0f, 0xD0E4);
    return FinishOneShot(wave, -7.0f);
}

// The lock's rattle and a low buzz, twice, the second lower: "no".
ondra::SoundClip MakeDoorLocked()
{
    Wave wave(kRate, 0.5f);
    Noise noise(0xD0E5);
    Click rattle(0.0f, 2800.0f, 0.01f, 4.0f), again(0.03f, 2400.0f, 0.008f, 4.0f);
    Oscillator buzz;
    Filter rasp;
    for (std::size_t i = 0; i < wave.Size(); ++i) {
        const float t = wave.Time(i);
        const float white = noise.White();
        const bool first = t < 0.2f;
        const float tone = buzz.Square(first ? 196.0f : 147.0f, kRate) *
                           (first ? Gate(t, 0.05f, 0.17f, 0.008f) : Gate(t, 0.24f, 0.42f, 0.008f));
        wave.samples[i] = 0.5f * rasp.Low(tone, 1800.0f, kRate) + rattle.Next(t, white, kRate) + again.Next(t, white, kRate);
    }
    return FinishOneShot(wave, -6.0f);
}

}  // namespace assetgen
