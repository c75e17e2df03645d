// The world's half of each object kind: how the kind is made from its map
// entry (its class's FromMap) and the group of the world it joins. One
// row per kind of game/level_file/object_kinds.h, whose table holds the
// rest; a test checks that every kind there has a row here.
#pragma once

#include "game/level_file/object_kinds.h"
#include "game/objects/map_object_setting.h"

class CObject;
struct World;

struct ObjectMaker {
    MapObjectKind kind;
    MakeMapObject make;
    CObject World::*group;
};

// The kind's row; null for a kind without one.
const ObjectMaker* MakerOf(MapObjectKind kind);
