// The game window: building the world, the frame, input and the run's
// extras (scripts, the frame limit, pictures, the state report).
#include "game/my_window.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "framework/image.h"
#include "framework/keys.h"
#include "framework/load3ds/model.h"
#include "framework/main.h"
#include "game/camera.h"
#include "game/game_clock.h"
#include "game/hud.h"
#include "game/map_loader.h"
#include "game/objects/bolt_projectile.h"
#include "game/state_report.h"

namespace {

// constexpr: the window is made before main() with the program's one
// application, so this must not wait for dynamic initialisation.
constexpr float kKeyPush = 0.6f;  // per held direction and reference frame
constexpr float kMapSide = 3.0f;  // world units per block
constexpr int kVkF12 = ondra::VK_F1 + 11;

// Front faces in wireframe or filled, toggled by U; the first press keeps
// them filled.
bool wireFlag = false;

void SetLight(GLenum light, GLenum parameter, float r, float g, float b, float a) {
    const float value[4] = {r, g, b, a};
    glLightfv(light, parameter, value);
}

}  // namespace

MyWindow::MyWindow() : world(std::make_unique<World>()) {
    SetSize(kStartSize, kStartSize);
    SetDepthBits(24);
    SetTitle("compound");
    Player& player = *world->player;
    player.SetHud(std::make_unique<Hud>(&world->textures, &player, this));
}

// The world's GL objects go while the window's context still exists.
MyWindow::~MyWindow() { ReleaseWorld(); }

void MyWindow::ReleaseWorld() {
    if (!world) return;
    const bool current = MakeCurrent(true);
    world.reset();
    if (current) MakeCurrent(false);
}

void MyWindow::Configure(const GameOptions& runOptions, std::vector<ScriptEvent> events) {
    options = runOptions;
    SetSize(options.width, options.height);
    script = std::move(events);
    scripted = !options.scriptFile.empty();
    if (scripted) {
        game_clock::Simulate(0.0);
        if (!options.fpsGiven) options.fps = 0;
    }
    if (options.timedemo) {
        // As fast as it goes, and over when the script is.
        options.fps = 0;
        if (options.frames < 0) options.frames = script.empty() ? 1 : script.back().frame + 1;
        frameTimes.Reserve(static_cast<size_t>(options.frames));
        if (options.breakdown)
            phases = std::make_unique<PhaseTimes>(std::vector<const char*>{
                "clear and view", "surface", "collisions and updates", "lamps", "sky", "level", "pickups",
                "creatures", "doors", "player and HUD", "swap"});
    }
}

void MyWindow::OnCreate() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    SwapBuffers();

    World& w = *world;
    w.level.BuildFaceLists(1.0f);
    LoadMap("map.txt", w);
    for (const char* arm : game_assets::kArmModels) w.models.Lookup(arm)->SetScale(Player::kArmModelScale);

    // Each group's sphere must hold the whole level, or nothing in the part
    // left out could ever touch the player. Columns run along x, rows along
    // z; the larger side sets the radius.
    const float rows = static_cast<float>(w.level.Rows());
    const float columns = static_cast<float>(w.level.Columns());
    for (CObject* group : {&w.doors, &w.lights, &w.pickups, &w.playerGroup, &w.enemies}) {
        group->radius = kMapSide * std::max(rows, columns);
        group->position = Vector3(kMapSide * columns / 2.0f, 1.5f, kMapSide * rows / 2.0f);
    }

    w.planetSurface = std::make_unique<ondra::Model>();
    hasSurface = w.planetSurface->Load(game_assets::kSurface);
    if (!hasSurface) std::printf("PlanetSurface model could not be loaded!\n");
    FindSurfaceBox();

    SetProjection(250.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_CULL_FACE);
    SetUpLights();

    w.player->AttachTo(&w.playerGroup);
    SetCursor(0);
    WarpPointer(Width() / 2, Height() / 2);
    mouseSensitivity = 0.5f;
    fullscreenOn = false;
    boltFlashFrames = 2;
    w.models.DrawAll();
    culler.SetModelReach(w.models.LargestReach());
    nextFrameDue = ondra::GetTime();
}

