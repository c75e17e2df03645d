// SceneCuller: once a frame, decides which of the frame's draws could not
// change a pixel, so the window may skip them: blocks and objects outside
// the view frustum, and whatever no opening of the level's grid lets the
// camera see. A skipped draw must leave every later draw as it would have
// been, so what is never skipped stays the window's business (the lamps,
// which place the GL lights; the sky; the player with the HUD).
#pragma once

#include <cstddef>
#include <vector>

#include "game/level/cell_sight.h"
#include "game/level/view_frustum.h"
#include "game/objects/object.h"
#include "game/world/look_set.h"

class Level;

class SceneCuller {
public:
    // How far any object's drawing may reach from its position: `modelReach`
    // is the furthest any model reaches from its origin; the rest is room
    // for the effects (a flame rises far above its source).
    void SetModelReach(float modelReach);

    // Judges the frame seen from `eye` through `frustum`.
    void Look(const Level& level, const Vector3& eye, const ViewFrustum& frustum);
    // Judges nothing out: every draw may be seen.
    void SeeEverything();

    // Marks the cells (r * columns + c) whose block may be seen.
    const std::vector<char>& BlocksShown() const { return blocksShown; }
    bool MayShow(const Box3& box) const;
    // Whether the object or anything in its subtree may be seen.
    bool MayShow(const CObject& object) const;

    // Draws a group as DrawTree does, but each top-level member only when it
    // may be seen and no later member of the same look (ObjectLook) will
    // cover it; a member not drawn gets PassUnseen instead. Returns how
    // many members it drew.
    std::size_t DrawGroup(CObject& group);

private:
    // Fills `shown`, by the group's members in order: whether the member
    // is to be drawn, being in sight and the last of its look.
    void MembersToDraw(const CObject& group);

    Box3 ReachAround(const Vector3& position) const;

    bool everything = true;
    ViewFrustum frustum;
    CellSight cells;
    std::vector<char> blocksShown;
    float sideReach = 0.0f;
    float upReach = 0.0f;
    float downReach = 0.0f;
    // Kept from frame to frame so that a frame allocates nothing.
    std::vector<const CObject*> members;
    std::vector<char> shown;
    LookSet later;
};
