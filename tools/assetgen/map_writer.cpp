// Level file text. Blocks are written row by row, west to east, so lamps
// take their GL lights in that order.
#include "map_writer.h"

#include "asset_names.h"

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
        if (thing.kind == ThingKind::kLight && Same(thing.cell, cell)) {
            return true;
        }
    }
    return false;
}

void WriteThing(std::ostringstream& out, const Thing& thing)
{
    switch (thing.kind) {
    case ThingKind::kLight: out << "        LIGHT { }\n"; break;
    case ThingKind::kWeapon: out << "        WEAPON { }\n"; break;
    case ThingKind::kFlashlight: out << "        FLASHLIGHT { }\n"; break;
    case ThingKind::kMedikit: out << "        MEDIKIT { }\n"; break;
    case ThingKind::kKey: out << "        KEY { " << thing.keyId << " " << thing.model << " }\n"; break;
    case ThingKind::kVorlax: out << "        VORLAX { }\n"; break;
    case ThingKind::kGenerator: out << "        GENERATOR { }\n"; break;
    }
}

void WriteObjects(std::ostringstream& out, const CompoundLayout& layout, Cell cell)
{
    std::ostringstream objects;
    for (const Passage& p : layout.Passages()) {
        if (!Same(p.cell, cell)) {
            continue;
        }
        if (p.door == DoorKind::kAutomatic) {
            objects << "        AUTO_DOOR { " << SideWord(p.side) << " " << names::kDoorSliding << " }\n";
        } else if (p.door == DoorKind::kLocked) {
            objects << "        LOCK_DOOR { " << p.keyId << " " << SideWord(p.side) << " " << names::kDoorLocked
                    << " }\n";
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

void WriteOpenBlock(std::ostringstream& out, const CompoundLayout& layout, Cell cell)
{
    const AreaStyle style = layout.StyleOf(cell);
    out << "block " << cell.row << " " << cell.column << " {\n";
    out << "    ceiling { NO_LIGHT " << (HasLight(layout, cell) ? names::kCeilingLights : style.ceiling) << " }\n";
    out << "    floor { NORMAL_FLOOR " << style.floor << " }\n";
    for (Side side : kSides) {
        if (layout.HasWall(cell, side)) {
            out << "    " << SideWord(side) << " { WALL " << style.wall << " }\n";
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
            faces << "    " << SideWord(side) << " { WALL " << names::kWallPipes << " }\n";
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
