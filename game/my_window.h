// MyWindow: the game's window. It owns the world and adapts the window's
// handlers to the game: the world is built (BuildWorld) when the GL context
// exists, each repaint runs one GameFrame, input goes to the player's
// controls, and the run's clock (RunClock) plays scripts, paces frames and
// ends the run; FrameCapture saves the pictures asked for,
// SessionRecorder records a live session and GameAudio plays (or writes)
// the sound.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/glwindow.h"
#include "game/run/frame_capture.h"
#include "game/run/options.h"
#include "game/run/run_clock.h"
#include "game/run/script.h"
#include "game/run/session_recorder.h"
#include "game/world/game_audio.h"
#include "game/world/game_frame.h"
#include "game/world/player_controls.h"
#include "game/world/world.h"

class Hud;

class MyWindow : public ondra::GLWindow {
public:
    static constexpr int kStartSize = 512;

    MyWindow();
    ~MyWindow() override;

    // How this run plays: real or scripted input, frame limit, end frame,
    // screenshots and the state report.
    void Configure(const GameOptions& runOptions, std::vector<ScriptEvent> script);

    void OnCreate() override;
    void OnDestroy() override;
    void OnDisplay() override;
    void OnResize(int width, int height) override;
    void OnMouseButton(int button, bool down) override;
    void OnMouseMove(int x, int y) override;
    void OnKeyboard(int virtualKey, bool down) override;
    void OnIdle() override;

    // The world; null once the window is gone (its GL resources go with
    // the window's context).
    World* GetWorld() { return world.get(); }
    GameFrame& Frame() { return frame; }
    long FramesDrawn() const { return clock.FramesDrawn(); }
    // The run is over: the timedemo's times, and the state report, the
    // recording and the check of the pictures the options ask for. False
    // when one of those outputs could not be written (said on standard
    // error); the same answer on every call.
    bool EndRun();

private:
    void WarpPointer(int windowX, int windowY);
    void ReleaseWorld();

    std::unique_ptr<World> world;
    Hud* hud = nullptr;  // the HUD the window made; the player owns it
    GameFrame frame;
    PlayerControls controls;
    RunClock clock;
    FrameCapture capture;
    SessionRecorder recorder;
    GameAudio audio;
    std::string stateFile;
    bool closing = false;  // a quit was asked for: no frame is drawn after it
    bool runEnded = false;
    bool outputsWritten = true;
};
