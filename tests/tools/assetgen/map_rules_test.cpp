// Checks the generated level against the rules a playable map must obey:
// everything it names exists, the compound is closed and connected, doors
// stand in openings, keys lie before their doors, pickups hang on walls,
// generators stand where four open blocks meet, lamps sharing a GL light
// are far apart.
#include "map_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <queue>
#include <set>
#include <sstream>

namespace maptest {
namespace {

const std::string kDataDir = ONDRA_DATA_DIR;

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool FileExists(const std::string& name)
{
    std::ifstream in(kDataDir + "/" + name, std::ios::binary);
    return in.good();
}

struct Step {
    int dr, dc;
    Slot here, there;
    const char* word;
};
const Step kSteps[4] = {{-1, 0, kNorth, kSouth, "north"},
                        {1, 0, kSouth, kNorth, "south"},
                        {0, -1, kWest, kEast, "west"},
                        {0, 1, kEast, kWest, "east"}};

const Step* StepFor(const std::string& side)
{
    for (const Step& s : kSteps) {
        if (side == s.word) {
            return &s;
        }
    }
    return nullptr;
}

struct Centre {
    float x, z;
};
Centre CentreOf(int row, int column) { return {3.0f * (column - 1) + 1.5f, 3.0f * (row - 1) + 1.5f}; }

class MapRules : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        const std::string text = ReadText(kDataDir + "/map.txt");
        ASSERT_FALSE(text.empty()) << "no map.txt in " << kDataDir;
        ASSERT_TRUE(ParseMap(text, map, &error)) << error;
    }

    std::vector<const MapObject*> ObjectsOf(const std::string& kind) const
    {
        std::vector<const MapObject*> found;
        for (const MapObject& o : map.objects) {
            if (o.kind == kind) {
                found.push_back(&o);
            }
        }
        return found;
    }

    bool IsDoorEdge(int row, int column, const Step& step, bool lockedOnly) const
    {
        for (const MapObject& o : map.objects) {
            if (o.kind != "LOCK_DOOR" && (lockedOnly || o.kind != "AUTO_DOOR")) {
                continue;
            }
            const std::string& side = o.kind == "LOCK_DOOR" ? o.args.at(1) : o.args.at(0);
            const Step* s = StepFor(side);
            if (s == nullptr) {
                continue;
            }
            if ((o.row == row && o.column == column && s == &step) ||
                (o.row == row + step.dr && o.column == column + step.dc && s->here == step.there)) {
                return true;
            }
        }
        return false;
    }

    // The locked door standing on this edge, or null.
    const MapObject* LockedDoorAt(int row, int column, const Step& step) const
    {
        for (const MapObject* o : ObjectsOf("LOCK_DOOR")) {
            const Step* s = StepFor(o->args.at(1));
            if ((o->row == row && o->column == column && s == &step) ||
                (o->row == row + step.dr && o->column == column + step.dc && s != nullptr && s->here == step.there)) {
                return o;
            }
        }
        return nullptr;
    }

    // Open blocks reachable from the entrance through open edges, not
    // passing locked doors whose key id is not in `keys`.
    std::set<std::pair<int, int>> Reachable(const std::set<int>& keys) const
    {
        std::set<std::pair<int, int>> seen;
        std::queue<std::pair<int, int>> todo;
        if (map.IsOpen(1, 1)) {
            seen.insert({1, 1});
            todo.push({1, 1});
        }
        while (!todo.empty()) {
            const auto [row, column] = todo.front();
            todo.pop();
            const MapBlock* block = map.Block(row, column);
            for (const Step& step : kSteps) {
                const int r = row + step.dr;
                const int c = column + step.dc;
                const MapBlock* next = map.Block(r, c);
                if (next == nullptr || !next->Open() || block->Has(step.here) || next->Has(step.there) ||
                    seen.count({r, c}) != 0) {
                    continue;
                }
                const MapObject* door = LockedDoorAt(row, column, step);
                if (door != nullptr && keys.count(std::atoi(door->args.at(0).c_str())) == 0) {
                    continue;
                }
                seen.insert({r, c});
                todo.push({r, c});
            }
        }
        return seen;
    }

    MapFile map;
};

