// The obstacles of a sweep: the level's faces, then shut doors.
#include "game/objects/sweep.h"

#include "game/level/level_collider.h"
#include "game/objects/door.h"

bool Obstacles::Stop(const Vector3& before, const Vector3& after, Vector3& normal) const {
    if (level && collider && collider->IsWallHit(after, *level, normal)) return true;
    return DoorsBlock(doors, before, after, normal);
}
