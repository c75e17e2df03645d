// LockedDoor: a single translucent slab that rises into the ceiling while
// the player stands at it, once the player has touched it carrying its key.
// It sinks back whenever the player is not touching it.
#pragma once

#include <memory>

#include "game/objects/door.h"
#include "game/objects/map_object_setting.h"

class LockedDoor : public Door {
public:
    static constexpr float kClosedHeight = 1.5f;
    static constexpr float kOpenHeight = 4.5f;
    static constexpr float kStep = 0.05f;  // per frame, whatever the frame time
    // The slab's lower edge must be this high for the player to pass.
    static constexpr float kClearEdge = 2.0f;

    LockedDoor(const Vector3& position, float radius);

    // One step towards open or closed; afterwards the door is always
    // closing, so only a touch in the next frame keeps it opening.
    void Update(float dt) override;
    void Draw() override;
    // The player's key unlocks it for good; an unlocked door opens on touch.
    void OnCollision(CObject* other) override;
    bool IsShut() const override;

    int keyId = 0;
    bool locked = true;
    // How often the player, without the key, has run into it: counted for
    // the door's sound, never read by the game.
    int refusals = 0;

    // Made from its map entry, placed (map_object_setting.h).
    static std::unique_ptr<CObject> FromMap(const MapObject& entry, const MapPlacement& placed,
                                            const MapObjectSetting& setting);
    std::string StateLine() const override;
};
