// The rooms of the grid, and the walk from the entrance through their
// locked doors as keys turn up.
#include "tools/map-check/reachability.h"

namespace mapcheck {

namespace {

constexpr Facing kSides[] = {kFacingNorth, kFacingSouth, kFacingWest, kFacingEast};

unsigned char SideBit(Facing side) { return static_cast<unsigned char>(1u << static_cast<unsigned>(side)); }

}  // namespace

// From the ramp through every gate it may pass. A gate that stops it waits
// for the key of the first door that is still locked and is tried again
// when that key turns up, so each gate is looked at once per room beside it
// and once per door on it.
class Reachability::Walk {
public:
    Walk(const Reachability& map, const std::vector<int>& openDoors)
        : map(map), open(openDoors.begin(), openDoors.end()) {
        Enter(map.ramp);
        while (!todo.empty()) {
            const int room = todo.back();
            todo.pop_back();
            Visit(room);
        }
    }

    std::set<int> keys;
    std::unordered_set<int> rooms;

private:
    void Enter(int room) {
        if (rooms.insert(room).second) todo.push_back(room);
    }

    void Visit(int room) {
        const auto found = map.keysInRoom.find(room);
        if (found != map.keysInRoom.end())
            for (int key : found->second) Take(key);
        const auto sides = map.gatesOfRoom.find(room);
        if (sides != map.gatesOfRoom.end())
            for (int gate : sides->second) Try(gate);
    }

    void Take(int key) {
        if (!keys.insert(key).second) return;
        const auto waiting = waitingFor.find(key);
        if (waiting == waitingFor.end()) return;
        const std::vector<int> gates = std::move(waiting->second);
        waitingFor.erase(waiting);
        for (int gate : gates) Try(gate);
    }

    void Try(int index) {
        const Gate& gate = map.gates[static_cast<size_t>(index)];
        for (int door : gate.doors) {
            if (open.count(door) != 0) continue;
            const int key = map.model.Objects()[static_cast<size_t>(door)].keyId;
            if (keys.count(key) != 0) continue;
            waitingFor[key].push_back(index);
            return;
        }
        Enter(gate.rooms[0]);
        Enter(gate.rooms[1]);
    }

    const Reachability& map;
    const std::unordered_set<int> open;
    std::vector<int> todo;
    std::unordered_map<int, std::vector<int>> waitingFor;  // gates by key
};

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
        if (KeyRoleOf(model.Objects()[i].kind) == MapKeyRole::kOpenedBy) doors.push_back(static_cast<int>(i));
    return doors;
}

Reachability::Reachability(const MapModel& model, const std::vector<int>& openDoors) : model(model) {
    std::unordered_map<long long, std::vector<int>> doorsOnEdge;
    std::vector<unsigned char> doorSides(static_cast<size_t>(model.Rows()) * static_cast<size_t>(model.Columns()), 0);
    for (int i : LockedDoors(model)) {
        const PlacedObject& door = model.Objects()[static_cast<size_t>(i)];
        doorsOnEdge[EdgeId(door.row, door.column, door.facing)].push_back(i);
        int row = door.row, column = door.column;
        if (!model.Inside(row, column)) continue;
        doorSides[CellIndex(row, column)] |= SideBit(door.facing);
        StepAcross(door.facing, row, column);
        if (model.Inside(row, column)) doorSides[CellIndex(row, column)] |= SideBit(Opposite(door.facing));
    }
    JoinRooms(doorSides);
    FindGates(doorsOnEdge);
    for (const PlacedObject& object : model.Objects())
        if (KeyRoleOf(object.kind) == MapKeyRole::kIs && model.Inside(object.row, object.column))
            keysInRoom[RoomOf(object.row, object.column)].push_back(object.keyId);
    Walk walk(*this, openDoors);
    keys = std::move(walk.keys);
    roomsReached = std::move(walk.rooms);
}

std::set<int> Reachability::KeysFoundWith(const std::vector<int>& openDoors) const {
    return Walk(*this, openDoors).keys;
}

bool Reachability::Reached(int row, int column) const {
    return model.Inside(row, column) && roomsReached.count(RoomOf(row, column)) != 0;
}

size_t Reachability::CellIndex(int row, int column) const {
    return static_cast<size_t>(row - 1) * static_cast<size_t>(model.Columns()) + static_cast<size_t>(column - 1);
}

int Reachability::RoomOf(int row, int column) const { return roomOfCell[CellIndex(row, column)]; }

// Cells joined by sides that no face and no locked door closes, one room
// at a time.
void Reachability::JoinRooms(const std::vector<unsigned char>& doorSides) {
    roomOfCell.assign(doorSides.size(), -1);
    int rooms = 0;
    std::vector<std::pair<int, int>> todo;
    for (int row = 1; row <= model.Rows(); ++row) {
        for (int column = 1; column <= model.Columns(); ++column) {
            if (RoomOf(row, column) >= 0) continue;
            roomOfCell[CellIndex(row, column)] = rooms;
            todo.push_back({row, column});
            while (!todo.empty()) {
                const auto [r, c] = todo.back();
                todo.pop_back();
                for (Facing side : kSides) {
                    if ((doorSides[CellIndex(r, c)] & SideBit(side)) != 0) continue;
                    int rr = r, cc = c;
                    StepAcross(side, rr, cc);
                    if (!model.Inside(rr, cc) || RoomOf(rr, cc) >= 0) continue;
                    if (model.Closed(r, c, side) || model.Closed(rr, cc, Opposite(side))) continue;
                    roomOfCell[CellIndex(rr, cc)] = rooms;
                    todo.push_back({rr, cc});
                }
            }
            ++rooms;
        }
    }
    ramp = rooms;
}

// A side with locked doors between two rooms is a gate, unless a face
// closes it anyway. The ramp's gate into the entrance is always there:
// only a locked door can keep the walk out of the entrance.
void Reachability::FindGates(const std::unordered_map<long long, std::vector<int>>& doorsOnEdge) {
    if (!model.Inside(1, 1)) return;
    const long long entranceEdge = EdgeId(1, 1, kFacingWest);
    const auto entrance = doorsOnEdge.find(entranceEdge);
    gates.push_back({{ramp, RoomOf(1, 1)}, entrance == doorsOnEdge.end() ? std::vector<int>{} : entrance->second});
    for (const auto& [edge, doors] : doorsOnEdge) {
        const PlacedObject& first = model.Objects()[static_cast<size_t>(doors.front())];
        int row = first.row, column = first.column;
        StepAcross(first.facing, row, column);
        if (edge == entranceEdge || !model.Inside(first.row, first.column) || !model.Inside(row, column)) continue;
        if (model.Closed(first.row, first.column, first.facing) || model.Closed(row, column, Opposite(first.facing)))
            continue;
        const int a = RoomOf(first.row, first.column), b = RoomOf(row, column);
        if (a != b) gates.push_back({{a, b}, doors});
    }
    for (size_t i = 0; i < gates.size(); ++i)
        for (int room : gates[i].rooms) gatesOfRoom[room].push_back(static_cast<int>(i));
}

}  // namespace mapcheck
