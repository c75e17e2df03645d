// Following the loader over a map description: the grid, the objects, the
// texture loads and the files named, with the findings of the steps where
// the loader drops or replaces what the map says.
#include "tools/map-check/map_model.h"

#include <set>

#include "game/level_file/level_rules.h"

namespace mapcheck {

namespace {

std::string BlockName(int row, int column) { return "block " + std::to_string(row) + " " + std::to_string(column); }

}  // namespace

const char* SideName(Facing side) { return MapSideWord(side); }

std::string JoinNames(const std::vector<std::string>& names) {
    std::string text;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
        text += names[i];
    }
    return text;
}

const char* KindWord(MapObjectKind kind) { return MapKindWord(kind); }

void StepAcross(Facing side, int& row, int& column) {
    switch (side) {
        case kFacingWest: --column; break;
        case kFacingEast: ++column; break;
        case kFacingNorth: --row; break;
        case kFacingSouth: ++row; break;
    }
}

Facing Opposite(Facing side) {
    switch (side) {
        case kFacingWest: return kFacingEast;
        case kFacingEast: return kFacingWest;
        case kFacingNorth: return kFacingSouth;
        case kFacingSouth: break;
    }
    return kFacingNorth;
}

int CellRecord::Count() const {
    int count = 0;
    for (const FaceRecord& face : faces) count += face.present ? 1 : 0;
    return count;
}

const FaceRecord& CellRecord::Side(Facing side) const { return Face(MapSlotOfSide(side)); }

const CellRecord* MapModel::Cell(int row, int column) const {
    return grid.At(row, column);
}

bool MapModel::Closed(int row, int column, Facing side) const {
    const CellRecord* cell = Cell(row, column);
    return cell && cell->Side(side).present;
}

bool MapModel::DrawnWall(int row, int column, Facing side) const {
    const CellRecord* cell = Cell(row, column);
    return cell && cell->Side(side).present && cell->Side(side).typed;
}

bool MapModel::IsOpen(int row, int column) const {
    const CellRecord* cell = Cell(row, column);
    return cell && cell->Face(MapFaceSlot::kFloor).present;
}

bool MapModel::Lists(MapResourceKind kind, const std::string& name) const {
    for (const Listed& entry : listed)
        if (entry.kind == kind && entry.name == name) return true;
    return false;
}

// Walks the entries as the loader applies them.
class ModelBuilder {
public:
    ModelBuilder(MapModel& model, Findings& findings) : model(model), findings(findings) {}

    void Build(const MapDescription& map) {
        for (const MapEntry& entry : map.entries) std::visit([this](const auto& e) { Apply(e); }, entry);
        ReportModelOrder();
    }

private:
    void Apply(const MapSize& size) {
        int placed = 0;
        for (size_t i = 0; i < model.grid.CellCount(); ++i) placed += model.grid.AtIndex(i) ? 1 : 0;
        if (placed > 0)
            findings.Warning(size.line, "this 'mapsize' empties the grid: the " + std::to_string(placed) +
                                            (placed == 1 ? " block placed before it is dropped"
                                                         : " blocks placed before it are dropped") +
                                            " (objects stay in the world)");
        if (!model.grid.Resize(size.rows, size.columns))
            findings.Error(size.line, "map size " + std::to_string(size.rows) + " x " + std::to_string(size.columns) +
                                          " is outside 0 to " + std::to_string(kMaxMapSide) +
                                          "; the game makes an empty grid");
    }

    void Apply(const MapBlockSize& size) {
        model.blockSize = size.size;
        model.blockSizeLine = size.line;
    }

    void Apply(const MapSkybox& sky) {
        model.sky = &sky;
        for (size_t i = 0; i < sky.names.size(); ++i) {
            Mention(sky.names[i], FileMention::kImage, "sky texture", sky.lines[i]);
            model.textureLoads.push_back({sky.names[i], sky.lines[i]});
        }
    }

