// The rules map-check applies on top of the game's reader and the model of
// what its loader builds.
#include "tools/map-check/map_check.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <map>
#include <queue>
#include <set>
#include <sstream>

#include "game/level_file/map_file_names.h"
#include "tools/map-check/map_file.h"
#include "tools/map-check/reachability.h"

namespace mapcheck {

namespace {

constexpr Facing kSides[] = {kFacingNorth, kFacingSouth, kFacingWest, kFacingEast};
constexpr int kShownTokenLength = 40;

std::string Quoted(const std::string& token) {
    if (token.size() <= static_cast<size_t>(kShownTokenLength)) return "'" + token + "'";
    return "'" + token.substr(0, kShownTokenLength) + "...'";
}

std::string BlockName(int row, int column) { return "block " + std::to_string(row) + " " + std::to_string(column); }
std::string CellName(int row, int column) { return std::to_string(row) + " " + std::to_string(column); }

const char* SlotWord(int slot) { return MapSlotWord(static_cast<MapFaceSlot>(slot)); }
const char* TypeWord(int slot) { return MapFaceTypeWord(static_cast<MapFaceSlot>(slot)); }

bool IsEntrance(int row, int column, Facing side) { return row == 1 && column == 1 && side == kFacingWest; }


class Rules {
public:
    Rules(const MapDescription& map, const MapModel& model, Findings& findings)
        : map(map), model(model), findings(findings) {}

    void Run(FileCheck* files) {
        Reader();
        Header();
        Files(files);
        Faces();
        Entrance();
        Edges();
        Doors();
        Keys();
        CutOff();
        ObjectsInRock();
        Generators();
        Lamps();
    }

private:
    // ---- what the reader passed over --------------------------------------

    void Reader() {
        const std::vector<MapSkippedToken>& skipped = map.skipped;
        for (size_t i = 0; i < skipped.size();) {
            // A run of unknown words in a row is one finding.
            size_t end = i + 1;
            if (skipped[i].why == MapSkipReason::kUnknownWord)
                while (end < skipped.size() && skipped[end].why == MapSkipReason::kUnknownWord &&
                       skipped[end].index == skipped[end - 1].index + 1)
                    ++end;
            Skipped(skipped, i, end);
            i = end;
        }
        if (map.unfinishedLine > 0)
            findings.Warning(map.unfinishedLine, "the file ends inside this entry; the game keeps what was read of it");
        if (map.shortenedTokens > 0) {
            const bool one = map.shortenedTokens == 1;
            findings.Warning(0, std::to_string(map.shortenedTokens) + (one ? " word" : " words") + " longer than " +
                                    std::to_string(kMaxMapTokenLength) +
                                    (one ? " characters is cut short" : " characters are cut short"));
        }
        if (map.readError) findings.Error(0, "a read error stopped the reading; the game keeps what came before it");
    }

    void Skipped(const std::vector<MapSkippedToken>& skipped, size_t first, size_t end) {
        const MapSkippedToken& token = skipped[first];
        switch (token.why) {
            case MapSkipReason::kUnknownWord: {
                if (end - first == 1) {
                    findings.Warning(token.line, "unknown word " + Quoted(token.text) + " skipped");
                    return;
                }
                std::string words;
                for (size_t i = first; i < end && i < first + 5; ++i) words += " " + Quoted(skipped[i].text);
                if (end - first > 5) words += " ...";
                findings.Warning(token.line, std::to_string(end - first) + " unknown words skipped:" + words);
                return;
            }
            case MapSkipReason::kIgnoredEntry:
                findings.Warning(token.line, "'textures' loads nothing: the game reads the word after it and skips "
                                             "the names that follow");
                return;
            case MapSkipReason::kNotAnOpeningBrace:
                findings.Warning(token.line,
                                 "expected '{', found " + Quoted(token.text) + "; the game reads past it as the brace");
                return;
            case MapSkipReason::kNotAClosingBrace:
                findings.Warning(token.line,
                                 "expected '}', found " + Quoted(token.text) + "; the game reads past it as the brace");
                return;
            case MapSkipReason::kNotANumber:
                findings.Warning(token.line, Quoted(token.text) + " is not a whole number; the game reads it as " +
                                                 std::to_string(MapNumber(token.text)));
                return;
            case MapSkipReason::kOutOfRange:
                findings.Warning(token.line, Quoted(token.text) + " is out of range: the game holds numbers from " +
                                                 std::to_string(INT_MIN) + " to " + std::to_string(INT_MAX) +
                                                 " and reads it as " + std::to_string(MapNumber(token.text)));
                return;
        }
    }

