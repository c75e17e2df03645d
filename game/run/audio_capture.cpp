// Rendering each frame's samples and writing them as one WAV file.
#include "game/run/audio_capture.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "framework/audio/audio_device.h"
#include "framework/audio/wav_writer.h"

namespace {

// Room for this much sound is made at once, so that frames rarely grow
// the buffer; a planned run gets room for its whole length, up to
// kMostPlannedSeconds (past that, it grows a minute at a time as well).
constexpr double kReserveSeconds = 60.0;
constexpr double kMostPlannedSeconds = 1200.0;

}  // namespace

void AudioCapture::Configure(const std::string& name, double plannedSeconds) {
    file = name;
    seconds = 0.0;
    clip.channels = ondra::AudioDevice::kRenderChannels;
    clip.rate = ondra::AudioDevice::kRenderRate;
    clip.samples.clear();
    // A second more than planned covers the rounding of the frames' steps.
    const double room = std::clamp(plannedSeconds + 1.0, kReserveSeconds, kMostPlannedSeconds);
    if (Active()) clip.samples.reserve(static_cast<size_t>(room * clip.rate) * clip.channels);
}

void AudioCapture::AddFrame(ondra::AudioDevice* device, double step) {
    if (!Active()) return;
    seconds += step;
    const size_t wanted = static_cast<size_t>(std::llround(seconds * clip.rate));
    const size_t have = clip.Frames();
    if (wanted <= have) return;
    const size_t channels = static_cast<size_t>(clip.channels);
    if (clip.samples.capacity() < wanted * channels)
        clip.samples.reserve(clip.samples.capacity() + static_cast<size_t>(kReserveSeconds * clip.rate) * channels);
    // New samples are silence until rendered.
    clip.samples.resize(wanted * channels);
    if (device) device->RenderSamples(clip.samples.data() + have * channels, wanted - have);
}

bool AudioCapture::Finish() {
    if (!Active()) return true;
    errno = 0;
    if (ondra::SaveWav(file.c_str(), clip)) return true;
    const int reason = errno;
    std::fprintf(stderr, "compound: could not write the sound %s%s%s\n", file.c_str(), reason ? ": " : "",
                 reason ? std::strerror(reason) : "");
    return false;
}