TEST_F(MapRules, HeaderComesFirstAndDescribesALargeCompound)
{
    EXPECT_TRUE(map.listsBeforeBlocks);
    EXPECT_GE(map.rows, 12);
    EXPECT_GE(map.columns, 12);
    EXPECT_EQ(map.blockSize, 3);
    EXPECT_EQ(map.skybox.size(), 6u);
    for (const char* name : {"hudU.tga", "hudU1.tga", "hudU2.tga", "hudU3.tga", "hudU4.tga", "hudU5.tga",
                             "hudL.tga", "hudLKey.tga", "hudLMed.tga", "hudLBoth.tga"}) {
        EXPECT_NE(std::find(map.hud.begin(), map.hud.end(), name), map.hud.end()) << name;
    }
    for (const char* name : {"flare.jpg", "flame.jpg", "gunflare.jpg", "flarered.jpg", "storm.jpg", "lightning.jpg"}) {
        EXPECT_NE(std::find(map.fx.begin(), map.fx.end(), name), map.fx.end()) << name;
    }
    // The objects and the window look these up in the model cache.
    for (const char* name : {"armgun.3DS", "armtorch.3DS", "rack.3DS", "fullrack.3DS", "toolbox.3DS", "emptybox.3DS",
                             "medikit.3DS", "emptykit.3DS", "vorlax.3DS", "deadvorl.3DS", "genbase.3DS",
                             "gendead.3DS", "gencore.3DS"}) {
        EXPECT_NE(std::find(map.models.begin(), map.models.end(), name), map.models.end()) << name;
    }
}

TEST_F(MapRules, EveryNamedFileExistsAndTheTextureCacheSuffices)
{
    std::set<std::string> textures(map.skybox.begin(), map.skybox.end());
    textures.insert(map.hud.begin(), map.hud.end());
    textures.insert(map.fx.begin(), map.fx.end());
    for (const auto& [cell, block] : map.blocks) {
        for (const FaceEntry& face : block.faces) {
            if (face.present) {
                EXPECT_FALSE(face.texture.empty()) << "untextured face in block " << cell.first << " " << cell.second;
                textures.insert(face.texture);
            }
        }
    }
    std::set<std::string> models(map.models.begin(), map.models.end());
    models.insert("surface.3DS");
    for (const MapObject& o : map.objects) {
        if (o.kind == "LOCK_DOOR" && o.args.size() == 3) {
            textures.insert(o.args[2]);
        } else if (o.kind == "AUTO_DOOR" && o.args.size() == 2) {
            textures.insert(o.args[1]);
        } else if (o.kind == "KEY") {
            ASSERT_EQ(o.args.size(), 2u);
            models.insert(o.args[1]);
            EXPECT_NE(std::find(map.models.begin(), map.models.end(), o.args[1]), map.models.end())
                << "key model not preloaded: " << o.args[1];
        }
    }
    textures.erase("");
    for (const std::string& name : textures) {
        EXPECT_TRUE(FileExists(name)) << name;
    }
    for (const std::string& name : models) {
        EXPECT_TRUE(FileExists(name)) << name;
    }
    EXPECT_LE(textures.size(), 50u) << "the game's texture cache holds 50 textures";
}

TEST_F(MapRules, FacesUseTheirSlotsTypeWords)
{
    for (const auto& [cell, block] : map.blocks) {
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const FaceEntry& face = block.faces[slot];
            if (!face.present) {
                continue;
            }
            const char* expected = slot == kCeiling ? "NO_LIGHT" : slot == kFloor ? "NORMAL_FLOOR" : "WALL";
            EXPECT_EQ(face.type, expected) << "block " << cell.first << " " << cell.second;
        }
        if (block.Open()) {
            EXPECT_TRUE(block.Has(kCeiling)) << "open block without ceiling " << cell.first << " " << cell.second;
        } else {
            EXPECT_FALSE(block.Has(kCeiling)) << "ceiling over rock " << cell.first << " " << cell.second;
        }
        EXPECT_GE(cell.first, 1);
        EXPECT_LE(cell.first, map.rows);
        EXPECT_GE(cell.second, 1);
        EXPECT_LE(cell.second, map.columns);
    }
}

TEST_F(MapRules, EntranceOpensWestOntoTheRamp)
{
    const MapBlock* entrance = map.Block(1, 1);
    ASSERT_NE(entrance, nullptr);
    EXPECT_TRUE(entrance->Open());
    EXPECT_FALSE(entrance->Has(kWest));
}

