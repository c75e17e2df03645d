// Script playback, frame pacing, the frame's time step and the frame count.
#include "game/run/run_clock.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <thread>

#include "framework/glwindow.h"
#include "framework/main.h"
#include "game/core/game_clock.h"
#include "game/run/frame_phase.h"

void RunClock::Configure(GameOptions& options, std::vector<ScriptEvent> events) {
    script = std::move(events);
    scripted = !options.scriptFile.empty();
    // A recording runs on the real clock's steps, but the game's clock is
    // the sum of those steps, as it will be when the recording is played.
    recording = !options.recordFile.empty() && !scripted;
    if (scripted || recording) game_clock::Simulate(0.0);
    if (scripted) {
        if (!options.fpsGiven) options.fps = 0;
        // Nothing but the script moves a scripted run: it is over after the
        // frame of its last event.
        const long last = script.empty() ? 0 : script.back().frame;
        if (options.frames < 0) options.frames = last < LONG_MAX ? last + 1 : LONG_MAX;
    }
    if (options.timedemo) {
        // As fast as it goes.
        options.fps = 0;
        frameTimes.Reserve(static_cast<size_t>(options.frames));
        if (options.breakdown) {
            phases = std::make_unique<PhaseTimes>(FramePhaseNames());
            phases->Reserve(static_cast<size_t>(options.frames));
        }
    }
    fps = options.fps;
    frameLimit = options.frames;
    timedemo = options.timedemo;
    scriptDt = options.dt;
}

void RunClock::Start() { nextFrameDue = RealNow(); }

// A run that drives the game's clock (a script, a recording) measures the
// player's time beneath it; any other reads the game's clock, which is the
// system's unless a test simulates it.
double RunClock::RealNow() const { return scripted || recording ? game_clock::SystemNow() : game_clock::Now(); }

double RunClock::RealStep() {
    const double now = RealNow();
    const double step = previousFrameStart < 0.0 ? kFirstRealStep : now - previousFrameStart;
    previousFrameStart = now;
    return step;
}

bool RunClock::KeyHeld(int virtualKey) const {
    if (!scripted) return ondra::IsKeyDown(virtualKey);
    return virtualKey >= 0 && virtualKey < static_cast<int>(scriptKeys.size()) && scriptKeys[virtualKey];
}

void RunClock::PlayDueEvents(ondra::GLWindow& window) {
    playingScript = true;
    for (; nextEvent < script.size() && script[nextEvent].frame <= framesDrawn; ++nextEvent) {
        const ScriptEvent& event = script[nextEvent];
        switch (event.kind) {
            case ScriptEvent::kKey:
                scriptKeys[event.code] = event.down;
                window.OnKeyboard(event.code, event.down);
                break;
            case ScriptEvent::kMouse: window.OnMouseMove(event.x, event.y); break;
            case ScriptEvent::kButton: window.OnMouseButton(event.code, event.down); break;
            case ScriptEvent::kFrameTime: recordedDt = event.seconds; break;
        }
    }
    playingScript = false;
}

float RunClock::BeginFrame() {
    frameStart = RealNow();
    if (phases) phases->StartFrame();
    return NextFrameTime();
}

// A recorded frame time stands for the clock the recording ran on: capped
// as that clock's frames were.
float RunClock::NextFrameTime() {
    if (scripted && recordedDt > 0.0) {
        lastStep = recordedDt;
        recordedDt = 0.0;
        game_clock::Advance(lastStep);
        return lastStep < kMaxFrameTime ? static_cast<float>(lastStep) : kMaxFrameTime;
    }
    if (scripted) {
        lastStep = scriptDt;
        game_clock::Advance(scriptDt);
        return static_cast<float>(scriptDt);
    }
    lastStep = RealStep();
    // A recorded step must be one a script can hold (over 0, at most 60
    // seconds): the recording's run takes the step its playback will.
    if (recording) {
        lastStep = std::min(std::max(lastStep, kShortestRecordedStep), kLongestRecordedStep);
        game_clock::Advance(lastStep);
    }
    return lastStep < kMaxFrameTime ? static_cast<float>(lastStep) : kMaxFrameTime;
}

bool RunClock::EndFrame() {
    if (timedemo) frameTimes.Add(RealNow() - frameStart);
    ++framesDrawn;
    return frameLimit > 0 && framesDrawn >= frameLimit;
}

void RunClock::WaitForNextFrame() {
    if (fps <= 0) return;
    const double period = 1.0 / fps;
    const double now = RealNow();
    if (nextFrameDue > now + period) nextFrameDue = now;  // the clock went back
    if (nextFrameDue > now) std::this_thread::sleep_for(std::chrono::duration<double>(nextFrameDue - now));
    nextFrameDue = std::max(nextFrameDue, now) + period;
}

void RunClock::PrintTimes() const {
    if (timedemo) PrintFrameSummary(stderr, frameTimes.Summarize());
    if (!phases) return;
    phases->Print(stderr, static_cast<size_t>(framesDrawn));
    phases->PrintSlowest(stderr, frameTimes.Slowest());
}
