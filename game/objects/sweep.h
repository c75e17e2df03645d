// Sweeping a move past what stops movers: the level's walls, floor and
// ceiling, and shut doors. The wall query sees only where a point is, and a
// frame's move can be longer than a wall's band (or both bands of a shared
// edge), so a move is checked in steps of at most kMaxSweepStep, half a
// wall's band: no step can jump over a wall, however long the frame. The
// player, its bolts and the creature's shot all move through Sweep.
#pragma once

#include "game/core/sub_steps.h"
#include "game/core/vector3.h"

class CObject;
class Level;
class LevelCollider;

constexpr float kMaxSweepStep = 0.1f;

// What stops a mover. Each may be null: without a level or a collider there
// are no walls, without a door group no doors.
struct Obstacles {
    const Level* level = nullptr;
    const LevelCollider* collider = nullptr;
    const CObject* doors = nullptr;  // the group whose shut doors stop movers

    // True when a step from `before` to `after` ends touching a wall, the
    // floor or the ceiling, or runs into a shut door; the contact's normal,
    // pointing back into the open, is written then. Walls are asked first.
    bool Stop(const Vector3& before, const Vector3& after, Vector3& normal) const;
};

enum class SweepEnd {
    kClear,    // every step was taken
    kBlocked,  // a step met an obstacle; the normal is written
    kHalted,   // the mover stopped for a reason of its own
};

// Follows a move of `length` from `from` in SubStepsFor(length,
// kMaxSweepStep) equal steps, up to the first step that meets an obstacle.
// `stepTo(i, steps, point)` sets `point` to where step i (1 to steps) ends,
// computed as the mover computes its own positions (the player from its
// start point, a shot by adding each step on, so each keeps its own float
// arithmetic), and returns false to halt there (a shot out of range).
template <class StepTo>
SweepEnd Sweep(const Obstacles& obstacles, const Vector3& from, float length, StepTo&& stepTo, Vector3& normal) {
    const int steps = SubStepsFor(length, kMaxSweepStep);
    Vector3 before = from;
    for (int i = 1; i <= steps; ++i) {
        Vector3 after = before;
        if (!stepTo(i, steps, after)) return SweepEnd::kHalted;
        if (obstacles.Stop(before, after, normal)) return SweepEnd::kBlocked;
        before = after;
    }
    return SweepEnd::kClear;
}
