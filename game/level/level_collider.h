// LevelCollider: the two questions moving objects ask of the level. Does a
// position touch a wall, the floor or the ceiling of the block it is in, and
// how high does the player's eye stand at a position (inside the compound,
// on the ramp down to it, or on the planet surface 3 units higher)? The
// questions change nothing; the player applies the second one's answer to
// itself and the sun (ApplyGroundHeight).
#pragma once

#include "game/core/vector3.h"

class Level;

class LevelCollider {
public:
    // How close an object may come to a wall of its own block.
    static constexpr float kWallBand = 0.2f;
    static constexpr float kFloorEyeHeight = 1.75f;
    static constexpr float kSurfaceEyeHeight = 4.75f;

    // True when the position lies inside the level and touches a face of the
    // block under it: within kWallBand of a wall on the block's own side of
    // the boundary, above the ceiling or below the floor. The normal, written
    // only on contact, points back into the open part of the block. North
    // beats south, east, west, the ceiling and the floor, in that order.
    bool IsWallHit(const Vector3& position, const Level& level, Vector3& normal) const;

    // The ground under a position: the eye height there, and on the ramp
    // the sun's brightness.
    struct Ground {
        float eyeHeight = kFloorEyeHeight;
        bool onRamp = false;
        float sunBrightness = 0.0f;  // only on the ramp
    };
    Ground GroundAt(const Vector3& position, const Level& level) const;
};

// The eye height at (x, z): 1.75 inside the level, rising along the ramp
// (-6 < x < 0, 0 < z < 3) to 4.75 on the planet surface.
float EyeHeightAt(float x, float z, const Level& level);
// True on the ramp between the compound's edge and the surface.
bool IsOnRamp(float x, float z);
// The sun's diffuse brightness on the ramp at x: 0.05 at the compound's edge,
// growing towards the surface, at most 0.3.
float RampSunBrightness(float x);
