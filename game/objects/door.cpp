// Doors as obstacles.
#include "game/objects/door.h"

#include <GL/gl.h>

#include <cmath>

#include "game/level/level_collider.h"
#include "game/objects/state_fields.h"

bool Door::Blocks(const Vector3& from, const Vector3& to, Vector3& normal) const {
    if (!IsShut()) return false;
    // Distances across the door's plane, and along it from its centre.
    const float before = SpansX() ? from.z - position.z : from.x - position.x;
    const float after = SpansX() ? to.z - position.z : to.x - position.x;
    const float along = SpansX() ? to.x - position.x : to.z - position.z;
    if (!(std::fabs(along) <= kHalfSpan)) return false;
    const bool crosses = before * after < 0.0f;
    const bool closesIn = std::fabs(after) <= LevelCollider::kWallBand && std::fabs(after) < std::fabs(before);
    if (!crosses && !closesIn) return false;
    const float side = before < 0.0f ? -1.0f : 1.0f;
    normal = SpansX() ? Vector3(0.0f, 0.0f, side) : Vector3(side, 0.0f, 0.0f);
    return true;
}

void Door::EmitSquare(const Vector3& centre, float offset, float facing) const {
    const float h = kHalfSpan;
    const Vector3& c = centre;
    // Texture s runs along the door, t upwards.
    if (SpansX()) {
        const float z = c.z + offset;
        glNormal3f(0.0f, 0.0f, facing);
        glTexCoord2f(0, 0);
        glVertex3f(c.x - h, c.y - h, z);
        glTexCoord2f(0, 1);
        glVertex3f(c.x - h, c.y + h, z);
        glTexCoord2f(1, 1);
        glVertex3f(c.x + h, c.y + h, z);
        glTexCoord2f(1, 0);
        glVertex3f(c.x + h, c.y - h, z);
    } else {
        const float x = c.x + offset;
        glNormal3f(facing, 0.0f, 0.0f);
        glTexCoord2f(0, 0);
        glVertex3f(x, c.y - h, c.z - h);
        glTexCoord2f(0, 1);
        glVertex3f(x, c.y + h, c.z - h);
        glTexCoord2f(1, 1);
        glVertex3f(x, c.y + h, c.z + h);
        glTexCoord2f(1, 0);
        glVertex3f(x, c.y - h, c.z + h);
    }
}

bool DoorsBlock(const CObject* doorGroup, const Vector3& from, const Vector3& to, Vector3& normal) {
    if (!doorGroup) return false;
    for (const CObject& member : doorGroup->Children()) {
        const auto* door = dynamic_cast<const Door*>(&member);
        if (door && door->Blocks(from, to, normal)) return true;
    }
    return false;
}

std::string Door::DoorStateLine(const char* kind, bool locked) const {
    return std::string("door kind=") + kind + " state=" + std::to_string(state) + " locked=" + StateFlag(locked) +
           StatePosition(position);
}

void Door::SetUpFromMap(const MapObject& entry, const MapPlacement& placed, const MapObjectSetting& setting) {
    state = kClosed;
    orientation = placed.facing;
    if (!entry.texture.empty()) texture = setting.Texture(entry.texture);
}
