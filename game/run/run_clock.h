// RunClock: how a run of the game passes in time. It plays a script's
// input events before the frames they belong to (and then hears nothing
// else), gives each frame its time step (the script's fixed step on the
// simulated clock, or the real clock's, capped), holds the frame limit, and
// counts and times the frames: the run ends after the frames asked for (a
// scripted run, by default, after its last event's frame), and a timedemo
// reports its frame times. A recorded live run keeps the game's clock as
// the sum of its steps, as its playback will.
#pragma once

#include <memory>
#include <vector>

#include "game/run/frame_times.h"
#include "game/run/options.h"
#include "game/run/script.h"

namespace ondra {
class GLWindow;
}

class RunClock {
public:
    // The longest frame the world is advanced by, whatever the clock says:
    // a long stall would otherwise fling the player through walls.
    static constexpr float kMaxFrameTime = 0.1f;

    // Takes the run's options, completing those a script or a timedemo
    // implies (no frame limit, the end frame), and its script.
    void Configure(GameOptions& options, std::vector<ScriptEvent> script);
    // Called when the world is ready: the frame limit counts from here.
    void Start();

    bool Scripted() const { return scripted; }
    // A scripted run hears only its script; the real keyboard and mouse are
    // ignored.
    bool AcceptsInput() const { return !scripted || playingScript; }
    // Whether a key is held: the script's keys in a scripted run, the
    // keyboard's otherwise.
    bool KeyHeld(int virtualKey) const;

    // Plays the events due by the next frame through the window's handlers.
    void PlayDueEvents(ondra::GLWindow& window);
    // Marks the frame's start; gives its time step.
    float BeginFrame();
    // The step the game's clock took at the last BeginFrame, before the cap
    // on the world's step: what a recording writes as the frame's time.
    double LastStep() const { return lastStep; }
    // After the swap: counts the frame; true when the run is over.
    bool EndFrame();
    long FramesDrawn() const { return framesDrawn; }
    // Sleeps until the next frame is due under the frame limit, by the real
    // clock even in a scripted run. Frames that fall behind are not made up
    // for.
    void WaitForNextFrame();

    // The timedemo's phase split; null without --breakdown.
    PhaseTimes* Phases() { return phases.get(); }
    // The timedemo's summaries on standard error.
    void PrintTimes() const;

private:
    float NextFrameTime();
    // The clock frames are paced and timed by.
    double RealNow() const;
    // Seconds on it since the previous call; kFirstRealStep the first time.
    double RealStep();

    std::vector<ScriptEvent> script;
    size_t nextEvent = 0;
    bool scripted = false;
    bool recording = false;
    bool playingScript = false;  // a script event is being handled
    std::vector<bool> scriptKeys = std::vector<bool>(256, false);
    double recordedDt = 0.0;  // the next frame's step from the script, if it has one
    double lastStep = 0.0;
    static constexpr double kShortestRecordedStep = 1e-6;
    static constexpr double kLongestRecordedStep = 60.0;
    int fps = 60;
    long frameLimit = -1;
    bool timedemo = false;
    double scriptDt = 0.02;
    long framesDrawn = 0;
    double nextFrameDue = 0.0;
    double frameStart = 0.0;
    static constexpr double kFirstRealStep = 0.02;
    double previousFrameStart = -1.0;
    FrameTimes frameTimes;
    std::unique_ptr<PhaseTimes> phases;
};
