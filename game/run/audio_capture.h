// AudioCapture: --audio FILE, the game's sound as a WAV file, rendered from
// the device's memory output in lockstep with the frames: each frame adds
// exactly the samples of its time step (the run's clock, rounded once in
// all, never frame by frame), so a script gives the same file every time.
#pragma once

#include <string>

#include "framework/audio/sound_clip.h"

namespace ondra {
class AudioDevice;
}

class AudioCapture {
public:
    // `file` empty: nothing is captured. `plannedSeconds`, when the run's
    // length is known (a script's), makes room for all of its sound at
    // once, so that no frame grows the buffer.
    void Configure(const std::string& file, double plannedSeconds = 0.0);
    bool Active() const { return !file.empty(); }

    // After a frame that lasted `step` seconds: mixes the samples that
    // bring the sound to the run's whole time so far; silence without a
    // device (--mute).
    void AddFrame(ondra::AudioDevice* device, double step);
    long FramesOfSound() const { return static_cast<long>(clip.Frames()); }

    // Writes the file (replacing an older one only once complete); false,
    // said on standard error, when it could not be written. Nothing to do
    // without --audio.
    bool Finish();

private:
    std::string file;
    double seconds = 0.0;
    ondra::SoundClip clip;
};
