// Reachability: where the player can walk from the entrance. The walk goes
// from cell to neighbouring cell of the grid through every side that
// neither cell closes with a face (any face stops the player, whatever its
// type), empty cells included, since the game lets the player walk there
// too. A locked door on a side lets the walk through only once its key has been
// found: keys are picked up as their blocks come within reach, and the walk
// starts again until no new key turns up. Automatic doors always open.
//
// The walk enters at the entrance, block 1 1, from the ramp on its west
// side; a wall there is a finding of its own, and the walk goes in all the
// same so that the rest of the map can still be judged.
#pragma once

#include <map>
#include <set>
#include <vector>

#include "tools/map-check/map_model.h"

namespace mapcheck {

class Reachability {
public:
    // `openDoors`: indices into model.Objects() of locked doors to treat as
    // open whatever their key.
    Reachability(const MapModel& model, const std::vector<int>& openDoors = {});

    bool Reached(int row, int column) const;
    // The key numbers found on the way.
    const std::set<int>& Keys() const { return keys; }

private:
    void Walk();
    bool Passable(int row, int column, Facing side) const;
    bool DoorLets(int row, int column, Facing side) const;

    const MapModel& model;
    std::vector<int> openDoors;
    std::map<long long, std::vector<int>> doorsOnEdge;  // locked doors by EdgeId
    std::set<int> keys;
    std::vector<char> reached;
};

// Every locked door, as an index into model.Objects().
std::vector<int> LockedDoors(const MapModel& model);

// One number for the side between two neighbouring cells, the same from
// both of them.
long long EdgeId(int row, int column, Facing side);

}  // namespace mapcheck
