// The game window's handlers.
#include "game/my_window.h"

#include <GL/gl.h>

#include "framework/main.h"
#include "game/render/camera.h"
#include "game/run/state_report.h"
#include "game/world/gl_state.h"
#include "game/world/hud.h"
#include "game/world/world_builder.h"

MyWindow::MyWindow() : world(std::make_unique<World>()), frame(*world), controls(*world->player) {
    SetSize(kStartSize, kStartSize);
    SetDepthBits(24);
    SetTitle("compound");
    auto made = std::make_unique<Hud>(&world->textures, world->player.get(), this);
    hud = made.get();
    world->player->SetHud(std::move(made));
}

// The world's GL objects go while the window's context still exists.
MyWindow::~MyWindow() { ReleaseWorld(); }

void MyWindow::ReleaseWorld() {
    if (!world) return;
    audio.Stop();
    const bool current = MakeCurrent(true);
    hud = nullptr;
    world.reset();
    if (current) MakeCurrent(false);
}

void MyWindow::Configure(const GameOptions& runOptions, std::vector<ScriptEvent> events) {
    GameOptions options = runOptions;  // the clock settles the frame count
    SetSize(options.width, options.height);
    clock.Configure(options, std::move(events));
    capture.Configure(options.shots, options.pictureDir);
    recorder.Start(options.recordFile, options.width, options.height);
    frame.SetCulling(options.cull);
    if (hud) hud->SetSkipClearTexels(options.cull);
    frame.SetPhaseTimes(clock.Phases());
    stateFile = options.stateFile;
    audio.Configure(options);
}

void MyWindow::OnCreate() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    SwapBuffers();

    BuildWorld(*world);
    LoadGameProjection(AspectOf(Width(), Height()));
    SetUpGameGl();
    SetCursor(0);
    WarpPointer(Width() / 2, Height() / 2);
    // Each model's GL resources exist before the first frame.
    world->models.DrawAll();
    frame.Prepare();
    audio.Start(*world);
    clock.Start();
}

// A quit (Esc, live or scripted) ends the run before the next frame, so a
// recorded session and its playback draw the same frames.
void MyWindow::OnDisplay() {
    if (!world || closing) return;
    clock.PlayDueEvents(*this);
    if (closing) return;
    const float dt = clock.BeginFrame();
    recorder.FrameTime(clock.FramesDrawn(), clock.LastStep());
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    controls.AddMovementKeys(dt, [this](int key) {
        const bool held = clock.KeyHeld(key);
        recorder.Held(clock.FramesDrawn(), key, held);
        return held;
    });
    frame.Run(dt, AspectOf(Width(), Height()));
    audio.Frame(dt, clock.LastStep());
    capture.SaveRequested(clock.FramesDrawn(), Width(), Height());
    SwapBuffers();
    frame.EndPhase(FramePhase::kSwap);
    if (clock.EndFrame()) Close();
}

void MyWindow::OnResize(int width, int height) {
    LoadGameProjection(AspectOf(width, height));
    glViewport(0, 0, width, height);
}

void MyWindow::OnMouseButton(int button, bool down) {
    if (!clock.AcceptsInput() || !world) return;
    recorder.Button(clock.FramesDrawn(), button, down);
    if (button != 0 || !down || !world->player->hasWeapon) return;
    world->player->Fire();
    frame.BoltFired();
}

void MyWindow::OnMouseMove(int x, int y) {
    if (!clock.AcceptsInput() || !world) return;
    recorder.Mouse(clock.FramesDrawn(), x, y);
    int wrappedX = 0;
    if (controls.OnMouseMove(x, y, Width(), wrappedX)) WarpPointer(wrappedX, Height() - y);
}

// Moves the real pointer to a point of the window (y from the top row).
// A scripted run leaves the real pointer alone.
void MyWindow::WarpPointer(int windowX, int windowY) {
    if (clock.Scripted()) return;
    int x = 0, y = 0;
    GetClientOrigin(x, y);
    ondra::SetCursorPos(x + windowX, y + windowY);
}

void MyWindow::OnKeyboard(int virtualKey, bool down) {
    if (!clock.AcceptsInput() || !world) return;
    recorder.Key(clock.FramesDrawn(), virtualKey, down);
    if (!down) return;
    switch (controls.OnKeyPress(virtualKey)) {
        case PlayerControls::Command::kQuit:
            closing = true;
            Close();
            break;
        case PlayerControls::Command::kFullScreen: SetFullscreen(controls.FullScreen()); break;
        case PlayerControls::Command::kSaveFrame: capture.SaveNumbered(clock.FramesDrawn(), Width(), Height()); break;
        case PlayerControls::Command::kMute: audio.ToggleMute(); break;
        case PlayerControls::Command::kNone: break;
    }
}

void MyWindow::OnIdle() {
    clock.WaitForNextFrame();
    Redraw();
}

// Each output is written whatever became of the others. The world is
// gone only once the window is, after its own call.
bool MyWindow::EndRun() {
    if (runEnded) return outputsWritten;
    runEnded = true;
    clock.PrintTimes();
    const long frames = clock.FramesDrawn();
    const bool stateSaved = stateFile.empty() || (world && SaveStateReport(stateFile, frames, world->Groups()));
    const bool recorded = recorder.Finish(frames);
    const bool captured = capture.Finish(frames);
    const bool soundWritten = audio.Finish();
    outputsWritten = stateSaved && recorded && captured && soundWritten;
    return outputsWritten;
}

// Destroyed from outside: the report still tells how the run ended.
void MyWindow::OnDestroy() {
    EndRun();
    audio.Stop();
    world.reset();
}