    // ---- size, sky and what the game looks up -----------------------------

    void Header() {
        if (!model.HasSize()) findings.Error(0, "the map has no 'mapsize' entry; the game's grid stays empty");
        if (model.BlockSizeLine() == 0)
            findings.Error(0, "the map has no 'blocksize' entry; the game draws every block at the same place");
        else if (model.BlockSize() != 3)
            findings.Error(model.BlockSizeLine(), "blocksize " + std::to_string(model.BlockSize()) +
                                                      ": the game draws blocks that far apart, but they stand and "
                                                      "collide 3 apart; write 3");
        const MapSkybox* sky = model.Sky();
        if (!sky)
            findings.Warning(0, "the map has no 'skybox' entry; the sky is drawn untextured");
        else if (std::find(sky->names.begin(), sky->names.end(), "}") != sky->names.end())
            findings.Warning(sky->line, "the skybox names fewer than 6 faces: the game takes '}' and the words after "
                                        "it as sky textures");
        else if (model.Sky()->names.size() < 6)
            findings.Warning(model.Sky()->line, "the skybox names " + std::to_string(model.Sky()->names.size()) +
                                                    " of its 6 faces (west, east, top, bottom, north, south)");
        std::set<std::string> loaded;
        for (const auto& load : model.TextureLoads()) loaded.insert(load.first);
        // One finding for all of them, grouped by user.
        std::vector<std::pair<std::string, std::vector<std::string>>> missing;
        for (const game_assets::LookedUpImage& texture : game_assets::kLookedUpImages) {
            if (loaded.count(texture.name) != 0) continue;
            if (missing.empty() || missing.back().first != texture.user) missing.push_back({texture.user, {}});
            missing.back().second.push_back(texture.name);
        }
        if (!missing.empty()) {
            std::string list;
            for (const auto& [user, names] : missing)
                list += (list.empty() ? "" : "; ") + JoinNames(names) + " (" + user + ")";
            findings.Warning(0, "the map never loads textures the game looks up by name (list them in a 'hud' or "
                                "'fx' entry): " + list);
        }
        for (const char* arm : game_assets::kArmModels)
            if (!model.Lists(MapResourceKind::kModels, arm))
                findings.Error(0, std::string("no 'models' entry lists ") + arm +
                                      ", which the player's arms need; the game ends at start-up without it");
    }

    // ---- files ------------------------------------------------------------