TEST_F(MapRules, WallsCloseTheCompoundAndStandOnBothSidesOfEveryEdge)
{
    for (const auto& [cell, block] : map.blocks) {
        const auto [row, column] = cell;
        if (!block.Open()) {
            continue;
        }
        for (const Step& step : kSteps) {
            const bool entrance = row == 1 && column == 1 && step.here == kWest;
            const MapBlock* next = map.Block(row + step.dr, column + step.dc);
            if (next == nullptr || !next->Open()) {
                EXPECT_TRUE(block.Has(step.here) || entrance)
                    << "block " << row << " " << column << " open to rock or the outside on its " << step.word;
            } else {
                EXPECT_EQ(block.Has(step.here), next->Has(step.there))
                    << "wall on one side only: block " << row << " " << column << " " << step.word;
            }
        }
    }
}

TEST_F(MapRules, FootprintIsSealedAgainstThePlanetSurface)
{
    // A player on the surface must not step into the compound's cells.
    for (int row = 1; row <= map.rows; ++row) {
        for (int column = 1; column <= map.columns; ++column) {
            const MapBlock* block = map.Block(row, column);
            for (const Step& step : kSteps) {
                const int r = row + step.dr;
                const int c = column + step.dc;
                const bool outer = r < 1 || c < 1 || r > map.rows || c > map.columns;
                const bool entrance = row == 1 && column == 1 && step.here == kWest;
                if (outer && !entrance) {
                    EXPECT_TRUE(block != nullptr && block->Has(step.here))
                        << "edge cell " << row << " " << column << " open to the outside on its " << step.word;
                }
            }
        }
    }
}

TEST_F(MapRules, EveryOpenBlockIsReachableOnceTheKeysAreFound)
{
    // Collect keys as their blocks come within reach; locked doors open only
    // with their key, so each key must lie before its door.
    std::set<int> keys;
    std::set<std::pair<int, int>> reached = Reachable(keys);
    bool progress = true;
    while (progress) {
        progress = false;
        for (const MapObject* key : ObjectsOf("KEY")) {
            const int id = std::atoi(key->args.at(0).c_str());
            if (reached.count({key->row, key->column}) != 0 && keys.insert(id).second) {
                progress = true;
            }
        }
        reached = Reachable(keys);
    }
    for (const MapObject* door : ObjectsOf("LOCK_DOOR")) {
        EXPECT_EQ(keys.count(std::atoi(door->args.at(0).c_str())), 1u)
            << "key " << door->args.at(0) << " lies behind its own door";
    }
    for (const auto& [cell, block] : map.blocks) {
        if (block.Open()) {
            EXPECT_EQ(reached.count(cell), 1u) << "block " << cell.first << " " << cell.second << " is cut off";
        }
    }
}

TEST_F(MapRules, DoorsStandInOpeningsBetweenOpenBlocks)
{
    const auto locked = ObjectsOf("LOCK_DOOR");
    const auto automatic = ObjectsOf("AUTO_DOOR");
    EXPECT_GE(locked.size(), 1u);
    EXPECT_GE(automatic.size(), 3u);
    std::vector<const MapObject*> doors = locked;
    doors.insert(doors.end(), automatic.begin(), automatic.end());
    for (const MapObject* door : doors) {
        const bool isLocked = door->kind == "LOCK_DOOR";
        ASSERT_EQ(door->args.size(), isLocked ? 3u : 2u);
        const Step* step = StepFor(door->args[isLocked ? 1 : 0]);
        ASSERT_NE(step, nullptr) << "bad side word " << door->args[isLocked ? 1 : 0];
        const MapBlock* here = map.Block(door->row, door->column);
        const MapBlock* there = map.Block(door->row + step->dr, door->column + step->dc);
        ASSERT_TRUE(here != nullptr && here->Open());
        ASSERT_TRUE(there != nullptr && there->Open()) << "door at " << door->row << " " << door->column;
        EXPECT_FALSE(here->Has(step->here)) << "wall behind the door at " << door->row << " " << door->column;
        EXPECT_FALSE(there->Has(step->there)) << "wall behind the door at " << door->row << " " << door->column;
        if (isLocked) {
            const std::string& keyId = door->args[0];
            bool hasKey = false;
            for (const MapObject* key : ObjectsOf("KEY")) {
                hasKey = hasKey || key->args.at(0) == keyId;
            }
            EXPECT_TRUE(hasKey) << "no key " << keyId;
        }
    }
}

