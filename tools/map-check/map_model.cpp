// Following the loader over a map description: the grid, the objects, the
// texture loads and the files named, with the findings of the steps where
// the loader drops or replaces what the map says.
#include "tools/map-check/map_model.h"

#include <set>

#include "game/level.h"
#include "game/map_loader.h"

namespace mapcheck {

namespace {

constexpr float kLampHeight = 2.8f;
constexpr float kKeyHeight = 0.1f;
constexpr float kVorlaxHeight = 2.0f;

struct Mount {
    float inset;
    float height;
};
// As the loader hangs them (game/map_loader.cpp).
constexpr Mount kWeaponMount{0.1f, 1.5f};
constexpr Mount kFlashlightMount{0.6f, 0.2f};
constexpr Mount kMedikitMount{0.1f, 1.5f};

const char* SlotName(MapFaceSlot slot) {
    switch (slot) {
        case MapFaceSlot::kWest: return "west";
        case MapFaceSlot::kEast: return "east";
        case MapFaceSlot::kNorth: return "north";
        case MapFaceSlot::kSouth: return "south";
        case MapFaceSlot::kCeiling: return "ceiling";
        case MapFaceSlot::kFloor: return "floor";
    }
    return "north";
}

const char* TypeWordOf(MapFaceSlot slot) {
    switch (slot) {
        case MapFaceSlot::kCeiling: return "NO_LIGHT";
        case MapFaceSlot::kFloor: return "NORMAL_FLOOR";
        default: return "WALL";
    }
}

MapFaceSlot SlotOfSide(Facing side) {
    switch (side) {
        case kFacingWest: return MapFaceSlot::kWest;
        case kFacingEast: return MapFaceSlot::kEast;
        case kFacingSouth: return MapFaceSlot::kSouth;
        case kFacingNorth: break;
    }
    return MapFaceSlot::kNorth;
}

bool IsSideSlot(MapFaceSlot slot) { return slot != MapFaceSlot::kCeiling && slot != MapFaceSlot::kFloor; }

std::string BlockName(int row, int column) { return "block " + std::to_string(row) + " " + std::to_string(column); }

// The models an object's constructor fetches from the model cache.
std::vector<std::string> ModelsOf(const MapObject& object) {
    switch (object.kind) {
        case MapObjectKind::kWeapon: return {"fullrack.3DS", "rack.3DS"};
        case MapObjectKind::kFlashlight: return {"toolbox.3DS", "emptybox.3DS"};
        case MapObjectKind::kMedikit: return {"medikit.3DS", "emptykit.3DS"};
        case MapObjectKind::kKey: return {object.model};
        case MapObjectKind::kVorlax: return {"vorlax.3DS", "deadvorl.3DS"};
        case MapObjectKind::kGenerator: return {"genbase.3DS", "gendead.3DS", "gencore.3DS"};
        default: return {};
    }
}

}  // namespace

const char* SideName(Facing side) { return SlotName(SlotOfSide(side)); }

std::string JoinNames(const std::vector<std::string>& names) {
    std::string text;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
        text += names[i];
    }
    return text;
}

const char* KindWord(MapObjectKind kind) {
    switch (kind) {
        case MapObjectKind::kLockedDoor: return "LOCK_DOOR";
        case MapObjectKind::kAutomaticDoor: return "AUTO_DOOR";
        case MapObjectKind::kLight: return "LIGHT";
        case MapObjectKind::kWeapon: return "WEAPON";
        case MapObjectKind::kFlashlight: return "FLASHLIGHT";
        case MapObjectKind::kMedikit: return "MEDIKIT";
        case MapObjectKind::kKey: return "KEY";
        case MapObjectKind::kVorlax: return "VORLAX";
        case MapObjectKind::kGenerator: return "GENERATOR";
    }
    return "LIGHT";
}

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

const FaceRecord& CellRecord::Side(Facing side) const { return Face(SlotOfSide(side)); }

