// The walk from the entrance, collecting keys until none is new.
#include "tools/map-check/reachability.h"

#include <algorithm>
#include <queue>

namespace mapcheck {

namespace {

constexpr Facing kSides[] = {kFacingNorth, kFacingSouth, kFacingWest, kFacingEast};

}  // namespace

long long EdgeId(int row, int column, Facing side) {
    // A west or north side is the east or south side of the neighbour, so
    // both blocks' names for one side meet.
    if (side == kFacingWest || side == kFacingNorth) {
        StepAcross(side, row, column);
        side = Opposite(side);
    }
    return ((static_cast<long long>(row) + 1) * (1LL << 32) + (static_cast<long long>(column) + 1)) * 2 +
           (side == kFacingEast ? 0 : 1);
}

std::vector<int> LockedDoors(const MapModel& model) {
    std::vector<int> doors;
    for (size_t i = 0; i < model.Objects().size(); ++i)
        if (model.Objects()[i].kind == MapObjectKind::kLockedDoor) doors.push_back(static_cast<int>(i));
    return doors;
}

Reachability::Reachability(const MapModel& model, const std::vector<int>& openDoors)
    : model(model), openDoors(openDoors) {
    for (int i : LockedDoors(model)) {
        const PlacedObject& door = model.Objects()[static_cast<size_t>(i)];
        doorsOnEdge[EdgeId(door.row, door.column, door.facing)].push_back(i);
    }
    for (;;) {
        Walk();
        bool found = false;
        for (const PlacedObject& object : model.Objects())
            if (object.kind == MapObjectKind::kKey && Reached(object.row, object.column))
                found = keys.insert(object.keyId).second || found;
        if (!found) break;
    }
}

bool Reachability::Reached(int row, int column) const {
    if (!model.Inside(row, column)) return false;
    return reached[static_cast<size_t>(row - 1) * static_cast<size_t>(model.Columns()) +
                   static_cast<size_t>(column - 1)] != 0;
}

// A locked door on the side between the cell and its neighbour, from either
// block, keeps the walk out until its key is found.
bool Reachability::DoorLets(int row, int column, Facing side) const {
    const auto found = doorsOnEdge.find(EdgeId(row, column, side));
    if (found == doorsOnEdge.end()) return true;
    for (int i : found->second) {
        if (keys.count(model.Objects()[static_cast<size_t>(i)].keyId) != 0) continue;
        if (std::find(openDoors.begin(), openDoors.end(), i) != openDoors.end()) continue;
        return false;
    }
    return true;
}

bool Reachability::Passable(int row, int column, Facing side) const {
    int r = row, c = column;
    StepAcross(side, r, c);
    if (!model.Inside(r, c)) return false;
    if (model.Closed(row, column, side) || model.Closed(r, c, Opposite(side))) return false;
    return DoorLets(row, column, side);
}

void Reachability::Walk() {
    const size_t columns = static_cast<size_t>(model.Columns());
    reached.assign(static_cast<size_t>(model.Rows()) * columns, 0);
    if (!model.Inside(1, 1)) return;
    // In from the ramp: only a locked door on the entrance can stop it.
    if (!DoorLets(1, 1, kFacingWest)) return;
    std::queue<std::pair<int, int>> todo;
    reached[0] = 1;
    todo.push({1, 1});
    while (!todo.empty()) {
        const auto [row, column] = todo.front();
        todo.pop();
        for (Facing side : kSides) {
            if (!Passable(row, column, side)) continue;
            int r = row, c = column;
            StepAcross(side, r, c);
            char& seen = reached[static_cast<size_t>(r - 1) * columns + static_cast<size_t>(c - 1)];
            if (seen) continue;
            seen = 1;
            todo.push({r, c});
        }
    }
}

}  // namespace mapcheck