    void Apply(const MapResources& list) {
        for (size_t i = 0; i < list.names.size(); ++i) {
            const std::string& name = list.names[i];
            model.listed.push_back({list.kind, name, list.lines[i]});
            if (list.kind == MapResourceKind::kModels) {
                Mention(name, FileMention::kModel, "model", list.lines[i]);
                listedModels.insert(name);
            } else {
                Mention(name, FileMention::kImage, list.kind == MapResourceKind::kHud ? "HUD image" : "effect image",
                        list.lines[i]);
                model.textureLoads.push_back({name, list.lines[i]});
            }
        }
    }

    void Apply(const MapBlock& entry) {
        const std::string name = BlockName(entry.row, entry.column);
        if (!model.Inside(entry.row, entry.column)) {
            if (!model.HasSize())
                findings.Error(entry.line, name + " comes before any 'mapsize' entry; the game skips it and its objects");
            else
                findings.Error(entry.line, name + " lies outside the " + std::to_string(model.Rows()) + " x " +
                                               std::to_string(model.Columns()) +
                                               " map; the game skips it and its objects");
            MentionFilesOnly(entry);
            return;
        }
        auto cell = std::make_unique<CellRecord>();
        cell->line = entry.line;
        const MapBlockWalls walls(entry);
        for (size_t i = 0; i < entry.items.size(); ++i) {
            if (const auto* face = std::get_if<MapFace>(&entry.items[i]))
                AddFace(*face, *cell, name);
            else
                AddObject(entry, walls, i, name);
        }
        model.grid.Place(entry.row, entry.column, cell);
        if (cell)
            findings.Warning(entry.line, "two blocks in one cell: " + name + " replaces the block of line " +
                                             std::to_string(cell->line) +
                                             " (the game keeps the later one; the objects of both stay)");
    }

    void AddFace(const MapFace& face, CellRecord& cell, const std::string& blockName) {
        FaceRecord& record = cell.faces[static_cast<int>(face.slot)];
        if (record.present)
            findings.Warning(face.line, "a second " + std::string(MapSlotWord(face.slot)) + " face in " + blockName +
                                            " replaces the one of line " + std::to_string(record.line));
        record.present = true;
        record.type = face.type;
        record.typed = MapFaceIsDrawn(face);
        record.texture = face.texture;
        record.line = face.line;
        record.textureLine = face.textureLine;
        if (!face.texture.empty()) {
            Mention(face.texture, FileMention::kImage, "texture", face.textureLine);
            model.textureLoads.push_back({face.texture, face.textureLine});
        }
    }

    void AddObject(const MapBlock& entry, const MapBlockWalls& walls, size_t index, const std::string& blockName) {
        const MapObject& object = std::get<MapObject>(entry.items[index]);
        MapPlacement placement;
        const MapPlacementResult result = PlaceMapObject(entry, walls, index, lamps.Peek(), placement);
        MentionFiles(object, result);
        if (result == MapPlacementResult::kNoSide) {
            findings.Error(object.sideLine ? object.sideLine : object.line,
                           blockName + ": the " + MapKindWord(object.kind) + " stands on '" +
                               object.side.substr(0, 40) +
                               "', which is no side of a block (north, south, west or east); the game skips it");
            return;
        }
        if (result == MapPlacementResult::kNoWall) {
            ReportNoWall(object, entry, walls, blockName);
            return;
        }
        const MapObjectFields fields = RulesOf(object.kind).fields;
        if (RulesOf(object.kind).standing.lamp) lamps.Next();
        PlacedObject placed;
        placed.kind = object.kind;
        placed.row = entry.row;
        placed.column = entry.column;
        placed.line = object.line;
        placed.keyId = object.keyId;
        placed.facing = placement.facing;
        placed.position = placement.position;
        placed.lamp = placement.lamp;
        if (fields == MapObjectFields::kKeyAndModel) {
            placed.model = object.model;
            placed.modelLine = object.modelLine;
        }
        if (fields == MapObjectFields::kSide || fields == MapObjectFields::kKeyAndSide) placed.texture = object.texture;
        NoteNeededModels(object);
        model.objects.push_back(std::move(placed));
    }

    // The files an object names: a door's texture (loaded only when the
    // door is made) and a key's model.
    void MentionFiles(const MapObject& object, MapPlacementResult result) {
        MentionObjectFiles(object);
        if (!object.texture.empty() && result == MapPlacementResult::kPlaced)
            model.textureLoads.push_back({object.texture, object.textureLine});
    }

