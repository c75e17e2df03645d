// MyWindow: the game's window. It owns the whole world (the level, the
// player, the five object groups, the caches and the planet surface),
// builds it once its GL context exists, advances and draws it once per
// repaint, and turns keyboard and mouse input into the player's actions.
// Beyond the game proper it can play a script of input events on a
// simulated clock, end after a number of frames, save frames as pictures
// and report the world's state at the end.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/glwindow.h"
#include "game/frame_times.h"
#include "game/options.h"
#include "game/scene_culler.h"
#include "game/script.h"
#include "game/world.h"

class MyWindow : public ondra::GLWindow {
public:
    static constexpr int kStartSize = 512;
    // The frame time every per-frame push of the movement keys is scaled to.
    static constexpr float kReferenceFrame = 0.02f;
    // The longest frame the world is advanced by, whatever the clock says.
    static constexpr float kMaxFrameTime = 0.1f;

    MyWindow();
    ~MyWindow() override;

    // How this run plays: real or scripted input, frame limit, end frame,
    // screenshots and the state report.
    void Configure(const GameOptions& options, std::vector<ScriptEvent> script);

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
    long FramesDrawn() const { return framesDrawn; }
    // Writes the state report of the world as it is now.
    bool WriteState(const std::string& path) const;
    // The run is over: writes the state report the options ask for.
    void EndRun();

private:
    void SetProjection(double farPlane);
    void SetUpLights();
    void FindSurfaceBox();
    void DrawWorld();
    void DrawGroup(CObject& group);
    void AddMovementKeys(float dt);
    void PlayScriptFor(long frame);
    bool KeyHeld(int virtualKey) const;
    bool AcceptsInput() const;
    void WarpPointer(int windowX, int windowY);
    float NextFrameTime();
    void WaitForNextFrame();
    void SaveFrame(const std::string& path);
    void SaveNumberedFrame();
    void SaveRequestedShots();
    void ReleaseWorld();

    std::unique_ptr<World> world;
    bool hasSurface = false;
    Box3 surfaceBox;  // the planet surface as placed in the world
    SceneCuller culler;

    float mouseSensitivity = 0.5f;
    int lastMouseX = 0;
    int lastMouseY = 0;
    bool mouseSeen = false;  // the first motion only records where the pointer is
    bool fullscreenOn = false;
    int boltFlashFrames = 2;

    // The run.
    GameOptions options;
    std::vector<ScriptEvent> script;
    size_t nextEvent = 0;
    bool scripted = false;
    bool playingScript = false;  // a script event is being handled
    std::vector<bool> scriptKeys = std::vector<bool>(256, false);
    double recordedDt = 0.0;  // the next frame's step from the script, if it has one
    long framesDrawn = 0;
    double nextFrameDue = 0.0;
    bool stateWritten = false;
    FrameTimes frameTimes;  // the timedemo's
    enum Phase { kView, kSurface, kWorldStep, kLamps, kSky, kLevel, kPickups, kCreatures, kDoors, kPlayer, kSwap };
    std::unique_ptr<PhaseTimes> phases;  // with --breakdown
    void EndPhase(Phase phase) {
        if (phases) phases->EndPhase(phase);
    }
};
