// Reachability: where the player can walk from the entrance. The walk goes
// from cell to neighbouring cell of the grid through every side that
// neither cell closes with a face (any face stops the player, whatever its
// type), empty cells included, since the game lets the player walk there
// too. A locked door on a side lets the walk through only once its key has
// been found: keys are picked up as their blocks come within reach, until
// no new key turns up. Automatic doors always open.
//
// The walk enters at the entrance, block 1 1, from the ramp on its west
// side; a wall there is a finding of its own, and the walk goes in all the
// same so that the rest of the map can still be judged.
//
// Maps may be large and hold many locked doors, so the grid is walked only
// once: its cells are joined into rooms (cells linked by sides without a
// face or a locked door), and the walk with keys then goes from room to
// room through the locked doors alone. That walk costs no more than the
// doors and keys it meets, so it can be repeated with other doors held open
// (KeysFoundWith) whatever the size of the grid.
#pragma once

#include <set>
#include <unordered_map>
#include <unordered_set>
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
    // The key numbers the walk would find with these doors open instead.
    std::set<int> KeysFoundWith(const std::vector<int>& openDoors) const;

private:
    // The locked doors on one side between two rooms; the walk passes once
    // it may pass every one of them.
    struct Gate {
        int rooms[2] = {0, 0};
        std::vector<int> doors;  // indices into model.Objects()
    };
    class Walk;

    void JoinRooms(const std::vector<unsigned char>& doorSides);
    void FindGates(const std::unordered_map<long long, std::vector<int>>& doorsOnEdge);
    int RoomOf(int row, int column) const;
    size_t CellIndex(int row, int column) const;

    const MapModel& model;
    // Per cell, at CellIndex: its room.
    std::vector<int> roomOfCell;
    // The ramp outside the entrance is a room of its own, the walk's start.
    int ramp = 0;
    std::vector<Gate> gates;
    // Only the rooms that have any gates or keys are listed.
    std::unordered_map<int, std::vector<int>> gatesOfRoom;
    std::unordered_map<int, std::vector<int>> keysInRoom;
    std::set<int> keys;
    std::unordered_set<int> roomsReached;
};

// Every locked door, as an index into model.Objects().
std::vector<int> LockedDoors(const MapModel& model);

// One number for the side between two neighbouring cells, the same from
// both of them.
long long EdgeId(int row, int column, Facing side);

}  // namespace mapcheck
