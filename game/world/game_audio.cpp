// Opening the run's sound and moving it on frame by frame.
#include "game/world/game_audio.h"

#include <climits>

#include "framework/audio/audio_device.h"
#include "game/sound/world_sounds.h"
#include "game/world/world.h"

GameAudio::GameAudio() = default;

GameAudio::~GameAudio() = default;

void GameAudio::Configure(const GameOptions& options) {
    // A script plays a known number of frames, each of its frame time.
    const bool planned = !options.scriptFile.empty() && options.frames > 0 && options.frames < LONG_MAX;
    capture.Configure(options.audioFile, planned ? static_cast<double>(options.frames) * options.dt : 0.0);
    volume = static_cast<float>(options.volume) / 100.0f;
    if (options.mute) return;
    const ondra::AudioOutput output =
        options.audioFile.empty() ? ondra::AudioOutput::kSoundCard : ondra::AudioOutput::kMemory;
    device = std::make_unique<ondra::AudioDevice>(ondra::AudioSettings{output, "", "compound: "});
}

void GameAudio::Start(const World& world) {
    if (!device || !device->Audible()) return;
    sounds = std::make_unique<WorldSounds>(*device, ".");
    sounds->Watch({world.player.get(), &world.doors, &world.pickups, &world.enemies, &world.level});
    ApplyVolume();
}

void GameAudio::Frame(float worldStep, double clockStep) {
    if (sounds) sounds->Update(worldStep);
    if (device) device->Poll();
    capture.AddFrame(device.get(), clockStep);
}

void GameAudio::ToggleMute() {
    muted = !muted;
    ApplyVolume();
}

void GameAudio::Stop() { sounds.reset(); }

void GameAudio::ApplyVolume() {
    if (device) device->Listener().SetGain(muted ? 0.0f : volume);
}
