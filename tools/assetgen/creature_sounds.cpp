// The creatures and generators heard: a creature charging its shot, the
// shot and its burst, a creature hurt and dying, a generator's hum and its
// wreck.
#include "tools/assetgen/sound_recipes.h"
#include "tools/assetgen/sound_synth.h"

#include <cmath>

namespace assetgen {

namespace {

constexpr int kRate = 22050;
constexpr float kTwoPi = 6.2831853f;

// A creature's voice: a buzzing throat through two formants, with rasp.
struct Throat {
    Oscillator glottis, vibrato;
    Filter formant1, formant2, rasp;

    float Next(float hz, float vibratoHz, float depth, float formantHz, float white)
    {
        const float pitch = hz * (1.0f + depth * vibrato.Sine(vibratoHz, kRate));
        const float buzz = glottis.Saw(pitch, kRate);
        return formant1.Band(buzz, formantHz, kRate, 4.0f) + 0.6f * formant2.Band(buzz, formantHz * 2.4f, kRate, 5.0f) +
               0.25f * rasp.Band(white, formantHz * 1.6f, kRate, 1.5f);
    }
};

}  // namespace

// Energy gathering: a rising buzz that throbs faster and faster, swelling
// until the shot leaves.
ondra::SoundClip MakeCreatureCharge()
{
    Wave wave(kRate, 0.9f);
    Noise noise(0xC4A6);
    Oscillator buzz, shine, throb;
    Filter sweep;
    for (std::size_t i = 0; i < wave.Size(); ++i) {
        const float t = wave.Time(i);
        const float hz = Glide(110.0f, 520.0f, t, 0.8f);
        const float pulse = 0.6f + 0.4f * throb.Sine(Glide(6.0f, 22.0f, t, 0.8f), kRate);
        const float body = sweep.Band(buzz.Saw(hz, kRate) + 0.2f * noise.White(), Glide(400.0f, 2500.0f, t, 0.8f), kRate, 2.5f);
        const float s = (body + 0.4f * shine.Sine(2.0f * hz, kRate)) * pulse;
        wave.samples[i] = s * (0.15f + 0.85f * Ease(t, 0.0f, 0.7f)) * Gate(t, 0.01f, 0.8f, 0.06f);
    }
    return FinishOneShot(wave, -5.0f);
}

// The creature's shot: a wobbling, falling tone (frequency modulated, its
// modulation dying away) in a swoosh; darker and slower than the player's.
ondra::SoundClip MakeCreatureShot()
{
    Wave wave(kRate, 0.7f);
    Noise noise(0xC5E0);
    Oscillator modulator, wobble;
    Filter swoosh;
    double carrierPhase = 0.0;
    for (std::size_t i = 0; i < wave.Size(); ++i) {
        const float t = wave.Time(i);
        const float hz = Glide(700.0f, 220.0f, t, 0.4f) * (1.0f + 0.04f * wobble.Sine(14.0f, kRate));
        const float index = 3.0f * Strike(t, 0.005f, 0.12f);
        carrierPhase += static_cast<double>(hz) / kRate;
        const float tone = std::sin(kTwoPi * static_cast<float>(carrierPhase - std::floor(carrierPhase)) +
                                    index * modulator.Sine(hz * 1.5f, kRate));
        float s = tone * Strike(t, 0.003f, 0.15f);
        s += 0.4f * swoosh.Low(noise.White(), Glide(3000.0f, 400.0f, t, 0.3f), kRate) * Strike(t, 0.005f, 0.1f);
        wave.samples[i] = s;
    }
    return FinishOneShot(wave, -4.0f);
}

// The creature's shot bursting: a wet splat, a low boom and a sizzle that
// crackles out.
ondra::SoundClip MakeCreatureShotHit()
{
    Wave wave(kRate, 0.5f);
    Noise noise(0xC5E1);
    Oscillator boom;
    Filter splat, sizzle;
    float crackle = 0.0f;
    for (std::size_t i = 0; i < wave.Size(); ++i) {
        const float t = wave.Time(i);
        const float white = noise.White();
        float s = splat.Band(white, Glide(2200.0f, 900.0f, t, 0.1f), kRate, 1.5f) * Strike(t, 0.001f, 0.07f);
        s += 0.8f * boom.Sine(Glide(85.0f, 55.0f, t, 0.15f), kRate) * Strike(t, 0.001f, 0.08f);
        if (noise.Source().Unit() < 0.01f * Strike(t, 0.02f, 0.15f)) crackle = noise.White();
        crackle *= 0.9f;
        s += 0.5f * sizzle.High(0.3f * white + crackle, 3000.0f, kRate) * Strike(t, 0.002f, 0.1f);
        wave.samples[i] = s;
    }
    return FinishOneShot(wave, -5.0f);
}

// A squeal falling into a growl.
ondra::SoundClip MakeCreatureHurt()
{
    Wave wave(kRate, 0.45f);
    Noise noise(0xC4A7);
    Throat throat;
    for (std::size_t i = 0; i < wave.Size(); ++i) {
        const float t = wave.Time(i);
        const float voice = throat.Next(Glide(420.0f, 260.0f, t, 0.35f), 30.0f, 0.06f, 900.0f, noise.White());
        wave.samples[i] = voice * Strike(t, 0.01f, 0.14f);
    }
    return FinishOneShot(wave, -4.0f);
}

// A long wail sinking and slowing, its voice darkening into a rattle, and
// the body's fall.
ondra::SoundClip MakeCreatureDeath()
{
    Wave wave(kRate, 1.7f);
    Noise noise(0xC4A8);
    Throat throat;
    Oscillator fall;
    Filter debris;
    for (std::size_t i = 0; i < wave.Size(); ++i) {
        const float t = wave.Time(i);
        const float white = noise.White();
        const float voice = throat.Next(Glide(380.0f, 70.0f, t, 1.1f), Glide(12.0f, 4.0f, t, 1.1f), 0.08f,
                                        Glide(900.0f, 450.0f, t, 1.1f), white);
        float s = voice * Gate(t, 0.02f, 0.85f, 0.25f);
        s += fall.Sine(60.0f, kRate) * Strike(t - 1.15f, 0.002f, 0.12f) +
             0.6f * debris.Low(white, 500.0f, kRate) * Strike(t - 1.15f, 0.001f, 0.06f);
        wave.samples[i] = s;
    }
    return FinishOneShot(wave, -3.0f);
}

// A generator's hum, two seconds that loop: mains harmonics and a buzz,
// all of whole cycles in the loop, throbbing three times a loop, with a
// faint crackle of sparks.
ondra::SoundClip MakeGeneratorHum()
{
    constexpr float kLoop = 2.0f, kOverlap = 0.25f;
    Wave wave(kRate, kLoop + kOverlap);
    Noise noise(0x6E4);
    Oscillator buzz;
    Filter buzzTone, sparks;
    static const float kHarmonics[] = {1.0f, 0.6f, 0.35f, 0.2f, 0.12f, 0.08f};
    for (std::size_t i = 0; i < wave.Size(); ++i) {
        const float t = wave.Time(i);
        float s = 0.0f;
        for (int h = 0; h < 6; ++h) s += kHarmonics[h] * std::sin(kTwoPi * 60.0f * static_cast<float>(h + 1) * t);
        s += 0.15f * buzzTone.Low(buzz.Square(120.0f, kRate), 1500.0f, kRate);
        s *= 1.0f + 0.15f * std::sin(kTwoPi * 1.5f * t);
        s += 0.04f * sparks.Band(noise.White(), 3000.0f, kRate, 1.0f);
        wave.samples[i] = s;
    }
    return FinishLoop(wave, kLoop, -14.0f);
}

// A generator torn apart: a blast over a deep boom, its core's whine
// spinning down, and sparks and debris after.
ondra::SoundClip MakeGeneratorWreck()
{
    Wave wave(kRate, 2.2f);
    Noise noise(0x6E5);
    Oscillator boom, core;
    Filter blast, spark;
    float crackle = 0.0f;
    for (std::size_t i = 0; i < wave.Size(); ++i) {
        const float t = wave.Time(i);
        const float white = noise.White();
        float s = blast.Low(white, Glide(5000.0f, 200.0f, t, 1.2f), kRate) * Strike(t, 0.002f, 0.35f);
        s += boom.Sine(Glide(80.0f, 35.0f, t, 0.6f), kRate) * Strike(t, 0.003f, 0.3f);
        s += 0.25f * core.Sine(Glide(900.0f, 80.0f, t, 1.5f), kRate) * Strike(t, 0.01f, 0.5f);
        if (noise.Source().Unit() < 0.003f * Gate(t, 0.2f, 1.4f, 0.4f)) crackle = noise.White();
        crackle *= 0.95f;
        s += 0.6f * spark.High(crackle, 2500.0f, kRate);
        s += 0.2f * Bell(t - 0.6f, 730.0f, 0.2f) + 0.15f * Bell(t - 1.05f, 1130.0f, 0.15f);
        wave.samples[i] = s;
    }
    return FinishOneShot(wave, -1.0f);
}

}  // namespace assetgen
