// A small hand-built world drawn with the game's own textures and models,
// for tests that look at frames: a 2 x 3 compound with walls round its
// edge, no ceiling over the north-east block (the sky shows there), the
// object groups of the game and a player with its arms and HUD. Needs a
// current GL context; Draw runs one frame as the game draws it.
#pragma once

#include <initializer_list>
#include <memory>

#include "game/level.h"
#include "game/level_collider.h"
#include "game/model_cache.h"
#include "game/objects/object.h"
#include "game/player.h"
#include "game/texture_cache.h"

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
    // the given angles: sky, level, then the groups in the game's order.
    void Draw(const Vector3& eye, float yaw, float pitch);

    TextureCache textures{50};
    ModelCache models;
    Level level{&textures};
    LevelCollider collider;
    CObject doors, lights, pickups, enemies, playerGroup;
    Player player{&level, &collider, &textures, &enemies};

private:
    std::unique_ptr<Block> MakeBlock(int row, int column);
};

// The average colour of the square of pixels around (x, y) of the read
// buffer, as r + g + b.
int BrightnessAround(int x, int y, int half = 4);

}  // namespace game_test