// The surface is drawn translated to (-0.6, 3.5, 29.05) and turned -90
// degrees about x, which takes a model point (x, y, z) to (x, z, -y).
void MyWindow::FindSurfaceBox() {
    const ondra::Vec3 centre = world->planetSurface->GetCentre();
    const ondra::Vec3 size = world->planetSurface->GetSize();
    const Vector3 placedCentre(centre.x - 0.6f, centre.z + 3.5f, -centre.y + 29.05f);
    const Vector3 half(size.x / 2.0f, size.z / 2.0f, size.y / 2.0f);
    surfaceBox = Box3{placedCentre - half, placedCentre + half};
}

// Material and the fixed lights: 7 the sun, 5 the bolt's glow, 6 the
// flashlight's spot; lamps 0 to 4 are set up by the map's lights.
void MyWindow::SetUpLights() {
    const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, white);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, white);
    const float dark[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, dark);

    SetLight(GL_LIGHT7, GL_AMBIENT, 0, 0, 0, 1);
    SetLight(GL_LIGHT7, GL_DIFFUSE, 0.3f, 0.3f, 0.3f, 1);
    SetLight(GL_LIGHT7, GL_POSITION, -80, 80, 80, 1);

    SetLight(GL_LIGHT5, GL_AMBIENT, 0, 0, 0, 1);
    SetLight(GL_LIGHT5, GL_DIFFUSE, 0.1f, 0.1f, 0.1f, 1);

    SetLight(GL_LIGHT6, GL_AMBIENT, 1, 1, 1, 1);
    SetLight(GL_LIGHT6, GL_DIFFUSE, 1, 1, 1, 1);
    SetLight(GL_LIGHT6, GL_SPECULAR, 1, 1, 1, 1);
    glLightf(GL_LIGHT6, GL_CONSTANT_ATTENUATION, 1.0f);
    glLightf(GL_LIGHT6, GL_LINEAR_ATTENUATION, 0.1f);
    glLightf(GL_LIGHT6, GL_QUADRATIC_ATTENUATION, 0.0f);
    glLightf(GL_LIGHT6, GL_SPOT_CUTOFF, 25.0f);
    glLightf(GL_LIGHT6, GL_SPOT_EXPONENT, 25.0f);

    glEnable(GL_LIGHT7);
}

void MyWindow::SetProjection(double farPlane) {
    const int height = Height() > 0 ? Height() : 1;
    LoadGameProjection(static_cast<float>(Width()) / static_cast<float>(height), farPlane);
}

// The frame time: the system clock's, capped, or the script's fixed step.
// A long stall would otherwise fling the player through walls.
float MyWindow::NextFrameTime() {
    if (scripted) {
        game_clock::Advance(options.dt);
        return static_cast<float>(options.dt);
    }
    const double elapsed = ondra::GetElapsedTime();
    return elapsed < kMaxFrameTime ? static_cast<float>(elapsed) : kMaxFrameTime;
}

void MyWindow::OnDisplay() {
    if (!world) return;
    PlayScriptFor(framesDrawn);
    World& w = *world;
    Player& player = *w.player;

    const double frameStart = ondra::GetTime();
    if (phases) phases->StartFrame();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const float dt = NextFrameTime();
    SetProjection(250.0);
    AddMovementKeys(dt);

    glPushMatrix();
    player.GetCamera()->Apply();
    glEnable(GL_LIGHTING);
    if (options.cull)
        culler.Look(w.level, player.GetCamera()->position, ViewFrustum::FromCurrentMatrices());
    else
        culler.SeeEverything();
    EndPhase(kView);

    if (hasSurface && culler.MayShow(surfaceBox)) {
        glPushMatrix();
        glTranslatef(-0.6f, 3.5f, 29.05f);
        glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
        w.planetSurface->Draw(ondra::DRAW_MATERIALS);
        glPopMatrix();
    }
    EndPhase(kSurface);

    w.doors.Collide(&player);
    w.lights.Collide(&player);
    w.pickups.Collide(&player);
    w.enemies.Collide(&player);
    if (CObject* bolt = player.CurrentBolt()) w.enemies.Collide(bolt);

    w.playerGroup.UpdateTree(dt);
    w.doors.UpdateTree(dt);
    w.enemies.UpdateTree(dt);

    SetLight(GL_LIGHT7, GL_POSITION, -40, 80, -80, 1);
    EndPhase(kWorldStep);

    DrawWorld();
    glPopMatrix();

    if (boltFlashFrames != 0 && --boltFlashFrames == 0) glDisable(GL_LIGHT5);
    SaveRequestedShots();
    SwapBuffers();
    EndPhase(kSwap);
    if (options.timedemo) frameTimes.Add(ondra::GetTime() - frameStart);
    ++framesDrawn;
    if (options.frames > 0 && framesDrawn >= options.frames) Close();
}