    // Without a folder to look in, every picture counts as loading for the
    // texture cache.
    void Files(FileCheck* files) {
        std::map<std::string, bool> imageLoads;
        for (const FileMention& file : model.Files()) {
            const bool image = file.kind == FileMention::kImage;
            // Not even looked at: the game refuses the whole map for it.
            const std::string outside = WhyNameLeavesDataFolder(file.name);
            if (!outside.empty()) {
                findings.Error(file.line, std::string("the ") + file.role + " " + file.name +
                                              " leads out of the data folder (" + outside +
                                              "); the game refuses a map that names it");
                continue;
            }
            if (!files) {
                if (image) imageLoads[file.name] = true;
                continue;
            }
            const std::string what = std::string("the ") + file.role + " " + file.name;
            const FileResult result = image ? files->Image(file.name) : files->Model(file.name);
            if (image) imageLoads[file.name] = result.loads;
            if (!result.exists) {
                findings.Error(file.line, what + " does not exist in the data folder");
            } else if (!result.loads) {
                findings.Error(file.line, what + " does not load with the game's " +
                                              (image ? "image readers" : "3DS reader") + ": " + result.whyNot);
            } else if (!result.notes.empty()) {
                std::string note = what + ": " + result.notes.front();
                if (result.notes.size() > 1) note += " (and " + std::to_string(result.notes.size() - 1) + " more)";
                findings.Warning(file.line, note);
            }
        }
        if (files) {
            const FileResult surface = files->Model(game_assets::kSurface);
            if (!surface.exists || !surface.loads)
                findings.Warning(0, std::string("the data folder has no loadable ") + game_assets::kSurface +
                                        " (the planet surface, which the game loads beside the map); the surface is "
                                        "not drawn");
        }
        TextureCache(imageLoads);
    }

    // Only pictures that load take a slot, in the order the loader reads
    // their names.
    void TextureCache(const std::map<std::string, bool>& loads) {
        std::set<std::string> cached;
        int firstLeftOut = 0;
        std::string firstName;
        for (const auto& [name, line] : model.TextureLoads()) {
            const auto known = loads.find(name);
            if (known == loads.end() || !known->second || cached.count(name) != 0) continue;
            cached.insert(name);
            if (static_cast<int>(cached.size()) == kTextureCacheSlots + 1) {
                firstLeftOut = line;
                firstName = name;
            }
        }
        if (firstLeftOut > 0) {
            const int over = static_cast<int>(cached.size()) - kTextureCacheSlots;
            const std::string leftOut = over == 1 ? firstName + " is not loaded"
                                                  : firstName + " and the " + std::to_string(over - 1) +
                                                        " after it are not loaded";
            findings.Warning(firstLeftOut, "the map loads " + std::to_string(cached.size()) +
                                               " textures and the game's texture cache holds " +
                                               std::to_string(kTextureCacheSlots) + ": " + leftOut);
        }
    }

    // ---- blocks -------------------------------------------------------------

    void Faces() {
        for (int row = 1; row <= model.Rows(); ++row) {
            for (int column = 1; column <= model.Columns(); ++column) {
                const CellRecord* cell = model.Cell(row, column);
                if (!cell) continue;
                for (int slot = 0; slot < 6; ++slot) {
                    const FaceRecord& face = cell->faces[slot];
                    if (!face.present) continue;
                    if (!face.typed)
                        findings.Warning(face.line, std::string("the ") + SlotWord(slot) + " face of " +
                                                        BlockName(row, column) + " has the type " + Quoted(face.type) +
                                                        ", not " + TypeWord(slot) +
                                                        ": it is not drawn, yet it stops the player");
                    else if (face.texture.empty())
                        findings.Warning(face.line, std::string("the ") + SlotWord(slot) + " face of " +
                                                        BlockName(row, column) +
                                                        " has no texture; it is drawn untextured");
                }
                const bool floor = cell->Face(MapFaceSlot::kFloor).present;
                const bool ceiling = cell->Face(MapFaceSlot::kCeiling).present;
                if (floor && !ceiling)
                    findings.Warning(cell->line, BlockName(row, column) + " has a floor but no ceiling");
                if (ceiling && !floor)
                    findings.Warning(cell->line, BlockName(row, column) + " has a ceiling but no floor");
            }
        }
    }

    void Entrance() {
        if (model.Rows() < 1 || model.Columns() < 1) return;
        const CellRecord* entrance = model.Cell(1, 1);
        if (!entrance) {
            findings.Error(0, "there is no block 1 1: the ramp leads into rock where the entrance should be");
            return;
        }
        const FaceRecord& west = entrance->Side(kFacingWest);
        if (west.present)
            findings.Error(west.line, "the entrance (block 1 1, west side, where the ramp meets the compound) is "
                                      "closed by a wall");
        if (!entrance->Face(MapFaceSlot::kFloor).present)
            findings.Warning(entrance->line, "the entrance block 1 1 has no floor");
    }

