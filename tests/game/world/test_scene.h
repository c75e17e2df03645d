// A small hand-built world drawn with the game's own textures and models,
// for tests that look at frames: a 2 x 3 compound with walls round its
// edge, no ceiling over the north-east block (the sky shows there), the
// object groups of the game and a player with its arms and HUD. Needs a
// current GL context; Draw places the view and runs the game's own frame
// draw (GameFrame::Draw) on the game's own GL state (SetUpGameGl).
#pragma once

#include <initializer_list>
#include <memory>

#include "game/world/game_frame.h"
#include "game/world/world.h"

namespace ondra {
class GLWindow;
}

namespace game_test {

class Scene {
public:
    static constexpr int kSize = 256;

    // `window` gives the HUD its size and text; without one there is no HUD.
    explicit Scene(ondra::GLWindow* window);

    // Loads images and models from the game's data folder into the caches.
    void Load(std::initializer_list<const char*> names);

    // The game's fixed GL state plus one lamp (GL light 0) over the middle
    // of the compound, so rooms are lit without Light objects.
    static void SetUpGL();

    // One frame from an eye at `eye` (its height follows the ground) with
    // the given angles: the game's draws from the lamps to the player.
    void Draw(const Vector3& eye, float yaw, float pitch);
    // The same view as the game's whole frame runs it (GameFrame::Run, a
    // step of 0 seconds): the culling judges this view, and the sun lights
    // it instead of the lamp.
    void Run(const Vector3& eye, float yaw, float pitch);

    World world;
    TextureCache& textures = world.textures;
    ModelCache& models = world.models;
    Level& level = world.level;
    LevelCollider& collider = world.collider;
    CObject& doors = world.doors;
    CObject& lights = world.lights;
    CObject& pickups = world.pickups;
    CObject& enemies = world.enemies;
    CObject& playerGroup = world.playerGroup;
    Player& player = *world.player;
    GameFrame frame{world};

private:
    std::unique_ptr<Block> MakeBlock(int row, int column);
    // Places the eye and the player and clears the frame.
    void Aim(const Vector3& eye, float yaw, float pitch);
};

// The average colour of the square of pixels around (x, y) of the read
// buffer, as r + g + b.
int BrightnessAround(int x, int y, int half = 4);

}  // namespace game_test