// Lamps first (they place the GL lights), then the sky, the level and the
// groups; culling may leave out blocks, pickups, creatures and doors, never
// the lamps, the sky or the player with the HUD.
void MyWindow::DrawWorld() {
    World& w = *world;
    w.lights.DrawTree();
    EndPhase(kLamps);
    w.level.Sky().Draw();
    EndPhase(kSky);
    if (options.cull)
        w.level.Draw(culler.BlocksShown());
    else
        w.level.Draw();
    EndPhase(kLevel);
    DrawGroup(w.pickups);
    EndPhase(kPickups);
    DrawGroup(w.enemies);
    EndPhase(kCreatures);
    DrawGroup(w.doors);
    EndPhase(kDoors);
    w.playerGroup.DrawTree();
    EndPhase(kPlayer);
}

void MyWindow::DrawGroup(CObject& group) {
    if (options.cull)
        culler.DrawGroup(group);
    else
        group.DrawTree();
}

// Pictures of this frame are taken from the back buffer before it is shown.
void MyWindow::SaveRequestedShots() {
    for (const Screenshot& shot : options.shots)
        if (shot.frame == framesDrawn) SaveFrame(shot.file);
}

// Each held direction adds its push, scaled to the frame's length so the
// walking speed settles at the same pace whatever the frame rate.
void MyWindow::AddMovementKeys(float dt) {
    struct Direction {
        int keyA, keyB;
        Vector3 push;
    };
    static const Direction kDirections[] = {
        {ondra::VK_UP, 'W', Vector3(0.0f, 0.0f, kKeyPush)},
        {ondra::VK_DOWN, 'S', Vector3(0.0f, 0.0f, -kKeyPush)},
        {ondra::VK_RIGHT, 'D', Vector3(kKeyPush, 0.0f, 0.0f)},
        {ondra::VK_LEFT, 'A', Vector3(-kKeyPush, 0.0f, 0.0f)},
    };
    const float scale = dt / kReferenceFrame;
    Camera& camera = *world->player->GetCamera();
    for (const Direction& d : kDirections)
        if (KeyHeld(d.keyA) || KeyHeld(d.keyB)) camera.velocity += d.push * scale;
}

bool MyWindow::KeyHeld(int virtualKey) const {
    if (!scripted) return ondra::IsKeyDown(virtualKey);
    return virtualKey >= 0 && virtualKey < static_cast<int>(scriptKeys.size()) && scriptKeys[virtualKey];
}

// A scripted run hears only its script; the real keyboard and mouse are
// ignored.
bool MyWindow::AcceptsInput() const { return !scripted || playingScript; }

void MyWindow::PlayScriptFor(long frame) {
    playingScript = true;
    for (; nextEvent < script.size() && script[nextEvent].frame <= frame; ++nextEvent) {
        const ScriptEvent& event = script[nextEvent];
        switch (event.kind) {
            case ScriptEvent::kKey:
                scriptKeys[event.code] = event.down;
                OnKeyboard(event.code, event.down);
                break;
            case ScriptEvent::kMouse:
                OnMouseMove(event.x, event.y);
                break;
            case ScriptEvent::kButton:
                OnMouseButton(event.code, event.down);
                break;
        }
    }
    playingScript = false;
}

void MyWindow::OnResize(int width, int height) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(55.0, static_cast<float>(width) / static_cast<float>(height > 0 ? height : 1), 0.1, 200.0);
    glMatrixMode(GL_MODELVIEW);
    glViewport(0, 0, width, height);
}

void MyWindow::OnMouseButton(int button, bool down) {
    if (!AcceptsInput() || !world) return;
    if (button != 0 || !down || !world->player->hasWeapon) return;
    world->player->Fire();
    boltFlashFrames = 2;
}

