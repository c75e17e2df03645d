// Level file text. Blocks are written row by row, west to east, so lamps
// take their GL lights in that order.
#include "tools/assetgen/map_writer.h"

#include "game/level_file/level_rules.h"
#include "game/level_file/object_kinds.h"
#include "tools/assetgen/asset_names.h"

#include <sstream>

namespace assetgen {
namespace {

constexpr Side kSides[] = {Side::kNorth, Side::kSouth, Side::kWest, Side::kEast};

void WriteList(std::ostringstream& out, const char* keyword, const std::vector<std::string>& names)
{
    out << keyword << " {\n";
    for (const std::string& name : names) {
        out << "    " << name << "\n";
    }
    out << "}\n";
}

bool Same(Cell a, Cell b) { return a.row == b.row && a.column == b.column; }

bool HasLight(const CompoundLayout& layout, Cell cell)
{
    for (const Thing& thing : layout.Things()) {
        if (thing.kind == MapObjectKind::kLight && Same(thing.cell, cell)) {
            return true;
        }
    }
    return false;
}

// "KIND { FIELDS }" as a block's object, in the words the level file's
// rules give the kind.
void WriteObject(std::ostringstream& out, MapObjectKind kind, const std::string& fields)
{
    out << "        " << MapKindWord(kind) << " { " << fields << (fields.empty() ? "" : " ") << "}\n";
}

void WriteThing(std::ostringstream& out, const Thing& thing)
{
    const bool isKey = KeyRoleOf(thing.kind) == MapKeyRole::kIs;
    WriteObject(out, thing.kind, isKey ? std::to_string(thing.keyId) + " " + thing.model : "");
}

void WriteObjects(std::ostringstream& out, const CompoundLayout& layout, Cell cell)
{
    std::ostringstream objects;
    for (const Passage& p : layout.Passages()) {
        if (!Same(p.cell, cell)) {
            continue;
        }
        const std::string side = SideWord(p.side);
        if (p.door == DoorKind::kAutomatic) {
            WriteObject(objects, MapObjectKind::kAutomaticDoor, side + " " + names::kDoorSliding);
        } else if (p.door == DoorKind::kLocked) {
            WriteObject(objects, MapObjectKind::kLockedDoor,
                        std::to_string(p.keyId) + " " + side + " " + names::kDoorLocked);
        }
    }
    for (const Thing& thing : layout.Things()) {
        if (Same(thing.cell, cell)) {
            WriteThing(objects, thing);
        }
    }
    if (!objects.str().empty()) {
        out << "    liveobjects {\n" << objects.str() << "    }\n";
    }
}

// "SLOT { TYPE TEXTURE }": a face the game draws.
void WriteFace(std::ostringstream& out, MapFaceSlot slot, const char* texture)
{
    out << "    " << MapSlotWord(slot) << " { " << MapFaceTypeWord(slot) << " " << texture << " }\n";
}

void WriteOpenBlock(std::ostringstream& out, const CompoundLayout& layout, Cell cell)
{
    const AreaStyle style = layout.StyleOf(cell);
    out << "block " << cell.row << " " << cell.column << " {\n";
    WriteFace(out, MapFaceSlot::kCeiling, HasLight(layout, cell) ? names::kCeilingLights : style.ceiling);
    WriteFace(out, MapFaceSlot::kFloor, style.floor);
    for (Side side : kSides) {
        if (layout.HasWall(cell, side)) {
            WriteFace(out, SlotOf(side), style.wall);
        }
    }
    WriteObjects(out, layout, cell);
    out << "}\n";
}

// Rock on the edge of the footprint: wall faces on its outer sides keep a
// player on the surface from stepping down into the rock.
void WriteSealedRock(std::ostringstream& out, const CompoundLayout& layout, Cell cell)
{
    std::ostringstream faces;
    for (Side side : kSides) {
        if (!layout.Inside(Neighbour(cell, side))) {
            WriteFace(faces, SlotOf(side), names::kWallPipes);
        }
    }
    if (!faces.str().empty()) {
        out << "block " << cell.row << " " << cell.column << " {\n" << faces.str() << "}\n";
    }
}

}  // namespace

std::string MapText(const CompoundLayout& layout, const MapPreloads& preloads)
{
    std::ostringstream out;
    out << "mapsize " << layout.Rows() << " " << layout.Columns() << "\n";
    out << "blocksize 3\n";
    out << "skybox {";
    for (const std::string& face : preloads.skybox) {
        out << " " << face;
    }
    out << " }\n";
    WriteList(out, "models", preloads.models);
    WriteList(out, "hud", preloads.hud);
    WriteList(out, "fx", preloads.fx);
    for (int row = 1; row <= layout.Rows(); ++row) {
        for (int column = 1; column <= layout.Columns(); ++column) {
            const Cell cell{row, column};
            if (layout.IsOpen(cell)) {
                WriteOpenBlock(out, layout, cell);
            } else {
                WriteSealedRock(out, layout, cell);
            }
        }
    }
    return out.str();
}

}  // namespace assetgen
