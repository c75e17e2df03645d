// The floor plan. Upper-case letters are rooms, lower-case letters
// corridors, '.' is rock. Blocks of one letter are open to each other;
// different areas meet only through the listed passages, everywhere else a
// wall stands on both sides of the shared edge.
//
//   E entrance hall    R reactor (generator)   S storage     T dark closet
//   B barracks         L lab                   A armoury     D dormitory
//   C control (generator)                      V vault (generator, locked)
//
// The tour: down the ramp into E (weapon rack), south through b to the dark
// closet T (flashlight) and the barracks B, east through an automatic door
// into the lab L (blue key), on to the armoury A (red key), north to the
// storage S and back west through the blue door to the reactor R; south from
// the lab to the control room C and through the red door into the vault V.
#include "tools/assetgen/compound_layout.h"

#include "game/level_file/map_reader.h"

#include "tools/assetgen/asset_names.h"

namespace assetgen {
namespace {

const char* const kPlan[] = {
    "EEEaaRRRR.....",  //  1
    "EEE..RRRRddSSS",  //  2
    ".b...RRRR..SSS",  //  3
    ".bcTT......SSS",  //  4
    "BBBBT.......e.",  //  5
    "BBBBffLLL...e.",  //  6
    "BBBB..LLLggAAA",  //  7
    ".h....LLL..AAA",  //  8
    ".h.....i...AAA",  //  9
    "DDD....i......",  // 10
    "DDDjjjCCCC....",  // 11
    "DDD...CCCCkVVV",  // 12
    "......CCCC.VVV",  // 13
    "...........VVV",  // 14
};

constexpr int kRedKey = 1;
constexpr int kBlueKey = 2;

bool IsRoom(char area) { return area >= 'A' && area <= 'Z'; }
bool IsMachineRoom(char area) { return area == 'R' || area == 'C' || area == 'V'; }

}  // namespace

MapFaceSlot SlotOf(Side side)
{
    switch (side) {
    case Side::kNorth: return MapFaceSlot::kNorth;
    case Side::kSouth: return MapFaceSlot::kSouth;
    case Side::kWest: return MapFaceSlot::kWest;
    case Side::kEast: return MapFaceSlot::kEast;
    }
    return MapFaceSlot::kNorth;
}

const char* SideWord(Side side) { return MapSlotWord(SlotOf(side)); }

Cell Neighbour(Cell cell, Side side)
{
    switch (side) {
    case Side::kNorth: return {cell.row - 1, cell.column};
    case Side::kSouth: return {cell.row + 1, cell.column};
    case Side::kWest: return {cell.row, cell.column - 1};
    case Side::kEast: return {cell.row, cell.column + 1};
    }
    return cell;
}

Side Opposite(Side side)
{
    switch (side) {
    case Side::kNorth: return Side::kSouth;
    case Side::kSouth: return Side::kNorth;
    case Side::kWest: return Side::kEast;
    case Side::kEast: return Side::kWest;
    }
    return side;
}

CompoundLayout::CompoundLayout() : plan(std::begin(kPlan), std::end(kPlan))
{
    using D = DoorKind;
    using S = Side;
    passages = {
        {{1, 1}, S::kWest, D::kNone, 0},  // the entrance, onto the ramp
        {{1, 3}, S::kEast, D::kNone, 0},
        {{1, 5}, S::kEast, D::kAutomatic, 0},
        {{2, 9}, S::kEast, D::kNone, 0},
        {{2, 11}, S::kEast, D::kLocked, kBlueKey},
        {{2, 2}, S::kSouth, D::kNone, 0},
        {{4, 2}, S::kSouth, D::kNone, 0},
        {{4, 2}, S::kEast, D::kNone, 0},
        {{4, 3}, S::kEast, D::kNone, 0},
        {{6, 4}, S::kEast, D::kNone, 0},
        {{6, 6}, S::kEast, D::kAutomatic, 0},
        {{7, 9}, S::kEast, D::kNone, 0},
        {{7, 11}, S::kEast, D::kAutomatic, 0},
        {{4, 13}, S::kSouth, D::kNone, 0},
        {{6, 13}, S::kSouth, D::kAutomatic, 0},
        {{7, 2}, S::kSouth, D::kNone, 0},
        {{9, 2}, S::kSouth, D::kAutomatic, 0},
        {{11, 3}, S::kEast, D::kNone, 0},
        {{11, 6}, S::kEast, D::kAutomatic, 0},
        {{8, 8}, S::kSouth, D::kNone, 0},
        {{10, 8}, S::kSouth, D::kNone, 0},
        {{12, 10}, S::kEast, D::kNone, 0},
        {{12, 11}, S::kEast, D::kLocked, kRedKey},
    };
    using K = MapObjectKind;
    things = {
        // Lamps, listed row by row as the map writes them: lamps five apart
        // share a GL light, and each such pair lies far apart.
        {K::kLight, {1, 2}},
        {K::kLight, {2, 8}},
        {K::kLight, {3, 13}},
        {K::kLight, {6, 2}},
        {K::kLight, {7, 8}},
        {K::kLight, {8, 13}},
        {K::kLight, {11, 2}},
        {K::kLight, {13, 10}},
        {K::kLight, {13, 14}},
        {K::kWeapon, {1, 2}},      // on the hall's north wall, first thing in view
        {K::kFlashlight, {4, 5}},  // in the unlit closet
        {K::kMedikit, {5, 1}},
        {K::kMedikit, {4, 14}},
        {K::kMedikit, {12, 1}},
        {K::kKey, {8, 7}, kBlueKey, names::kBlueKey},
        {K::kKey, {9, 14}, kRedKey, names::kRedKey},
        {K::kVorlax, {1, 9}},
        {K::kVorlax, {8, 9}},
        {K::kVorlax, {9, 12}},
        {K::kVorlax, {13, 7}},
        {K::kVorlax, {14, 13}},
        {K::kGenerator, {2, 7}},
        {K::kGenerator, {12, 9}},
        {K::kGenerator, {13, 13}},
    };
}

bool CompoundLayout::Inside(Cell cell) const
{
    return cell.row >= 1 && cell.row <= Rows() && cell.column >= 1 && cell.column <= Columns();
}

char CompoundLayout::AreaOf(Cell cell) const
{
    if (!Inside(cell)) {
        return ' ';
    }
    const char c = plan[cell.row - 1][cell.column - 1];
    return c == '.' ? ' ' : c;
}

bool CompoundLayout::IsOpen(Cell cell) const { return AreaOf(cell) != ' '; }

AreaStyle CompoundLayout::StyleOf(Cell cell) const
{
    const char area = AreaOf(cell);
    if (IsMachineRoom(area)) {
        return {names::kWallHazard, names::kFloorPlate, names::kCeilingPlain};
    }
    if (IsRoom(area) && area != 'T') {
        return {names::kWallPanel, names::kFloorPlate, names::kCeilingPlain};
    }
    return {names::kWallPipes, names::kFloorGrate, names::kCeilingPlain};
}

const Passage* CompoundLayout::PassageAt(Cell cell, Side side) const
{
    const Cell other = Neighbour(cell, side);
    for (const Passage& p : passages) {
        const Cell pOther = Neighbour(p.cell, p.side);
        const bool forward = p.cell.row == cell.row && p.cell.column == cell.column && p.side == side;
        const bool backward = pOther.row == cell.row && pOther.column == cell.column && p.side == Opposite(side) &&
                              p.cell.row == other.row && p.cell.column == other.column;
        if (forward || backward) {
            return &p;
        }
    }
    return nullptr;
}

bool CompoundLayout::HasWall(Cell cell, Side side) const
{
    const Cell other = Neighbour(cell, side);
    if (IsOpen(other) && AreaOf(other) == AreaOf(cell)) {
        return false;
    }
    return PassageAt(cell, side) == nullptr;
}

}  // namespace assetgen
