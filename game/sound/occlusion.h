// How much of a sound gets through the level between where it is made and
// where it is heard: each wall and each shut door on the straight line
// between the two, read from the level's cells and the doors themselves
// (never from what the view shows), takes a share of its level away.
#pragma once

#include "game/core/vector3.h"

class CObject;
class Level;

// A wall or a shut door passes this share of a sound's level (-6 dB).
constexpr float kGainThroughWall = 0.5f;
// However many there are, this much still gets through (-18 dB).
constexpr float kLeastOcclusionGain = 0.125f;

// The walls between the points on the level's floor plan: a side of a
// cell crossed where the block on either side has its wall. Lines outside
// the grid cross nothing; a point outside it counts the level's edge.
int WallsBetween(const Level& level, const Vector3& from, const Vector3& to);
// The doors directly under `doorGroup` that are shut and that the line
// crosses within their span; a null group has none.
int ShutDoorsBetween(const CObject* doorGroup, const Vector3& from, const Vector3& to);

// The share of a sound's level that gets from `source` to `listener`.
float OcclusionGain(const Level& level, const CObject* doorGroup, const Vector3& listener, const Vector3& source);
