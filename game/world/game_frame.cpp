// The frame's steps and draws, in the game's order.
#include "game/world/game_frame.h"

#include <GL/gl.h>

#include "framework/load3ds/model.h"
#include "game/objects/bolt_projectile.h"
#include "game/objects/player.h"
#include "game/render/camera.h"
#include "game/render/gl_lights.h"
#include "game/run/frame_times.h"
#include "game/world/world.h"

void GameFrame::SetCulling(bool on) { cull = on; }

void GameFrame::Prepare() { culler.SetModelReach(world.models.LargestReach()); }

void GameFrame::EndPhase(FramePhase phase) {
    if (phases) phases->EndPhase(static_cast<size_t>(phase));
}

void GameFrame::PlaceView(float aspect) {
    LoadGameProjection(aspect);
    glPushMatrix();
    world.player->GetCamera()->Apply();
    glEnable(GL_LIGHTING);
}

void GameFrame::PlaceSun() { glLightfv(gl_lights::kSun, GL_POSITION, gl_lights::kSunPosition); }

void GameFrame::Run(float dt, float aspect) {
    PlaceView(aspect);
    const Camera& camera = *world.player->GetCamera();
    if (cull)
        culler.Look(world.level, camera.position, ViewFrustum::FromCurrentMatrices());
    else
        culler.SeeEverything();
    EndPhase(FramePhase::kView);

    DrawSurface();
    EndPhase(FramePhase::kSurface);

    Step(dt);
    PlaceSun();
    EndPhase(FramePhase::kWorldStep);

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

// Culling may leave out blocks, doors, pickups and creatures, never the
// lamps, the sky or the player with the HUD. Everything opaque (the level,
// the sky, the doors) is drawn before anything that blends.
void GameFrame::Draw() {
    World& w = world;
    objectsDrawn = 0;
    w.lights.DrawTree();
    EndPhase(FramePhase::kLamps);
    if (cull) {
        DrawLevelThenSky();
    } else {
        w.level.Sky().Draw();
        EndPhase(FramePhase::kSky);
        w.level.Draw();
        EndPhase(FramePhase::kLevel);
    }
    if (!doorsAfterCreatures) DrawDoors();
    DrawGroup(w.pickups);
    EndPhase(FramePhase::kPickups);
    DrawGroup(w.enemies);
    EndPhase(FramePhase::kCreatures);
    if (doorsAfterCreatures) DrawDoors();
    w.playerGroup.DrawTree();
    EndPhase(FramePhase::kPlayer);
}

// The sky is textured only where the level leaves it seen. It draws no
// blended fragment and nothing drawn before it (the surface) or in the
// level lies at the sky's depth, so with the same depth test every pixel
// ends as with the sky first: where the sky is nearer it wins either way,
// where the level is nearer the sky's fragment fails instead of being
// covered (and costs little: a rejected fragment is not textured). The
// state the sky leaves is the state the level leaves but the bound
// texture, which every later draw binds for itself.
void GameFrame::DrawLevelThenSky() {
    World& w = world;
    if (!doorsAfterCreatures) LayDoorDepths();
    w.level.Draw(culler.BlocksShown());
    EndPhase(FramePhase::kLevel);
    w.level.Sky().Draw();
    EndPhase(FramePhase::kSky);
}

// The shown doors go into the depth buffer before the level, as the walls'
// fronts do: the room behind a door that fills the view then fails the
// depth test before it is textured and lit. They are the very squares the
// doors draw after the level, under the same matrices; the depth test
// passes equal depths, and a door is opaque, so every pixel ends as it
// would without this pass.
void GameFrame::LayDoorDepths() {
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDisable(GL_LIGHTING);
    culler.DrawGroup(world.doors);
    glPopAttrib();
}

void GameFrame::DrawDoors() {
    DrawGroup(world.doors);
    EndPhase(FramePhase::kDoors);
}

void GameFrame::DrawGroup(CObject& group) {
    if (cull) {
        objectsDrawn += culler.DrawGroup(group);
        return;
    }
    group.DrawTree();
    for (const CObject& member : group.Children()) {
        (void)member;
        ++objectsDrawn;
    }
}

void GameFrame::EndBoltFlash() {
    if (boltFlashFrames != 0 && --boltFlashFrames == 0) glDisable(gl_lights::kBoltLight);
}