    void Edges() {
        for (int row = 1; row <= model.Rows(); ++row) {
            for (int column = 1; column <= model.Columns(); ++column) {
                for (Facing side : kSides) {
                    int r = row, c = column;
                    StepAcross(side, r, c);
                    if (!model.Inside(r, c))
                        OuterSide(row, column, side);
                    else if (model.IsOpen(row, column))
                        InnerSide(row, column, side, r, c);
                }
            }
        }
        EmptyEdgeCells();
    }

    void OuterSide(int row, int column, Facing side) {
        const CellRecord* cell = model.Cell(row, column);
        if (!cell || IsEntrance(row, column, side) || cell->Side(side).present) return;
        findings.Warning(cell->line, BlockName(row, column) + ": its " + SideName(side) +
                                         " side faces the outside of the map with no wall; the player could walk "
                                         "out into the rock");
    }

    // Seen from an open block: what closes its side towards (r, c).
    void InnerSide(int row, int column, Facing side, int r, int c) {
        const CellRecord* cell = model.Cell(row, column);
        const bool here = cell->Side(side).present;
        const CellRecord* there = model.Cell(r, c);
        const bool beyond = there && there->Side(Opposite(side)).present;
        if (here) return;
        if (beyond) {
            findings.Warning(there->Side(Opposite(side)).line,
                             "the " + std::string(SideName(Opposite(side))) + " wall of " + BlockName(r, c) +
                                 " has no twin on the " + SideName(side) + " side of " + BlockName(row, column) +
                                 ": from there it cannot be seen (walls face into their block), yet it stops the "
                                 "player");
            return;
        }
        if (!model.IsOpen(r, c))
            findings.Warning(cell->line, BlockName(row, column) + ": its " + SideName(side) + " side opens onto " +
                                             (there ? BlockName(r, c) + ", which has no floor" : "the empty cell " + CellName(r, c)) +
                                             ", with no wall; the player could walk into the rock");
    }

    // Cells on the map's edge without a block, by runs along each edge: a
    // player on the surface walks into them.
    void EmptyEdgeCells() {
        if (model.Rows() < 1 || model.Columns() < 1) return;
        struct Edge {
            const char* name;
            int row0, column0, dRow, dColumn, count;
        };
        const int rows = model.Rows(), columns = model.Columns();
        const Edge edges[] = {{"north", 1, 1, 0, 1, columns},
                              {"south", rows, 1, 0, 1, columns},
                              {"west", 1, 1, 1, 0, rows},
                              {"east", 1, columns, 1, 0, rows}};
        std::set<std::pair<int, int>> reported;
        for (const Edge& edge : edges) {
            for (int i = 0; i < edge.count;) {
                const int r = edge.row0 + edge.dRow * i, c = edge.column0 + edge.dColumn * i;
                if (model.Cell(r, c) || reported.count({r, c}) != 0 || (r == 1 && c == 1)) {
                    ++i;
                    continue;
                }
                int end = i;
                while (end + 1 < edge.count) {
                    const int rr = edge.row0 + edge.dRow * (end + 1), cc = edge.column0 + edge.dColumn * (end + 1);
                    if (model.Cell(rr, cc) || reported.count({rr, cc}) != 0) break;
                    ++end;
                }
                for (int k = i; k <= end; ++k)
                    reported.insert({edge.row0 + edge.dRow * k, edge.column0 + edge.dColumn * k});
                const int r1 = edge.row0 + edge.dRow * end, c1 = edge.column0 + edge.dColumn * end;
                const std::string cells = end == i ? "the cell " + CellName(r, c) + " on the map's " + edge.name +
                                                         " edge holds no block"
                                                   : "the cells " + CellName(r, c) + " to " + CellName(r1, c1) +
                                                         " on the map's " + edge.name + " edge hold no block";
                findings.Warning(0, cells + ": a player on the surface could walk into the rock there");
                i = end + 1;
            }
        }
    }

