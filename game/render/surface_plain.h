// The level ground of the planet's surface, in world units: over this box
// (the compound's roof, the ramp down to its entrance and the walk from the
// start point) the surface lies flat at the height a player outdoors walks
// on, and beyond it the ground rolls into hills that rise above the
// player's eye. The asset generator builds the surface's plain to it and
// the game keeps a player outdoors on it. No GL here, so the generator can
// ask too.
#pragma once

namespace surface_plain {

constexpr float kMinX = -22.0f;
constexpr float kMaxX = 46.0f;
constexpr float kMinZ = -6.0f;
constexpr float kMaxZ = 56.0f;

}  // namespace surface_plain