    void MentionObjectFiles(const MapObject& object) {
        if (!object.texture.empty()) Mention(object.texture, FileMention::kImage, "door texture", object.textureLine);
        if (RulesOf(object.kind).fields == MapObjectFields::kKeyAndModel)
            Mention(object.model, FileMention::kModel, "key model", object.modelLine);
    }

    void NoteNeededModels(const MapObject& object) {
        Needed need{{}, MapKindWord(object.kind), object.line};
        for (const std::string& name : MapObjectModels(object))
            if (listedModels.count(name) == 0 && needed.insert(name).second) need.names.push_back(name);
        if (!need.names.empty()) neededOrder.push_back(std::move(need));
    }

    // The object found no wall before it, so the block's first wall, if it
    // has one, comes after it.
    void ReportNoWall(const MapObject& object, const MapBlock& entry, const MapBlockWalls& walls,
                      const std::string& blockName) {
        const std::string what = blockName + ": the " + KindWord(object.kind);
        size_t first = 0;
        if (walls.FirstSideFace(first)) {
            const MapFace& face = std::get<MapFace>(entry.items[first]);
            findings.Error(object.line, what + " hangs on a wall read before it, and the block's first wall (" +
                                            MapSlotWord(face.slot) + ", line " + std::to_string(face.line) +
                                            ") comes after it; the game skips it");
            return;
        }
        findings.Error(object.line, what + " hangs on a wall, and its block has none; the game skips it");
    }

    // Files of a block the loader skips: still named in the map.
    void MentionFilesOnly(const MapBlock& entry) {
        for (const MapBlockItem& item : entry.items) {
            if (const auto* face = std::get_if<MapFace>(&item)) {
                if (!face->texture.empty()) Mention(face->texture, FileMention::kImage, "texture", face->textureLine);
                continue;
            }
            MentionObjectFiles(std::get<MapObject>(item));
        }
    }

    void Mention(const std::string& name, FileMention::Kind kind, const char* role, int line) {
        if (name.empty() || !mentioned.insert({kind, name}).second) return;
        model.files.push_back({name, kind, role, line});
    }

    // An object fetches its models when it is made, and the level file's
    // contract is that a "models" entry has loaded them by then: a model the
    // cache cannot produce at that lookup ends the game. (This game's cache
    // still tries to load a model it lacks; the contract is kept all the
    // same, so that a map's failure shows where its models are listed.)
    // Each model is reported once, at the first object that needs it.
    void ReportModelOrder() {
        for (const Needed& need : neededOrder) {
            std::vector<std::string> later, never;
            int laterLine = 0;
            for (const std::string& name : need.names) {
                int line = 0;
                for (const MapModel::Listed& entry : model.listed) {
                    if (entry.kind == MapResourceKind::kModels && entry.name == name) {
                        line = entry.line;
                        break;
                    }
                }
                if (line > 0) {
                    later.push_back(name);
                    if (laterLine == 0) laterLine = line;
                } else {
                    never.push_back(name);
                }
            }
            const std::string rule = "; a 'models' entry must load a model before the first object that uses it";
            if (!later.empty())
                findings.Error(need.line, "the " + need.kind + " needs " + Models(later) +
                                              ", which the 'models' entry lists only later (line " +
                                              std::to_string(laterLine) + ")" + rule);
            if (!never.empty())
                findings.Error(need.line, "the " + need.kind + " needs " + Models(never) +
                                              ", which no 'models' entry lists" + rule);
        }
    }

    static std::string Models(const std::vector<std::string>& names) {
        return (names.size() == 1 ? "the model " : "the models ") + JoinNames(names);
    }

    struct Needed {
        std::vector<std::string> names;
        std::string kind;
        int line;
    };

    MapModel& model;
    Findings& findings;
    LampCounter lamps;
    std::set<std::string> listedModels;
    std::set<std::string> needed;
    std::vector<Needed> neededOrder;
    std::set<std::pair<FileMention::Kind, std::string>> mentioned;
};

void BuildMapModel(const MapDescription& map, MapModel& model, Findings& findings) {
    ModelBuilder(model, findings).Build(map);
}

}  // namespace mapcheck
