// Every object kind has each part a kind needs: its row in the level file's
// table (a word the reader knows, a place in a block, the models it
// fetches, a symbol and legend on map-check's plan) and its row in the
// world's table (it makes itself, joins a group, and reports itself).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include "game/level_file/level_rules.h"
#include "game/level_file/object_kinds.h"
#include "game/world/object_makers.h"
#include "game/world/world.h"
#include "tests/support/in_folder.h"

namespace {

namespace fs = std::filesystem;

// The fields a kind's entry reads, filled in.
std::string EntryFields(MapObjectFields fields) {
    switch (fields) {
        case MapObjectFields::kNone: return "";
        case MapObjectFields::kSide: return "east door.tga";
        case MapObjectFields::kKeyAndSide: return "4 east door.tga";
        case MapObjectFields::kKeyAndModel: return "4 keyred.3DS";
    }
    return "";
}

// The kind's entry alone in a walled block 2 3.
MapBlock ReadKindEntry(const MapObjectKindRules& kind) {
    std::istringstream text("mapsize 3 3 block 2 3 { north { WALL } east { WALL } liveobjects { " +
                            std::string(kind.word) + " { " + EntryFields(kind.fields) + " } } }");
    const MapDescription map = ReadMap(text);
    EXPECT_TRUE(map.skipped.empty()) << kind.word;
    return std::get<MapBlock>(map.entries.at(1));
}

TEST(ObjectKinds, EveryKindIsReadPlacedDrawnOnThePlanMadeAndReported) {
    const ondra::test::InFolder inData(ONDRA_DATA_DIR);  // where the kinds' models lie
    World world;
    const MapObjectSetting setting{&world.models, nullptr, &world.collider, &world.level, &world.doors,
                                   world.player.get()};
    std::set<std::string> words, legends;
    std::set<std::tuple<int, int, int>> colours;
    for (size_t i = 0; i < MapObjectKinds().size(); ++i) {
        const MapObjectKindRules& kind = MapObjectKinds()[i];
        SCOPED_TRACE(kind.word);
        EXPECT_EQ(static_cast<size_t>(kind.kind), i);  // RulesOf looks a kind up by its place
        EXPECT_TRUE(words.insert(kind.word).second);
        EXPECT_TRUE(legends.insert(kind.symbol.legend).second);
        EXPECT_TRUE(colours.insert({kind.symbol.colour.r, kind.symbol.colour.g, kind.symbol.colour.b}).second);

        const MapBlock block = ReadKindEntry(kind);
        ASSERT_EQ(block.items.size(), 3u);
        const MapObject& entry = std::get<MapObject>(block.items[2]);
        EXPECT_EQ(entry.kind, kind.kind);
        MapPlacement placed;
        ASSERT_EQ(PlaceMapObject(block, 2, 0, placed), MapPlacementResult::kPlaced);
        EXPECT_GT(placed.radius, 0.0f);
        EXPECT_EQ(placed.lamp, kind.standing.lamp ? 0 : -1);
        for (const std::string& model : MapObjectModels(entry)) EXPECT_TRUE(fs::is_regular_file(model)) << model;

        const ObjectMaker* maker = MakerOf(kind.kind);
        ASSERT_NE(maker, nullptr);
        const std::unique_ptr<CObject> made = maker->make(entry, placed, setting);
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->position.x, placed.position.x);
        EXPECT_EQ(made->position.z, placed.position.z);
        EXPECT_FALSE(made->StateLine().empty());
        EXPECT_TRUE(maker->group == &World::doors || maker->group == &World::lights ||
                    maker->group == &World::pickups || maker->group == &World::enemies);
    }
}

// The README's list of objects for level designers shows every kind once,
// as a map writes it (`LOCK_DOOR { N SIDE PIC }`), and nothing else.
TEST(ObjectKinds, TheReadmeListsEveryKindAsAMapWritesIt) {
    std::ifstream file(ONDRA_SOURCE_DIR "/README.md");
    const std::string readme((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const size_t start = readme.find("\nObjects: ");
    ASSERT_NE(start, std::string::npos);
    std::string list = readme.substr(start, readme.find("\n\n", start) - start);
    std::replace(list.begin(), list.end(), '\n', ' ');
    std::multiset<std::string> listed;
    for (size_t open = list.find('`'); open != std::string::npos; open = list.find('`', open + 1)) {
        const size_t close = list.find('`', open + 1);
        ASSERT_NE(close, std::string::npos);
        listed.insert(list.substr(open + 1, close - open - 1));
        open = close;
    }
    const std::map<MapObjectFields, std::string> fields = {{MapObjectFields::kNone, "{ }"},
                                                           {MapObjectFields::kSide, "{ SIDE PIC }"},
                                                           {MapObjectFields::kKeyAndSide, "{ N SIDE PIC }"},
                                                           {MapObjectFields::kKeyAndModel, "{ N MODEL.3DS }"}};
    std::multiset<std::string> kinds;
    for (const MapObjectKindRules& kind : MapObjectKinds()) kinds.insert(kind.word + (" " + fields.at(kind.fields)));
    EXPECT_EQ(listed, kinds);
}

}  // namespace