// Mouse look: the turn is the distance moved. At the window's left or right
// edge the pointer jumps to the other side, so turning never runs out.
void MyWindow::OnMouseMove(int x, int y) {
    if (!AcceptsInput() || !world) return;
    if (!mouseSeen) {
        mouseSeen = true;
        lastMouseX = x;
        lastMouseY = y;
        return;
    }
    if (x != 0 && x != Width() - 1) {
        Camera& camera = *world->player->GetCamera();
        camera.yaw += static_cast<float>(x - lastMouseX) * mouseSensitivity;
        camera.pitch += static_cast<float>(y - lastMouseY) * mouseSensitivity;
        lastMouseX = x;
        lastMouseY = y;
        return;
    }
    const int wrappedX = x == 0 ? Width() - 2 : 1;
    lastMouseX = wrappedX;
    lastMouseY = y;
    WarpPointer(wrappedX, Height() - y);
}

// Moves the real pointer to a point of the window (y from the top row).
// A scripted run leaves the real pointer alone.
void MyWindow::WarpPointer(int windowX, int windowY) {
    if (scripted) return;
    int x = 0, y = 0;
    GetPosition(x, y);
    ondra::SetCursorPos(x + windowX, y + windowY);
}

void MyWindow::OnKeyboard(int virtualKey, bool down) {
    if (!AcceptsInput() || !down || !world) return;
    Player& player = *world->player;
    switch (virtualKey) {
        case ondra::VK_ESCAPE: Close(); break;
        case 'B': player.Hurt(); break;
        case 'E':
            if (player.health < Player::kFullHealth) player.UseMedikit();
            break;
        case 'R': player.Reload(); break;
        case 'T':
            fullscreenOn = !fullscreenOn;
            SetFullscreen(fullscreenOn);
            break;
        case 'U':
            glPolygonMode(GL_FRONT, wireFlag ? GL_LINE : GL_FILL);
            wireFlag = !wireFlag;
            break;
        case 'V': player.ToggleHud(); break;
        case kVkF12: SaveNumberedFrame(); break;
        default: break;
    }
}

void MyWindow::OnIdle() {
    WaitForNextFrame();
    Redraw();
}

// Sleeps until the next frame is due under the frame limit, by the real
// clock even in a scripted run. Frames that fall behind are not made up for.
void MyWindow::WaitForNextFrame() {
    if (options.fps <= 0) return;
    const double period = 1.0 / options.fps;
    const double now = ondra::GetTime();
    if (nextFrameDue > now + period) nextFrameDue = now;  // the clock went back
    if (nextFrameDue > now) std::this_thread::sleep_for(std::chrono::duration<double>(nextFrameDue - now));
    nextFrameDue = std::max(nextFrameDue, now) + period;
}

void MyWindow::SaveFrame(const std::string& path) {
    ondra::Image picture;
    glReadBuffer(GL_BACK);
    if (!picture.ReadPixels(0, 0, Width(), Height(), ondra::BGR) || !picture.Save(path.c_str()))
        std::fprintf(stderr, "compound: could not save frame %ld as %s\n", framesDrawn, path.c_str());
}

void MyWindow::SaveNumberedFrame() {
    for (int number = 1; number < 1000; ++number) {
        char name[32];
        std::snprintf(name, sizeof name, "compound-%03d.bmp", number);
        const std::string path = options.pictureDir.empty() ? name : options.pictureDir + "/" + name;
        std::error_code error;
        if (std::filesystem::exists(path, error)) continue;
        SaveFrame(path);
        std::fprintf(stderr, "compound: saved %s\n", path.c_str());
        return;
    }
    std::fprintf(stderr, "compound: no free picture name left\n");
}

bool MyWindow::WriteState(const std::string& path) const {
    if (!world) return false;
    std::FILE* out = std::fopen(path.c_str(), "w");
    if (!out) return false;
    WriteStateReport(out, framesDrawn, world->Groups());
    return std::fclose(out) == 0;
}

void MyWindow::EndRun() {
    if (stateWritten) return;
    stateWritten = true;
    if (options.timedemo) PrintFrameSummary(stderr, frameTimes.Summarize());
    if (phases) phases->Print(stderr, static_cast<size_t>(framesDrawn));
    if (options.stateFile.empty()) return;
    if (!WriteState(options.stateFile))
        std::fprintf(stderr, "compound: could not write the state report %s\n", options.stateFile.c_str());
}

// Destroyed from outside: the report still tells how the run ended.
void MyWindow::OnDestroy() {
    EndRun();
    world.reset();
}
