// GameFrame: one frame of the game, in its fixed order: place the view,
// draw the planet surface, step the world (collisions, then updates), place
// the sun, draw the lamps (they place the GL lights), the sky and the level
// (the level first when culling), the doors, the pickups, the creatures and
// last the player with its arms and HUD; then let the bolt light go out
// when its frames are over. The doors are opaque and belong with the level:
// a creature's glowing shot or a generator's flame blends over what is
// behind it, so what is behind it must be drawn first. The window calls Run once per repaint; tests
// call Run, Step and Draw on a world of their own.
#pragma once

#include <cstddef>

#include "game/run/frame_phase.h"
#include "game/world/scene_culler.h"

class CObject;
class PhaseTimes;
struct World;

class GameFrame {
public:
    explicit GameFrame(World& world) : world(world) {}

    // Culling skips draws, and texturing, that cannot change a pixel:
    // blocks and objects out of sight, the sky behind the level (drawn
    // after it). Off, everything is drawn whole in the game's plain order,
    // the reference every pixel of the culled frame must match. The HUD
    // skips its panels' fully transparent texels by a switch of its own
    // (Hud::SetSkipClearTexels), set beside this one.
    void SetCulling(bool on);
    // Draws the doors after the creatures, where the game drew them before
    // they joined the opaque world: a shot in front of a door then cut a
    // window through it, and a door painted over a flame in front of it.
    // Only for the test that shows the pictures changed nowhere else.
    void SetDoorsAfterCreatures(bool on) { doorsAfterCreatures = on; }
    // Marks each phase's end in `times`; null for none.
    void SetPhaseTimes(PhaseTimes* times) { phases = times; }
    // Once the world is built: what culling needs to know of its models.
    void Prepare();

    // The whole frame advanced by `dt` seconds, with the projection for a
    // view of that width / height.
    void Run(float dt, float aspect);
    // Collisions against the player and its bolt, then the updates of the
    // player, the doors and the enemies.
    void Step(float dt);
    // The draws, from the lamps to the player, under the current view.
    void Draw();
    // The game's projection for a view of that width / height, and the
    // player's view pushed on the modelview stack with lighting on: Run's
    // first step, which a caller of Draw ends with glPopMatrix.
    void PlaceView(float aspect);
    // The sun where it stands in the world, under the current view.
    static void PlaceSun();
    // How many pickups, creatures and doors (top-level members of their
    // groups) the last Draw drew.
    std::size_t ObjectsDrawn() const { return objectsDrawn; }

    // A shot lights the bolt light for the two frames drawn next.
    void BoltFired() { boltFlashFrames = 2; }
    void EndPhase(FramePhase phase);

private:
    void DrawSurface();
    void DrawLevelThenSky();
    void DrawGroup(CObject& group);
    void DrawDoors();
    void LayDoorDepths();
    void EndBoltFlash();

    World& world;
    SceneCuller culler;
    bool cull = true;
    bool doorsAfterCreatures = false;
    std::size_t objectsDrawn = 0;
    PhaseTimes* phases = nullptr;
    int boltFlashFrames = 2;
};
