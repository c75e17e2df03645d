// When each sound of a scripted playthrough begins in its --audio capture:
// on the first sample of its event's frame.
// The frame of each event is read from the state report, taken after
// every frame; the sound is found in the capture by its own waveform (its
// file, correlated along the mix), so that the footsteps, wind or hum
// around it cannot pass for it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "framework/audio/wav_reader.h"
#include "framework/main.h"
#include "game/level_file/sound_names.h"
#include "game/my_window.h"
#include "game/objects/locked_door.h"
#include "game/run/state_report.h"
#include "tests/framework/window_fixture.h"
#include "tests/support/in_folder.h"
#include "tests/support/scratch_folder.h"

namespace {

constexpr double kDt = 0.05;  // the playthroughs' frame
constexpr int kRate = 44100;
constexpr long kFrameSamples = 2205;

// The game window, keeping the state report after each frame it draws,
// with a line for how often each locked door has refused the player,
// which the report does not tell.
class ReportingWindow : public MyWindow {
public:
    void OnDisplay() override {
        MyWindow::OnDisplay();
        if (!GetWorld() || FramesDrawn() <= static_cast<long>(reports.size())) return;
        std::string report = StateReport(FramesDrawn(), GetWorld()->Groups());
        for (const CObject& object : GetWorld()->doors.Children())
            if (const auto* door = dynamic_cast<const LockedDoor*>(&object))
                report += "refused count=" + std::to_string(door->refusals) + "\n";
        reports.push_back(report);
    }
    std::vector<std::string> reports;  // [f]: after frame f
};

struct Capture {
    std::vector<std::string> reports;
    std::vector<float> mix;  // the left and right channels summed
};

// Plays a playthrough script for `frames` frames with --audio.
Capture Play(const std::string& script, long frames) {
    std::vector<ScriptEvent> events;
    std::string error;
    EXPECT_TRUE(ReadScript(std::string(PLAYTHROUGH_DIR) + "/" + script, events, error)) << error;
    const ondra::test::ScratchFolder dir;
    GameOptions options;
    options.scriptFile = script;
    options.dt = kDt;
    options.frames = frames;
    options.audioFile = dir.File("sound.wav");
    Capture capture;
    {
        ondra::test::TestApp app;
        ReportingWindow window;
        window.Configure(options, events);
        const ondra::test::InFolder inData(ONDRA_DATA_DIR);
        testing::internal::CaptureStdout();  // the 3DS reader's trace
        ondra::Main::Instance()->Execute(0, nullptr);
        testing::internal::GetCapturedStdout();
        EXPECT_TRUE(window.EndRun());
        capture.reports = window.reports;
    }
    ondra::SoundClip clip;
    EXPECT_TRUE(ondra::LoadWav(options.audioFile.c_str(), clip, error)) << error;
    for (size_t i = 0; i + 1 < clip.samples.size(); i += 2)
        capture.mix.push_back(float(clip.samples[i]) + float(clip.samples[i + 1]));
    return capture;
}

// The first frame whose report has a line of `kind` with every field.
long FirstFrameWith(const std::vector<std::string>& reports, const std::string& kind,
                    const std::vector<std::string>& fields) {
    for (size_t frame = 0; frame < reports.size(); ++frame) {
        std::istringstream lines(reports[frame]);
        for (std::string line; std::getline(lines, line);) {
            bool all = line.rfind(kind + " ", 0) == 0;
            for (const std::string& field : fields) all = all && (line + " ").find(" " + field + " ") != std::string::npos;
            if (all) return static_cast<long>(frame);
        }
    }
    return -1;
}

// A sound of the data folder at the capture's rate, interpolated
// linearly as OpenAL plays it.
std::vector<float> Waveform(const char* name) {
    ondra::SoundClip clip;
    std::string error;
    EXPECT_TRUE(ondra::LoadWav((std::string(ONDRA_DATA_DIR) + "/" + name).c_str(), clip, error)) << error;
    std::vector<float> wave;
    const double step = double(clip.rate) / kRate;
    for (double at = 0; at + 1 < double(clip.samples.size()); at += step) {
        const size_t i = size_t(at);
        wave.push_back(float(clip.samples[i] + (at - double(i)) * (clip.samples[i + 1] - clip.samples[i])));
    }
    return wave;
}

// Where in [from, to) the mix looks most like the sound's first frame, and
// how much: their correlation, 1 when the mix holds nothing else.
struct Found {
    long at = -1;
    double likeness = 0;
};
Found FindSound(const std::vector<float>& mix, const std::vector<float>& sound, long from, long to) {
    const long length = std::min<long>(long(sound.size()), kFrameSamples);
    double soundEnergy = 0;
    for (long k = 0; k < length; ++k) soundEnergy += double(sound[k]) * sound[k];
    Found best;
    for (long at = std::max(0L, from); at < to && at + length <= long(mix.size()); ++at) {
        double product = 0, mixEnergy = 0;
        for (long k = 0; k < length; ++k) {
            product += double(mix[at + k]) * sound[k];
            mixEnergy += double(mix[at + k]) * mix[at + k];
        }
        const double likeness = product / std::sqrt(soundEnergy * mixEnergy + 1e-9);
        if (likeness > best.likeness) best = {at, likeness};
    }
    return best;
}

// How loud `sound`, started at sample `start` of the mix (and looping), is
// in [from, to): its gain there, by least squares.
double GainIn(const std::vector<float>& mix, const std::vector<float>& sound, long start, long from, long to) {
    double product = 0, energy = 0;
    for (long k = from; k < to; ++k) {
        const float sample = sound[size_t(k - start) % sound.size()];
        product += double(mix[k]) * sample;
        energy += double(sample) * sample;
    }
    return product / energy;
}

struct Event {
    const char* what;
    const Capture* capture;
    const char* kind;  // the state report's line once it has happened
    std::vector<std::string> fields;
    const char* sound;
};

TEST(SoundTiming, EachSoundBeginsInItsEventsFrameAndTheHumEndsWithTheWreck) {
    const Capture reactor = Play("reactor.txt", 525);
    const Capture medikit = Play("medikit.txt", 380);
    const Capture keydoor = Play("keydoor.txt", 1567);
    ASSERT_EQ(reactor.reports.size(), 525u);
    const Event events[] = {
        {"the weapon taken", &reactor, "pickup", {"kind=weapon", "taken=1"}, game_sounds::kWeaponPickup},
        {"the door's first slide", &reactor, "door", {"x=15.000", "leafB=15.000,1.500,1.600"}, game_sounds::kDoorOpen},
        {"the creature fires", &reactor, "vorlax", {"shot=1"}, game_sounds::kCreatureShot},
        {"the player fires", &reactor, "player", {"ammo=14"}, game_sounds::kShot},
        {"the bolt bursts", &reactor, "bolt", {"exploded=1"}, game_sounds::kBoltHit},
        {"the generator wrecked", &reactor, "generator", {"destroyed=1"}, game_sounds::kGeneratorWreck},
        {"a medikit taken", &medikit, "pickup", {"kind=medikit", "taken=1"}, game_sounds::kMedikitPickup},
        {"the locked door refuses", &keydoor, "refused", {"count=1"}, game_sounds::kDoorLocked},
        {"the key taken", &keydoor, "pickup", {"kind=key", "taken=1"}, game_sounds::kKeyPickup},
        {"the locked door's rise", &keydoor, "door", {"kind=locked", "y=1.550"}, game_sounds::kDoorOpen},
    };
    for (const Event& event : events) {
        SCOPED_TRACE(event.what);
        const long frame = FirstFrameWith(event.capture->reports, event.kind, event.fields);
        ASSERT_GT(frame, 0);
        // A frame's sounds start with the samples mixed after it, on the
        // first: a sound of another kind that also starts with a burst
        // (a bolt's burst against a creature's cry) can be as alike a
        // sample or a few hundred away, never on it.
        const long expected = frame * kFrameSamples;
        const Found found =
            FindSound(event.capture->mix, Waveform(event.sound), expected - 2 * kFrameSamples, expected + 2 * kFrameSamples);
        EXPECT_GT(found.likeness, 0.3) << "not heard near frame " << frame;
        EXPECT_EQ(found.at - expected, 0) << "samples off the frame's first";
    }
    // The wreck, fitted to its waveform, is taken out of the mix; what
    // is left holds the hum until the wreck's frame and not after.
    const long wreck = FirstFrameWith(reactor.reports, "generator", {"destroyed=1"}) * kFrameSamples;
    const std::vector<float> wreckSound = Waveform(game_sounds::kGeneratorWreck);
    const double wreckGain = GainIn(reactor.mix, wreckSound, wreck, wreck, wreck + kFrameSamples);
    std::vector<float> rest = reactor.mix;
    for (size_t k = 0; k < wreckSound.size() && wreck + k < rest.size(); ++k)
        rest[wreck + k] -= float(wreckGain * wreckSound[k]);
    const std::vector<float> hum = Waveform(game_sounds::kGeneratorHum);
    const double humming = GainIn(rest, hum, 0, wreck - 20 * kFrameSamples, wreck - kFrameSamples);
    EXPECT_GT(humming, 0.1) << "no hum before the wreck";
    EXPECT_GT(GainIn(rest, hum, 0, wreck - kFrameSamples, wreck), humming / 2) << "the hum ended early";
    double after = 0;  // the loudest from the frame after the wreck's on
    long afterFrame = 0;
    for (long at = wreck + kFrameSamples; at + kFrameSamples <= long(rest.size()); at += kFrameSamples) {
        const double gain = std::abs(GainIn(rest, hum, 0, at, at + kFrameSamples));
        if (gain > after) after = gain, afterFrame = (at - wreck) / kFrameSamples;
    }
    EXPECT_LT(after, humming / 5) << "the hum heard " << afterFrame << " frames after the wreck";
}

}  // namespace
