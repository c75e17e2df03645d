// Wall, floor and ceiling contact, and the ground under the player.
#include "game/level/level_collider.h"

#include <algorithm>
#include <cmath>

#include "game/level/level.h"
#include "game/render/gl_lights.h"

namespace {

constexpr float kCeilingHeight = 3.0f;
constexpr float kRampLength = 6.0f;
constexpr float kRampRise = 3.0f;
constexpr float kSunGlowAtEdge = 0.05f;
constexpr float kSunGlowPerRamp = 0.3f;
constexpr float kSunGlowMax = gl_lights::kSunBrightness;

}  // namespace

bool LevelCollider::IsWallHit(const Vector3& position, const Level& level, Vector3& normal) const {
    const float x = position.x;
    const float y = position.y;
    const float z = position.z;
    if (!level.Contains(x, z)) return false;

    int row = 0;
    int column = 0;
    const Block* block = level.CellUnder(x, z, row, column) ? level.BlockAt(row, column) : nullptr;
    // Each wall's band lies on the cell's own side of its edge.
    const float xMin = Level::kBlockUnits * column + kWallBand;
    const float xMax = Level::kBlockUnits * (column + 1) - kWallBand;
    const float zMin = Level::kBlockUnits * row + kWallBand;
    const float zMax = Level::kBlockUnits * (row + 1) - kWallBand;

    Vector3 found;
    if (block && block->north && z <= zMin) {
        found = Vector3(0.0f, 0.0f, 1.0f);
    } else if (block && block->south && z >= zMax) {
        found = Vector3(0.0f, 0.0f, -1.0f);
    } else if (block && block->east && x >= xMax) {
        found = Vector3(-1.0f, 0.0f, 0.0f);
    } else if (block && block->west && x <= xMin) {
        found = Vector3(1.0f, 0.0f, 0.0f);
    } else if (y > kCeilingHeight) {
        found = Vector3(0.0f, -1.0f, 0.0f);
    } else if (y < 0.0f) {
        found = Vector3(0.0f, 1.0f, 0.0f);
    } else {
        return false;
    }
    normal = found;
    return true;
}

bool IsOnRamp(float x, float z) { return x > -kRampLength && x < 0.0f && z > 0.0f && z < Level::kBlockUnits; }

float EyeHeightAt(float x, float z, const Level& level) {
    if (level.Contains(x, z)) return LevelCollider::kFloorEyeHeight;
    if (IsOnRamp(x, z)) return LevelCollider::kFloorEyeHeight + kRampRise * std::fabs(x) / kRampLength;
    return LevelCollider::kSurfaceEyeHeight;
}

float RampSunBrightness(float x) {
    return std::min(kSunGlowAtEdge + kSunGlowPerRamp * std::fabs(x) / kRampLength, kSunGlowMax);
}

LevelCollider::Ground LevelCollider::GroundAt(const Vector3& position, const Level& level) const {
    Ground ground;
    ground.eyeHeight = EyeHeightAt(position.x, position.z, level);
    ground.onRamp = !level.Contains(position.x, position.z) && IsOnRamp(position.x, position.z);
    if (ground.onRamp) ground.sunBrightness = RampSunBrightness(position.x);
    return ground;
}