    // ---- doors and keys -----------------------------------------------------

    static std::string DoorName(const PlacedObject& door) {
        return std::string("the ") + (KeyRoleOf(door.kind) == MapKeyRole::kOpenedBy ? "locked door" : "automatic door") +
               " on the " + SideName(door.facing) + " side of " + BlockName(door.row, door.column);
    }

    void Doors() {
        std::map<long long, const PlacedObject*> onEdge;
        for (const PlacedObject& door : model.Objects()) {
            if (RulesOf(door.kind).standing.stand != MapStand::kOnSide) continue;
            int r = door.row, c = door.column;
            StepAcross(door.facing, r, c);
            if (!IsEntrance(door.row, door.column, door.facing)) {
                const CellRecord* beyond = model.Cell(r, c);
                if (!beyond)
                    findings.Warning(door.line, DoorName(door) + " has no block beyond it");
                else if (!beyond->Face(MapFaceSlot::kFloor).present)
                    findings.Warning(door.line, DoorName(door) + " leads into " + BlockName(r, c) +
                                                    ", which has no floor");
            }
            const CellRecord* own = model.Cell(door.row, door.column);
            const FaceRecord* wall = nullptr;
            if (own && own->Side(door.facing).present) wall = &own->Side(door.facing);
            if (!wall && model.Cell(r, c) && model.Cell(r, c)->Side(Opposite(door.facing)).present)
                wall = &model.Cell(r, c)->Side(Opposite(door.facing));
            if (wall)
                findings.Warning(door.line, DoorName(door) + " stands in a wall (line " + std::to_string(wall->line) +
                                                "): the wall stops the player even when the door opens");
            if (door.texture.empty()) findings.Warning(door.line, DoorName(door) + " has no texture");
            const long long edge = EdgeId(door.row, door.column, door.facing);
            const auto first = onEdge.find(edge);
            if (first != onEdge.end())
                findings.Warning(door.line, DoorName(door) + " shares its side with the door of line " +
                                                std::to_string(first->second->line));
            else
                onEdge[edge] = &door;
        }
    }

    void Keys() {
        const std::vector<int> locked = LockedDoors(model);
        std::set<int> keysInMap, doorKeys;
        for (const PlacedObject& object : model.Objects())
            if (KeyRoleOf(object.kind) == MapKeyRole::kIs) keysInMap.insert(object.keyId);
        for (int i : locked) doorKeys.insert(model.Objects()[static_cast<size_t>(i)].keyId);
        for (const PlacedObject& object : model.Objects())
            if (KeyRoleOf(object.kind) == MapKeyRole::kIs && doorKeys.count(object.keyId) == 0)
                findings.Warning(object.line, "key " + std::to_string(object.keyId) + " opens no locked door");
        if (locked.empty() || !model.Inside(1, 1)) return;

        const Reachability walk(model);
        const std::set<int> keysWithEveryDoorOpen = walk.KeysFoundWith(locked);
        for (int i : locked) {
            const PlacedObject& door = model.Objects()[static_cast<size_t>(i)];
            const int key = door.keyId;
            if (walk.Keys().count(key) != 0) continue;
            const std::string what = DoorName(door) + " needs key " + std::to_string(key);
            if (keysInMap.count(key) == 0) {
                findings.Error(door.line, what + ", and the map has no key " + std::to_string(key));
            } else if (keysWithEveryDoorOpen.count(key) == 0) {
                findings.Error(door.line, what + ", which lies where no way from the entrance leads, even "
                                                 "through every door");
            } else if (walk.KeysFoundWith({i}).count(key) != 0) {
                findings.Error(door.line, what + ", which lies behind this door: it cannot be reached from the "
                                                 "entrance without passing the door");
            } else {
                findings.Error(door.line, what + ", which cannot be reached from the entrance without passing a "
                                                 "locked door whose key lies behind it");
            }
        }
    }

