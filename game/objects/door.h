// Door: the base of the compound's two kinds of door. A door is a 3 x 3
// square centred on its position, standing on the edge between two blocks;
// while its opening is not clear it stops the player and the player's bolts
// as a wall would.
#pragma once

#include "game/level/block.h"
#include "game/objects/map_object_setting.h"
#include "game/objects/object.h"

class Door : public CObject {
public:
    enum State { kOpen = 0, kClosed = 1, kOpening = 2, kClosing = 3 };
    static constexpr float kHalfSpan = 1.5f;

    // True while the opening is too narrow to pass through.
    virtual bool IsShut() const = 0;

    // Whether a move from `from` to `to` runs into the door while it is
    // shut: it crosses the door's plane within the door's span, or ends
    // within the wall band of the plane there, coming closer. On a block the
    // normal, pointing back to the side the move came from, is written.
    bool Blocks(const Vector3& from, const Vector3& to, Vector3& normal) const;

    // Doors on a north or south edge span x; on a west or east edge, z.
    bool SpansX() const { return orientation == kFacingNorth || orientation == kFacingSouth; }

    int state = kClosed;
    int orientation = kFacingNorth;  // the block edge it stands on
    unsigned int texture = 0;

protected:
    // Shut, on the entry's side, with the texture it names (a missing
    // image's texture kept as the cache gives it).
    void SetUpFromMap(const MapObject& entry, const MapPlacement& placed, const MapObjectSetting& setting);
    // "door kind=KIND state=N locked=L" and the position.
    std::string DoorStateLine(const char* kind, bool locked) const;
    // One textured 3 x 3 square in the door's plane around `centre`, moved
    // `offset` across the plane and facing `facing` (+1 or -1) along the
    // plane's axis. Call between glBegin(GL_QUADS) and glEnd.
    void EmitSquare(const Vector3& centre, float offset, float facing) const;
};

// True when any door directly under `doorGroup` blocks the move; null
// groups block nothing.
bool DoorsBlock(const CObject* doorGroup, const Vector3& from, const Vector3& to, Vector3& normal);
