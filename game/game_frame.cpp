// The frame's steps and draws, in the game's order.
#include "game/game_frame.h"

#include <GL/gl.h>

#include "framework/load3ds/model.h"
#include "game/frame_times.h"
#include "game/objects/bolt_projectile.h"
#include "game/objects/player.h"
#include "game/render/camera.h"
#include "game/world.h"

std::vector<const char*> GameFrame::PhaseNames() {
    return {"clear and view", "surface", "collisions and updates", "lamps", "sky", "level", "pickups",
            "creatures",      "doors",   "player and HUD",         "swap"};
}

namespace {

constexpr double kFarPlane = 250.0;

}  // namespace

void GameFrame::Prepare() { culler.SetModelReach(world.models.LargestReach()); }

void GameFrame::EndPhase(Phase phase) {
    if (phases) phases->EndPhase(phase);
}

void GameFrame::Run(float dt, float aspect) {
    LoadGameProjection(aspect, kFarPlane);
    Camera& camera = *world.player->GetCamera();
    glPushMatrix();
    camera.Apply();
    glEnable(GL_LIGHTING);
    if (cull)
        culler.Look(world.level, camera.position, ViewFrustum::FromCurrentMatrices());
    else
        culler.SeeEverything();
    EndPhase(kView);

    DrawSurface();
    EndPhase(kSurface);

    Step(dt);
    // In eye space after the camera, so the sun stays put in the world.
    const float sunAt[4] = {-40.0f, 80.0f, -80.0f, 1.0f};
    glLightfv(GL_LIGHT7, GL_POSITION, sunAt);
    EndPhase(kWorldStep);

    Draw();
    glPopMatrix();
    EndBoltFlash();
}

void GameFrame::DrawSurface() {
    if (!world.planetSurface || !world.hasSurface || !culler.MayShow(world.surfaceBox)) return;
    glPushMatrix();
    glTranslatef(World::kSurfaceOffset.x, World::kSurfaceOffset.y, World::kSurfaceOffset.z);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    world.planetSurface->Draw(ondra::DRAW_MATERIALS);
    glPopMatrix();
}

void GameFrame::Step(float dt) {
    World& w = world;
    Player& player = *w.player;
    w.doors.Collide(&player);
    w.lights.Collide(&player);
    w.pickups.Collide(&player);
    w.enemies.Collide(&player);
    if (CObject* bolt = player.CurrentBolt()) w.enemies.Collide(bolt);

    w.playerGroup.UpdateTree(dt);
    w.doors.UpdateTree(dt);
    w.enemies.UpdateTree(dt);
}

// Culling may leave out blocks, pickups, creatures and doors, never the
// lamps, the sky or the player with the HUD.
void GameFrame::Draw() {
    World& w = world;
    w.lights.DrawTree();
    EndPhase(kLamps);
    w.level.Sky().Draw();
    EndPhase(kSky);
    if (cull)
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

void GameFrame::DrawGroup(CObject& group) {
    if (cull)
        culler.DrawGroup(group);
    else
        group.DrawTree();
}

void GameFrame::EndBoltFlash() {
    if (boltFlashFrames != 0 && --boltFlashFrames == 0) glDisable(GL_LIGHT5);
}
