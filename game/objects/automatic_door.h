// AutomaticDoor: two leaves that slide apart sideways while the player is
// near and slide back together as soon as the player is not.
#pragma once

#include <memory>

#include "game/objects/door.h"
#include "game/objects/map_object_setting.h"

class AutomaticDoor : public Door {
public:
    static constexpr float kStep = 0.1f;  // per leaf and frame, whatever the frame time
    static constexpr float kOpenSlide = 3.0f;
    // Each leaf must have slid this far for the gap between them to let the
    // player through.
    static constexpr float kClearSlide = 2.0f;

    // Both leaves start on top of each other at the door's centre.
    AutomaticDoor(const Vector3& position, float radius);

    // One step of each leaf; afterwards the door is always closing.
    void Update(float dt) override;
    void Draw() override;
    // Says the player is near and opens on every touching frame.
    void OnCollision(CObject* other) override;
    bool IsShut() const override;

    // How far leaf B has slid from the centre along the door.
    float Slide() const;

    Vector3 leafA;  // slides towards negative x (or z)
    Vector3 leafB;  // slides towards positive x (or z)

    // Made from its map entry, placed (map_object_setting.h).
    static std::unique_ptr<CObject> FromMap(const MapObject& entry, const MapPlacement& placed,
                                            const MapObjectSetting& setting);
    std::string StateLine() const override;

};
