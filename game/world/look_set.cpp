// The look set's table: twice the looks it may hold, rounded up to a
// power of two, so that a probe ends soon on an empty slot.
#include "game/world/look_set.h"

#include <algorithm>
#include <functional>

void LookSet::Clear(std::size_t count) {
    std::size_t size = 16;
    while (size < 2 * count) size *= 2;
    if (used.size() < size) {
        used.resize(size);
        slots.resize(size);
    }
    std::fill(used.begin(), used.begin() + static_cast<std::ptrdiff_t>(size), 0);
    mask = size - 1;
}

bool LookSet::Insert(const ObjectLook& look) {
    std::size_t slot = Hash(look) & mask;
    for (; used[slot]; slot = (slot + 1) & mask)
        if (slots[slot] == look) return false;
    used[slot] = 1;
    slots[slot] = look;
    return true;
}

// Adding 0 makes -0 the +0 it equals, so equal looks hash alike.
std::size_t LookSet::Hash(const ObjectLook& look) {
    std::size_t hash = std::hash<const void*>()(look.kind);
    for (std::size_t part : {std::hash<const void*>()(look.model), std::hash<float>()(look.position.x + 0.0f),
                             std::hash<float>()(look.position.y + 0.0f), std::hash<float>()(look.position.z + 0.0f),
                             std::hash<int>()(look.turn)})
        hash = hash * 1000003u ^ part;
    return hash;
}