    // Open blocks no way leads to even with every locked door open: one
    // finding for each group of them that hangs together.
    void CutOff() {
        if (!model.Inside(1, 1)) return;
        const Reachability allOpen(model, LockedDoors(model));
        std::set<std::pair<int, int>> done;
        for (int row = 1; row <= model.Rows(); ++row) {
            for (int column = 1; column <= model.Columns(); ++column) {
                if (!model.IsOpen(row, column) || allOpen.Reached(row, column) || done.count({row, column}))
                    continue;
                int count = 0;
                std::queue<std::pair<int, int>> todo;
                todo.push({row, column});
                done.insert({row, column});
                while (!todo.empty()) {
                    const auto [r, c] = todo.front();
                    todo.pop();
                    ++count;
                    for (Facing side : kSides) {
                        int rr = r, cc = c;
                        StepAcross(side, rr, cc);
                        if (!model.IsOpen(rr, cc) || done.count({rr, cc}) || model.Closed(r, c, side) ||
                            model.Closed(rr, cc, Opposite(side)))
                            continue;
                        done.insert({rr, cc});
                        todo.push({rr, cc});
                    }
                }
                std::string message = BlockName(row, column);
                if (count > 1) message += " and the " + std::to_string(count - 1) + " open blocks joined to it";
                findings.Warning(model.Cell(row, column)->line,
                                 message + " cannot be reached from the entrance");
            }
        }
    }

    // ---- objects ------------------------------------------------------------

    void ObjectsInRock() {
        for (const PlacedObject& object : model.Objects()) {
            const CellRecord* cell = model.Cell(object.row, object.column);
            if (cell && cell->Face(MapFaceSlot::kFloor).present) continue;
            findings.Warning(object.line, std::string("the ") + KindWord(object.kind) + " stands in " +
                                              (cell ? BlockName(object.row, object.column) + ", which has no floor"
                                                    : "the cell " + CellName(object.row, object.column) +
                                                          ", which holds no block any more"));
        }
    }

    // A generator stands on its block's north-west corner with a radius of
    // 3: the four blocks round the corner are its room, and no wall may run
    // into the corner.
    void Generators() {
        for (const PlacedObject& object : model.Objects()) {
            if (RulesOf(object.kind).standing.stand != MapStand::kCorner) continue;
            const int r = object.row, c = object.column;
            std::string problem;
            for (const auto& [dr, dc] : {std::pair{-1, -1}, {-1, 0}, {0, -1}, {0, 0}}) {
                if (problem.empty() && !model.IsOpen(r + dr, c + dc))
                    problem = "the block " + CellName(r + dr, c + dc) + " by the corner has no floor";
            }
            // The four half-sides that meet at the corner, each from both
            // blocks along it.
            const struct {
                int row, column;
                Facing side;
            } walls[] = {{r - 1, c - 1, kFacingEast}, {r - 1, c, kFacingWest},  {r, c - 1, kFacingEast},
                         {r, c, kFacingWest},         {r - 1, c - 1, kFacingSouth}, {r, c - 1, kFacingNorth},
                         {r - 1, c, kFacingSouth},    {r, c, kFacingNorth}};
            for (const auto& wall : walls)
                if (problem.empty() && model.Closed(wall.row, wall.column, wall.side))
                    problem = "the " + std::string(SideName(wall.side)) + " wall of " +
                              BlockName(wall.row, wall.column) + " runs into the corner";
            if (!problem.empty())
                findings.Warning(object.line, std::string("the ") + KindWord(object.kind) +
                                                  " stands on the north-west corner of " + BlockName(r, c) +
                                                  ", and " + problem);
        }
    }