TEST_F(MapRules, PickupsHangOnWallsAndTheRackIsNearTheEntrance)
{
    for (const char* kind : {"WEAPON", "FLASHLIGHT", "MEDIKIT"}) {
        for (const MapObject* o : ObjectsOf(kind)) {
            const MapBlock* block = map.Block(o->row, o->column);
            ASSERT_NE(block, nullptr);
            EXPECT_TRUE(block->Open());
            EXPECT_TRUE(block->Has(kNorth) || block->Has(kSouth) || block->Has(kWest) || block->Has(kEast))
                << kind << " in block " << o->row << " " << o->column << " has no wall to hang on";
        }
    }
    ASSERT_EQ(ObjectsOf("WEAPON").size(), 1u);
    ASSERT_EQ(ObjectsOf("FLASHLIGHT").size(), 1u);
    EXPECT_GE(ObjectsOf("MEDIKIT").size(), 2u);
    const MapObject* rack = ObjectsOf("WEAPON").front();
    EXPECT_LE(std::abs(rack->row - 1) + std::abs(rack->column - 1), 2) << "the rack should greet the player";
}

TEST_F(MapRules, TheToolBoxLiesInTheDark)
{
    // A lamp lights up once the player comes within 9.5 units of it.
    const MapObject* box = ObjectsOf("FLASHLIGHT").front();
    const Centre at = CentreOf(box->row, box->column);
    for (const MapObject* lamp : ObjectsOf("LIGHT")) {
        const Centre l = CentreOf(lamp->row, lamp->column);
        EXPECT_GT(std::hypot(l.x - at.x, l.z - at.z), 9.5f) << "lamp at " << lamp->row << " " << lamp->column;
    }
}

TEST_F(MapRules, LampsSharingALightAreFarApart)
{
    const auto lamps = ObjectsOf("LIGHT");
    EXPECT_GE(lamps.size(), 8u);
    for (size_t i = 0; i < lamps.size(); ++i) {
        EXPECT_TRUE(map.IsOpen(lamps[i]->row, lamps[i]->column));
        for (size_t j = i + 5; j < lamps.size(); j += 5) {
            const Centre a = CentreOf(lamps[i]->row, lamps[i]->column);
            const Centre b = CentreOf(lamps[j]->row, lamps[j]->column);
            EXPECT_GT(std::hypot(a.x - b.x, a.z - b.z), 20.0f) << "lamps " << i << " and " << j << " share a light";
        }
    }
}

TEST_F(MapRules, CreaturesAndGeneratorsStandInOpenSpace)
{
    EXPECT_GE(ObjectsOf("VORLAX").size(), 3u);
    const auto generators = ObjectsOf("GENERATOR");
    EXPECT_GE(generators.size(), 2u);
    for (const MapObject* o : ObjectsOf("VORLAX")) {
        EXPECT_TRUE(map.IsOpen(o->row, o->column));
    }
    for (const MapObject* g : generators) {
        // The generator stands at the block's north-west corner: the four
        // blocks around it are open and no wall runs through it.
        const int r = g->row;
        const int c = g->column;
        for (const auto& [dr, dc] : {std::pair{-1, -1}, {-1, 0}, {0, -1}, {0, 0}}) {
            EXPECT_TRUE(map.IsOpen(r + dr, c + dc)) << "generator at " << r << " " << c;
        }
        const MapBlock* here = map.Block(r, c);
        const MapBlock* northWest = map.Block(r - 1, c - 1);
        ASSERT_TRUE(here != nullptr && northWest != nullptr);
        EXPECT_FALSE(here->Has(kNorth) || here->Has(kWest) || northWest->Has(kSouth) || northWest->Has(kEast))
            << "wall through the generator at " << r << " " << c;
    }
}

TEST_F(MapRules, LevelTexturesUseEveryImageReader)
{
    // One of each: JPEG, 24-bit BMP, 8-bit paletted BMP, run-length TGA.
    std::set<std::string> textures;
    for (const auto& [cell, block] : map.blocks) {
        for (const FaceEntry& face : block.faces) {
            textures.insert(face.texture);
        }
    }
    bool jpeg = false, bmp24 = false, bmp8 = false, rleTga = false;
    for (const std::string& name : textures) {
        const std::string bytes = ReadText(kDataDir + "/" + name);
        if (bytes.size() < 30) {
            continue;
        }
        const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
        jpeg = jpeg || (byte(0) == 0xFF && byte(1) == 0xD8);
        if (bytes[0] == 'B' && bytes[1] == 'M') {
            bmp24 = bmp24 || byte(28) == 24;
            bmp8 = bmp8 || byte(28) == 8;
        }
        rleTga = rleTga || (name.size() > 4 && name.substr(name.size() - 4) == ".tga" && byte(2) == 10);
    }
    EXPECT_TRUE(jpeg);
    EXPECT_TRUE(bmp24);
    EXPECT_TRUE(bmp8);
    EXPECT_TRUE(rleTga);
}

}  // namespace
}  // namespace maptest
