// The player's weapon heard: its shot, the bolt bursting where it lands,
// the reload and the weapon taken from its rack.
#include "tools/assetgen/sound_recipes.h"
#include "tools/assetgen/sound_synth.h"

namespace assetgen {

namespace {

constexpr int kCrisp = 44100;  // transients keep their edge
constexpr int kPlain = 22050;

}  // namespace

// A bolt leaving the barrel: a bright zap falling in pitch over a thump,
// with a crack at its start.
ondra::SoundClip MakeShot()
{
    Wave wave(kCrisp, 0.45f);
    Noise noise(0x5407);
    Oscillator zap, thump;
    Filter tone, crack, tail;
    for (std::size_t i = 0; i < wave.Size(); ++i) {
        const float t = wave.Time(i);
        const float white = noise.White();
        const float sweep = tone.Low(zap.Saw(Glide(1400.0f, 180.0f, t, 0.25f), kCrisp), Glide(9000.0f, 600.0f, t, 0.3f),
                                     kCrisp, 1.2f);
        float s = 0.7f * sweep * Strike(t, 0.002f, 0.08f);
        s += 0.8f * thump.Sine(Glide(110.0f, 45.0f, t, 0.15f), kCrisp) * Strike(t, 0.001f, 0.06f);
        s += 0.6f * crack.High(white, 2500.0f, kCrisp) * Strike(t, 0.0005f, 0.012f);
        s += 0.15f * tail.Band(white, 1200.0f, kCrisp) * Strike(t, 0.01f, 0.12f);
        wave.samples[i] = s;
    }
    return FinishOneShot(wave, -3.0f);
}

// A bolt bursting: a noise blast darkening as it dies, a low thump, and
// sparks crackling after.
ondra::SoundClip MakeBoltHit()
{
    Wave wave(kCrisp, 0.6f);
    Noise noise(0xB017);
    Oscillator thump;
    Filter blast, sizzle;
    float spark = 0.0f;
    for (std::size_t i = 0; i < wave.Size(); ++i) {
        const float t = wave.Time(i);
        const float white = noise.White();
        float s = blast.Low(white, Glide(6000.0f, 300.0f, t, 0.4f), kCrisp) * Strike(t, 0.001f, 0.09f);
        s += 0.9f * thump.Sine(Glide(90.0f, 40.0f, t, 0.2f), kCrisp) * Strike(t, 0.002f, 0.1f);
        // Sparks: rare single-sample kicks that ring briefly, fewer as it cools.
        if (noise.Source().Unit() < 0.004f * Strike(t, 0.01f, 0.12f)) spark = noise.White();
        spark *= 0.97f;
        s += 0.5f * sizzle.High(0.2f * white * Strike(t, 0.002f, 0.06f) + spark, 4000.0f, kCrisp);
        wave.samples[i] = s;
    }
    return FinishOneShot(wave, -4.0f);
}

// The clip out, the slide drawn back over its ratchet, the new clip in
// with a clunk, and the slide let go.
ondra::SoundClip MakeReload()
{
    Wave wave(kCrisp, 0.7f);
    Noise noise(0x2E10);
    Click release(0.02f, 3500.0f, 0.006f, 6.0f), clunk(0.42f, 1500.0f, 0.02f, 3.0f), lock(0.56f, 3000.0f, 0.008f, 6.0f);
    Filter slide;
    Oscillator ratchet, body;
    for (std::size_t i = 0; i < wave.Size(); ++i) {
        const float t = wave.Time(i);
        const float white = noise.White();
        float s = release.Next(t, white, kCrisp) + clunk.Next(t, white, kCrisp) + lock.Next(t, white, kCrisp);
        s += 0.25f * Bell(t - 0.02f, 2400.0f, 0.03f) + 0.2f * Bell(t - 0.56f, 3100.0f, 0.04f);
        const float teeth = 0.6f + 0.4f * ratchet.Square(40.0f, kCrisp);
        s += 0.3f * slide.Band(white, Glide(800.0f, 1800.0f, t - 0.12f, 0.21f), kCrisp, 3.0f) * teeth *
             Gate(t, 0.12f, 0.33f, 0.03f);
        s += 0.5f * body.Sine(140.0f, kCrisp) * Strike(t - 0.42f, 0.001f, 0.03f);
        wave.samples[i] = s;
    }
    return FinishOneShot(wave, -3.0f);
}

// The weapon lifted off its rack: a metal clank, then two rising notes
// that say it is yours.
ondra::SoundClip MakeWeaponPickup()
{
    Wave wave(kPlain, 0.6f);
    Noise noise(0x6E7);
    Click knock(0.0f, 1800.0f, 0.01f, 3.0f);
    Oscillator low, high;
    Filter soften;
    for (std::size_t i = 0; i < wave.Size(); ++i) {
        const float t = wave.Time(i);
        float s = knock.Next(t, noise.White(), kPlain);
        s += 0.4f * Bell(t, 520.0f, 0.12f);
        const float notes = low.Triangle(440.0f, kPlain) * Gate(t, 0.09f, 0.2f, 0.01f) +
                            high.Triangle(660.0f, kPlain) * Gate(t, 0.23f, 0.42f, 0.01f) * Strike(t - 0.23f, 0.005f, 0.2f);
        s += 0.5f * soften.Low(notes, 2500.0f, kPlain);
        wave.samples[i] = s;
    }
    return FinishOneShot(wave, -5.0f);
}

}  // namespace assetgen