    // Lamps five apart in file order drive one GL light: it shines from
    // whichever of them the player came near last.
    void Lamps() {
        std::vector<const PlacedObject*> lamps;
        for (const PlacedObject& object : model.Objects())
            if (RulesOf(object.kind).standing.lamp) lamps.push_back(&object);
        for (size_t j = 0; j < lamps.size(); ++j) {
            for (size_t i = 0; i < j; ++i) {
                if (lamps[i]->lamp != lamps[j]->lamp) continue;
                if (!InSight(model, lamps[i]->row, lamps[i]->column, lamps[j]->row, lamps[j]->column)) continue;
                findings.Warning(lamps[j]->line,
                                 "this lamp shares GL light " + std::to_string(lamps[j]->lamp) + " with the lamp of " +
                                     BlockName(lamps[i]->row, lamps[i]->column) + " (line " +
                                     std::to_string(lamps[i]->line) +
                                     "), which is in sight of it: the light shines from whichever the player came "
                                     "near last");
                break;
            }
        }
    }

    const MapDescription& map;
    const MapModel& model;
    Findings& findings;
};

// Whether the side between a cell and its neighbour lets sight through.
bool SeeThrough(const MapModel& model, int row, int column, Facing side) {
    int r = row, c = column;
    StepAcross(side, r, c);
    return !model.DrawnWall(row, column, side) && !model.DrawnWall(r, c, Opposite(side));
}

}  // namespace

bool InSight(const MapModel& model, int row0, int column0, int row1, int column1) {
    const int nx = std::abs(column1 - column0), ny = std::abs(row1 - row0);
    const Facing xSide = column1 > column0 ? kFacingEast : kFacingWest;
    const Facing ySide = row1 > row0 ? kFacingSouth : kFacingNorth;
    const int sx = column1 > column0 ? 1 : -1, sy = row1 > row0 ? 1 : -1;
    int r = row0, c = column0;
    // The cells the line from centre to centre passes, in order: it crosses
    // the next column line first when (0.5 + ix) / nx < (0.5 + iy) / ny.
    for (int ix = 0, iy = 0; ix < nx || iy < ny;) {
        const long long decision = (1LL + 2 * ix) * ny - (1LL + 2 * iy) * nx;
        if (decision == 0) {
            // Through a corner: either way round it will do.
            const bool xFirst = SeeThrough(model, r, c, xSide) && SeeThrough(model, r, c + sx, ySide);
            const bool yFirst = SeeThrough(model, r, c, ySide) && SeeThrough(model, r + sy, c, xSide);
            if (!xFirst && !yFirst) return false;
            r += sy;
            c += sx;
            ++ix;
            ++iy;
        } else if (decision < 0) {
            if (!SeeThrough(model, r, c, xSide)) return false;
            c += sx;
            ++ix;
        } else {
            if (!SeeThrough(model, r, c, ySide)) return false;
            r += sy;
            ++iy;
        }
    }
    return true;
}

MapCheck::MapCheck(std::istream& in, const CheckOptions& options) : description(ReadMap(in)) {
    BuildMapModel(description, model, findings);
    FileCheck ownFiles;
    FileCheck* files = nullptr;
    if (options.checkFiles) {
        files = options.files ? options.files : &ownFiles;
        if (!files->Enter(options.dataDir)) {
            findings.Error(0, "the data folder " + options.dataDir + " cannot be entered; no file is checked");
            files = nullptr;
        }
    }
    Rules(description, model, findings).Run(files);
}

std::unique_ptr<MapCheck> CheckMapFile(const std::string& path, const CheckOptions& options, std::string* whyNot) {
    std::string text, reason;
    if (!ReadMapFile(path, text, reason)) {
        if (whyNot) *whyNot = reason;
        return nullptr;
    }
    std::istringstream in(text);
    return std::make_unique<MapCheck>(in, options);
}

std::string DataDirOf(const std::string& mapPath) {
    const size_t slash = mapPath.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return mapPath.substr(0, slash);
}

}  // namespace mapcheck
