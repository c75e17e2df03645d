// LookSet: the looks already met while the culler walks a group, as a set
// that keeps its memory from frame to frame (open addressing in one
// table), so that culling allocates nothing once the table has grown to
// the largest group.
#pragma once

#include <cstddef>
#include <vector>

#include "game/objects/object.h"

class LookSet {
public:
    // Empties the set, with room for `count` looks.
    void Clear(std::size_t count);
    // Adds the look unless an equal one is there; true when it was added.
    // At most `count` looks may be added after Clear.
    bool Insert(const ObjectLook& look);

private:
    static std::size_t Hash(const ObjectLook& look);

    std::vector<ObjectLook> slots;
    std::vector<char> used;  // [i]: slots[i] holds a look
    std::size_t mask = 0;    // the table in use is slots[0..mask]
};
