// The locked door's slab: its motion, unlocking and drawing.
#include "game/objects/locked_door.h"

#include <GL/gl.h>

#include <algorithm>

#include "game/objects/player.h"

namespace {

// Half the slab's thickness: its two faces stand this far either side of
// the door's plane.
constexpr float kFaceOffset = 0.1f;

}  // namespace

LockedDoor::LockedDoor(const Vector3& position, float radius) {
    this->position = position;
    this->radius = radius;
}

void LockedDoor::Update(float dt) {
    (void)dt;
    // The limit test comes before the step, so the slab may pass a limit by
    // less than one step for a frame before it is set there.
    if (state == kOpening) {
        if (position.y >= kOpenHeight) {
            position.y = kOpenHeight;
            state = kOpen;
        } else {
            position.y += kStep;
        }
    } else if (state == kClosing) {
        if (position.y <= kClosedHeight) {
            position.y = kClosedHeight;
            state = kClosed;
        } else {
            position.y -= kStep;
        }
    }
    state = kClosing;
}

void LockedDoor::OnCollision(CObject* other) {
    const auto* player = dynamic_cast<const Player*>(other);
    if (!player) return;
    if (std::find(player->keys.begin(), player->keys.end(), keyId) != player->keys.end()) locked = false;
    if (state != kOpen && !locked) state = kOpening;
    if (locked) ++refusals;
}

bool LockedDoor::IsShut() const { return position.y - kClosedHeight < kClearEdge; }

void LockedDoor::Draw() {
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPushMatrix();
    glBegin(GL_QUADS);
    EmitSquare(position, -kFaceOffset, -1.0f);
    EmitSquare(position, kFaceOffset, 1.0f);
    glEnd();
    glPopMatrix();
    glDisable(GL_BLEND);
    glEnable(GL_CULL_FACE);
}

std::string LockedDoor::StateLine() const { return DoorStateLine("locked", locked); }

std::unique_ptr<CObject> LockedDoor::FromMap(const MapObject& entry, const MapPlacement& placed,
                                            const MapObjectSetting& setting) {
    auto door = std::make_unique<LockedDoor>(placed.position, placed.radius);
    door->keyId = entry.keyId;
    door->SetUpFromMap(entry, placed, setting);
    return door;
}
