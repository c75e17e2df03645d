// GameAudio: the run's sound. It opens the sound card, or with --audio the
// memory device whose mix becomes the file, or nothing with --mute; once
// the world is built it hears it (WorldSounds), and after each frame it
// moves the sound on by that frame's time. The M key mutes and unmutes.
#pragma once

#include <memory>

#include "game/run/audio_capture.h"
#include "game/run/options.h"

namespace ondra {
class AudioDevice;
}
class WorldSounds;
struct World;

class GameAudio {
public:
    GameAudio();
    ~GameAudio();
    GameAudio(const GameAudio&) = delete;
    GameAudio& operator=(const GameAudio&) = delete;

    void Configure(const GameOptions& options);
    // Once the world is built: its sounds are read from the data folder
    // (the working folder) and start.
    void Start(const World& world);
    // After each frame: `worldStep` is the time the world moved, `clockStep`
    // the frame's whole time, which the capture adds in samples.
    void Frame(float worldStep, double clockStep);
    void ToggleMute();
    // Before the world goes: nothing is heard of it any more.
    void Stop();
    // Writes --audio's file; false, said on standard error, when it could
    // not be written.
    bool Finish() { return capture.Finish(); }

private:
    void ApplyVolume();

    std::unique_ptr<ondra::AudioDevice> device;
    std::unique_ptr<WorldSounds> sounds;
    AudioCapture capture;
    float volume = 1.0f;
    bool muted = false;
};
