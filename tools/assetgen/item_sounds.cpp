// Pickups and the player heard: a medikit and a key taken, a medikit
// used, the player hurt, and footsteps.
#include "tools/assetgen/sound_recipes.h"
#include "tools/assetgen/sound_synth.h"

#include <cmath>

namespace assetgen {

namespace {

constexpr int kCrisp = 44100;
constexpr int kPlain = 22050;

}  // namespace

// A soft chime of two notes, a fifth apart.
ondra::SoundClip MakeMedikitPickup()
{
    Wave wave(kPlain, 0.7f);
    Oscillator first, firstOctave, second, secondOctave;
    for (std::size_t i = 0; i < wave.Size(); ++i) {
        const float t = wave.Time(i);
        const float a = Strike(t, 0.01f, 0.15f), b = Strike(t - 0.1f, 0.01f, 0.18f);
        wave.samples[i] = a * (first.Sine(784.0f, kPlain) + 0.25f * firstOctave.Sine(1568.0f, kPlain)) +
                          b * (second.Sine(1175.0f, kPlain) + 0.25f * secondOctave.Sine(2350.0f, kPlain));
    }
    return FinishOneShot(wave, -6.0f);
}

// Keys jingling: three small bells struck one after another, and the
// faint rattle of their ring.
ondra::SoundClip MakeKeyPickup()
{
    Wave wave(kCrisp, 0.9f);
    Noise noise(0x4E7);
    Filter rattle;
    for (std::size_t i = 0; i < wave.Size(); ++i) {
        const float t = wave.Time(i);
        float s = Bell(t, 1568.0f, 0.25f) + 0.8f * Bell(t - 0.07f, 2093.0f, 0.22f) + 0.7f * Bell(t - 0.14f, 2637.0f, 0.25f);
        s += 0.3f * rattle.High(noise.White(), 5000.0f, kCrisp) * Strike(t, 0.001f, 0.05f);
        wave.samples[i] = s;
    }
    return FinishOneShot(wave, -6.0f);
}

// A spray's hiss, then a warm tone rising as the health comes back.
ondra::SoundClip MakeMedikitUse()
{
    Wave wave(kPlain, 0.95f);
    Noise noise(0x4EA1);
    Filter hiss, warm;
    Oscillator root, fifth, vibrato;
    for (std::size_t i = 0; i < wave.Size(); ++i) {
        const float t = wave.Time(i);
        const float spray = hiss.Band(noise.White(), 5000.0f, kPlain, 0.8f) * Gate(t, 0.02f, 0.3f, 0.06f);
        const float wobble = 1.0f + 0.01f * vibrato.Sine(5.5f, kPlain);
        const float pitch = Glide(330.0f, 660.0f, t - 0.15f, 0.55f) * wobble;
        const float tone = root.Triangle(pitch, kPlain) + 0.4f * fifth.Triangle(pitch * 1.5f, kPlain);
        wave.samples[i] = 0.35f * spray + 0.6f * warm.Low(tone, 1800.0f, kPlain) * Gate(t, 0.2f, 0.72f, 0.12f);
    }
    return FinishOneShot(wave, -7.0f);
}

// A short grunt: a falling voice through the formants of "uh", over the
// thump of the blow.
ondra::SoundClip MakePlayerHurt()
{
    Wave wave(kPlain, 0.4f);
    Noise noise(0x4A27);
    Oscillator voice, thump;
    Filter formant1, formant2, breath;
    for (std::size_t i = 0; i < wave.Size(); ++i) {
        const float t = wave.Time(i);
        const float glottis = voice.Saw(Glide(150.0f, 100.0f, t, 0.3f), kPlain) + 0.3f * noise.White();
        const float vowel = formant1.Band(glottis, 640.0f, kPlain, 5.0f) + 0.6f * formant2.Band(glottis, 1100.0f, kPlain, 6.0f);
        float s = vowel * Strike(t - 0.015f, 0.02f, 0.1f);
        s += 0.3f * breath.Band(noise.White(), 1500.0f, kPlain) * Strike(t, 0.01f, 0.06f);
        s += 0.8f * thump.Sine(80.0f, kPlain) * Strike(t, 0.001f, 0.05f);
        wave.samples[i] = s;
    }
    return FinishOneShot(wave, -4.0f);
}

// A boot on a metal floor: the heel's thud and the grating's tick, then
// the lighter toe. The second step lands a little lower and softer.
ondra::SoundClip MakeFootstep(int which)
{
    Wave wave(kPlain, 0.22f);
    Noise noise(0x57E9 + static_cast<uint64_t>(which));
    const float pitch = which == 0 ? 1.0f : 0.88f;
    Oscillator heel, toe;
    Filter scuff, grate;
    for (std::size_t i = 0; i < wave.Size(); ++i) {
        const float t = wave.Time(i);
        const float white = noise.White();
        float s = heel.Sine(95.0f * pitch, kPlain) * Strike(t, 0.001f, 0.025f);
        s += 0.5f * toe.Sine(120.0f * pitch, kPlain) * Strike(t - 0.055f, 0.001f, 0.02f);
        s += 0.6f * scuff.Low(white, 1200.0f * pitch, kPlain) * (Strike(t, 0.0005f, 0.02f) + 0.6f * Strike(t - 0.055f, 0.0005f, 0.025f));
        s += 0.3f * grate.Band(white, 2600.0f * pitch, kPlain, 5.0f) * Strike(t - 0.003f, 0.0003f, 0.008f);
        wave.samples[i] = s;
    }
    return FinishOneShot(wave, which == 0 ? -12.0f : -13.0f);
}

}  // namespace assetgen