const CellRecord* MapModel::Cell(int row, int column) const {
    if (!Inside(row, column)) return nullptr;
    return grid[static_cast<size_t>(row - 1) * static_cast<size_t>(columns) + static_cast<size_t>(column - 1)].get();
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
        for (const auto& cell : model.grid) placed += cell ? 1 : 0;
        if (placed > 0)
            findings.Warning(size.line, "this 'mapsize' empties the grid: the " + std::to_string(placed) +
                                            (placed == 1 ? " block placed before it is dropped"
                                                         : " blocks placed before it are dropped") +
                                            " (objects stay in the world)");
        model.sized = true;
        model.rows = model.columns = 0;
        model.grid.clear();
        if (size.rows < 0 || size.columns < 0 || size.rows > Level::kMaxSide || size.columns > Level::kMaxSide) {
            findings.Error(size.line, "map size " + std::to_string(size.rows) + " x " + std::to_string(size.columns) +
                                          " is outside 0 to " + std::to_string(Level::kMaxSide) +
                                          "; the game makes an empty grid");
            return;
        }
        model.rows = size.rows;
        model.columns = size.columns;
        model.grid.resize(static_cast<size_t>(size.rows) * static_cast<size_t>(size.columns));
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
            if (!model.sized)
                findings.Error(entry.line, name + " comes before any 'mapsize' entry; the game skips it and its objects");
            else
                findings.Error(entry.line, name + " lies outside the " + std::to_string(model.rows) + " x " +
                                               std::to_string(model.columns) +
                                               " map; the game skips it and its objects");
            MentionFilesOnly(entry);
            return;
        }
        auto cell = std::make_unique<CellRecord>();
        cell->line = entry.line;
        Block block(entry.row, entry.column);  // the loader's block, for the wall-mount rule
        for (size_t i = 0; i < entry.items.size(); ++i) {
            if (const auto* face = std::get_if<MapFace>(&entry.items[i]))
                AddFace(*face, *cell, block, name);
            else
                AddObject(std::get<MapObject>(entry.items[i]), entry, i, block, name);
        }
        std::unique_ptr<CellRecord>& slot =
            model.grid[static_cast<size_t>(entry.row - 1) * static_cast<size_t>(model.columns) +
                       static_cast<size_t>(entry.column - 1)];
        if (slot)
            findings.Warning(entry.line, "two blocks in one cell: " + name + " replaces the block of line " +
                                             std::to_string(slot->line) +
                                             " (the game keeps the later one; the objects of both stay)");
        slot = std::move(cell);
    }

    void AddFace(const MapFace& face, CellRecord& cell, Block& block, const std::string& blockName) {
        FaceRecord& record = cell.faces[static_cast<int>(face.slot)];
        if (record.present)
            findings.Warning(face.line, "a second " + std::string(SlotName(face.slot)) + " face in " + blockName +
                                            " replaces the one of line " + std::to_string(record.line));
        record.present = true;
        record.type = face.type;
        record.typed = face.type == TypeWordOf(face.slot);
        record.texture = face.texture;
        record.line = face.line;
        record.textureLine = face.textureLine;
        FaceSlot(block, face.slot) = std::make_unique<BlockPart>();
        if (!face.texture.empty()) {
            Mention(face.texture, FileMention::kImage, "texture", face.textureLine);
            model.textureLoads.push_back({face.texture, face.textureLine});
        }
    }

    void AddObject(const MapObject& object, const MapBlock& entry, size_t index, const Block& block,
                   const std::string& blockName) {
        PlacedObject placed;
        placed.kind = object.kind;
        placed.row = entry.row;
        placed.column = entry.column;
        placed.line = object.line;
        placed.keyId = object.keyId;
        const int row = entry.row;
        const int column = entry.column;
        switch (object.kind) {
            case MapObjectKind::kLockedDoor:
            case MapObjectKind::kAutomaticDoor: {
                if (!MapSideFacing(object.side, placed.facing)) {
                    findings.Error(object.sideLine ? object.sideLine : object.line,
                                   blockName + ": the " + KindWord(object.kind) + " stands on '" +
                                       object.side.substr(0, 40) +
                                       "', which is no side of a block (north, south, west or east); the game "
                                       "skips it");
                    if (!object.texture.empty())
                        Mention(object.texture, FileMention::kImage, "door texture", object.textureLine);
                    return;
                }
                placed.position = MapDoorPosition(row, column, placed.facing);
                placed.texture = object.texture;
                if (!object.texture.empty()) {
                    Mention(object.texture, FileMention::kImage, "door texture", object.textureLine);
                    model.textureLoads.push_back({object.texture, object.textureLine});
                }
                break;
            }
            case MapObjectKind::kLight:
                placed.lamp = nextLamp;
                nextLamp = (nextLamp + 1) % 5;
                placed.position = MapBlockCentre(row, column, kLampHeight);
                break;
            case MapObjectKind::kWeapon:
            case MapObjectKind::kFlashlight:
            case MapObjectKind::kMedikit: {
                if (!MapFirstWall(block, placed.facing)) {
                    ReportNoWall(object, entry, index, blockName);
                    return;
                }
                const Mount mount = object.kind == MapObjectKind::kWeapon       ? kWeaponMount
                                    : object.kind == MapObjectKind::kFlashlight ? kFlashlightMount
                                                                                : kMedikitMount;
                placed.position = MapWallMountPosition(row, column, placed.facing, mount.inset, mount.height);
                break;
            }
            case MapObjectKind::kKey:
                placed.model = object.model;
                placed.modelLine = object.modelLine;
                Mention(object.model, FileMention::kModel, "key model", object.modelLine);
                placed.position = MapBlockCentre(row, column, kKeyHeight);
                break;
            case MapObjectKind::kVorlax: placed.position = MapBlockCentre(row, column, kVorlaxHeight); break;
            case MapObjectKind::kGenerator: placed.position = MapBlockCorner(row, column); break;
        }
        Needed need{{}, KindWord(object.kind), object.line};
        for (const std::string& name : ModelsOf(object))
            if (listedModels.count(name) == 0 && needed.insert(name).second) need.names.push_back(name);
        if (!need.names.empty()) neededOrder.push_back(std::move(need));
        model.objects.push_back(std::move(placed));
    }

    void ReportNoWall(const MapObject& object, const MapBlock& entry, size_t index, const std::string& blockName) {
        const std::string what = blockName + ": the " + KindWord(object.kind);
        for (size_t i = index + 1; i < entry.items.size(); ++i) {
            const auto* face = std::get_if<MapFace>(&entry.items[i]);
            if (face && IsSideSlot(face->slot)) {
                findings.Error(object.line, what + " hangs on a wall read before it, and the block's first wall (" +
                                                SlotName(face->slot) + ", line " + std::to_string(face->line) +
                                                ") comes after it; the game skips it");
                return;
            }
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
            const MapObject& object = std::get<MapObject>(item);
            if (!object.texture.empty()) Mention(object.texture, FileMention::kImage, "door texture", object.textureLine);
            if (object.kind == MapObjectKind::kKey)
                Mention(object.model, FileMention::kModel, "key model", object.modelLine);
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
    int nextLamp = 0;
    std::set<std::string> listedModels;
    std::set<std::string> needed;
    std::vector<Needed> neededOrder;
    std::set<std::pair<FileMention::Kind, std::string>> mentioned;
};

void BuildMapModel(const MapDescription& map, MapModel& model, Findings& findings) {
    ModelBuilder(model, findings).Build(map);
}

}  // namespace mapcheck
