// The sliding door's leaves: their motion and drawing.
#include "game/objects/automatic_door.h"

#include <GL/gl.h>

#include <cstdio>

#include "game/objects/player.h"
#include "game/objects/state_fields.h"

namespace {

// The two leaves stand just either side of the plane, so they never fight
// for depth while they overlap.
constexpr float kOuterOffset = 0.051f;
constexpr float kInnerOffset = 0.049f;

}  // namespace

AutomaticDoor::AutomaticDoor(const Vector3& position, float radius) : leafA(position), leafB(position) {
    this->position = position;
    this->radius = radius;
}

float AutomaticDoor::Slide() const { return SpansX() ? leafB.x - position.x : leafB.z - position.z; }

void AutomaticDoor::Update(float dt) {
    (void)dt;
    float Vector3::*axis = SpansX() ? &Vector3::x : &Vector3::z;
    const float centre = position.*axis;
    if (state == kOpening) {
        if (leafB.*axis >= centre + kOpenSlide) {
            leafB.*axis = centre + kOpenSlide;
            leafA.*axis = centre - kOpenSlide;
            state = kOpen;
        } else {
            leafB.*axis += kStep;
            leafA.*axis -= kStep;
        }
    } else if (state == kClosing) {
        if (leafB.*axis <= centre) {
            leafB.*axis = centre;
            leafA.*axis = centre;
            state = kClosed;
        } else {
            leafB.*axis -= kStep;
            leafA.*axis += kStep;
        }
    }
    state = kClosing;
}

void AutomaticDoor::OnCollision(CObject* other) {
    if (!dynamic_cast<const Player*>(other)) return;
    std::printf("Player is near the door\n");
    if (state != kOpen) state = kOpening;
}

bool AutomaticDoor::IsShut() const { return Slide() < kClearSlide; }

void AutomaticDoor::Draw() {
    glDisable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPushMatrix();
    glBegin(GL_QUADS);
    EmitSquare(leafB, -kOuterOffset, -1.0f);
    EmitSquare(leafB, -kInnerOffset, 1.0f);
    EmitSquare(leafA, kOuterOffset, 1.0f);
    EmitSquare(leafA, kInnerOffset, -1.0f);
    glEnd();
    glPopMatrix();
    glEnable(GL_CULL_FACE);
}

std::string AutomaticDoor::StateLine() const {
    return DoorStateLine("auto", false) + " leafA=" + StateTriple(leafA) + " leafB=" + StateTriple(leafB);
}

std::unique_ptr<CObject> AutomaticDoor::FromMap(const MapObject& entry, const MapPlacement& placed,
                                            const MapObjectSetting& setting) {
    auto door = std::make_unique<AutomaticDoor>(placed.position, placed.radius);
    door->SetUpFromMap(entry, placed, setting);
    return door;
}
