// LoadMap: the grid and its faces, the sky and the caches, where every kind
// of object stands and what it carries, the lamps' GL lights, the entries
// skipped with a warning, and the game's own map.
#include "game/world/map_loader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <tuple>
#include <vector>

#include "game/level/level.h"
#include "game/level/level_collider.h"
#include "game/objects/automatic_door.h"
#include "game/objects/flashlight.h"
#include "game/objects/generator.h"
#include "game/objects/generator_core.h"
#include "game/objects/key.h"
#include "game/objects/light.h"
#include "game/objects/locked_door.h"
#include "game/objects/medikit.h"
#include "game/objects/player.h"
#include "game/objects/vorlax.h"
#include "game/objects/vorlax_mesh.h"
#include "game/objects/weapon.h"
#include "game/render/model_cache.h"
#include "game/render/texture_cache.h"
#include "game/world/world.h"
#include "game/world/world_builder.h"
#include "tests/support/gl_context.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/skip_or_fail.h"
#include "tests/support/in_folder.h"

namespace {

using ondra::test::ScratchFolder;

using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

// The members of a group that are of one kind, in attachment order.
template <class Kind>
std::vector<Kind*> Members(CObject& group) {
    std::vector<Kind*> found;
    for (CObject& member : group.Children())
        if (auto* kind = dynamic_cast<Kind*>(&member)) found.push_back(kind);
    return found;
}

void ExpectAt(const CObject& object, const Vector3& at) {
    EXPECT_FLOAT_EQ(object.position.x, at.x);
    EXPECT_FLOAT_EQ(object.position.y, at.y);
    EXPECT_FLOAT_EQ(object.position.z, at.z);
}

class MapLoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!context.ok()) ONDRA_SKIP_OR_FAIL("no GL context");
        level.BuildFaceLists(1.0f);
    }

    bool Load(const std::string& text) {
        std::ofstream(files.File("map.txt")) << text;
        return LoadFile(files.File("map.txt"));
    }
    // From the data folder, where the game's models and images lie; both
    // streams are kept for the test to read.
    bool LoadFile(const std::string& path) {
        const ondra::test::InFolder inData(ONDRA_DATA_DIR);
        CaptureStdout();
        CaptureStderr();
        const bool loaded = LoadMap(path, world, lamps);
        out = GetCapturedStdout();
        err = GetCapturedStderr();
        return loaded;
    }

    ondra::test::ScopedGLContext context;  // first in, last out: the level and caches free GL names
    ScratchFolder files;
    World world;
    TextureCache& textures = world.textures;
    Level& level = world.level;
    CObject& doors = world.doors;
    CObject& lights = world.lights;
    CObject& pickups = world.pickups;
    CObject& enemies = world.enemies;
    LampCounter lamps;
    std::string out, err;
};

TEST_F(MapLoaderTest, SizesAloneGiveAnEmptyGridAndATexturesEntryLoadsNothing) {
    ASSERT_TRUE(Load("mapsize 2 2\nblocksize 3\ntextures { wallpanel.jpg floorplate.jpg }\n"));
    EXPECT_EQ(level.Rows(), 2);
    EXPECT_EQ(level.Columns(), 2);
    EXPECT_EQ(level.BlockSize(), 3);
    for (int cell = 0; cell < 4; ++cell) EXPECT_EQ(level.BlockAt(cell / 2, cell % 2), nullptr);
    EXPECT_EQ(textures.UsedSlots(), 0);
    for (const CObject* group : {&doors, &lights, &pickups, &enemies}) EXPECT_FALSE(group->HasChild());
    EXPECT_EQ(out + err, "");
}

TEST_F(MapLoaderTest, AMissingOrUnreadableFileGivesFalseAndPrintsNothing) {
    for (const std::string& path : {files.File("absent.txt"), files.File("")}) {
        EXPECT_FALSE(LoadFile(path)) << path;
        EXPECT_EQ(out, "") << path;
        EXPECT_EQ(level.Rows(), 0);
    }
}

TEST_F(MapLoaderTest, FacesTakeTheirKindListAndTextureAndEachImageLoadsOnce) {
    ASSERT_TRUE(Load("mapsize 2 3\n"
                     "skybox { skywest.jpg skyeast.jpg skytop.jpg skybottom.jpg skynorth.jpg skysouth.jpg }\n"
                     "block 1 1 { north { WALL } }\n"
                     "block 1 2 { floor { NORMAL_FLOOR floorplate.jpg } ceiling { NO_LIGHT } west { DOOR wallpanel.jpg } }\n"
                     "block 2 3 { floor { NORMAL_FLOOR floorplate.jpg } }\n"));
    const FaceLists& lists = level.FaceListNames();
    const unsigned int floorImage = textures.TextureToBind("floorplate.jpg");
    EXPECT_GT(floorImage, 0);
    EXPECT_EQ(textures.UsedSlots(), 8);  // six sky faces, one floor, one wall

    const Block* first = level.BlockAt(0, 0);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(dynamic_cast<const Wall*>(first->north.get()), nullptr);
    EXPECT_EQ(first->north->textureId, 0u);
    EXPECT_EQ(first->north->displayList, static_cast<int>(lists.wall));
    EXPECT_FALSE(first->south || first->west || first->east || first->floor || first->ceiling);

    const Block* second = level.BlockAt(0, 1);
    ASSERT_NE(second, nullptr);
    ASSERT_NE(dynamic_cast<const FloorTile*>(second->floor.get()), nullptr);
    EXPECT_EQ(second->floor->displayList, static_cast<int>(lists.floor));
    ASSERT_NE(dynamic_cast<const Ceiling*>(second->ceiling.get()), nullptr);
    EXPECT_EQ(second->ceiling->displayList, static_cast<int>(lists.ceiling));
    // A type word that is not the slot's leaves a plain face, textured all the same.
    ASSERT_TRUE(second->west);
    EXPECT_EQ(dynamic_cast<const Wall*>(second->west.get()), nullptr);
    EXPECT_EQ(second->west->displayList, 0);
    EXPECT_EQ(second->west->textureId, textures.TextureToBind("wallpanel.jpg"));

    EXPECT_EQ(second->floor->textureId, floorImage);
    ASSERT_NE(level.BlockAt(1, 2), nullptr);
    EXPECT_EQ(level.BlockAt(1, 2)->floor->textureId, floorImage);

    const Skybox& sky = level.Sky();
    const unsigned int faces[] = {sky.west, sky.east, sky.top, sky.bottom, sky.north, sky.south};
    const char* names[] = {"skywest.jpg", "skyeast.jpg", "skytop.jpg", "skybottom.jpg", "skynorth.jpg", "skysouth.jpg"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(faces[i], textures.TextureToBind(names[i])) << names[i];
}

TEST_F(MapLoaderTest, LampsTakeGlLightsInFileOrderAndTheCountRunsOnAcrossLoads) {
    std::string map = "mapsize 1 7\n";
    for (int c = 1; c <= 7; ++c) map += "block 1 " + std::to_string(c) + " { liveobjects { LIGHT { } } }\n";
    ASSERT_TRUE(Load(map));
    const std::vector<Light*> lamps = Members<Light>(lights);
    ASSERT_EQ(lamps.size(), 7u);
    const int expected[] = {0, 1, 2, 3, 4, 0, 1};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(lamps[i]->LightIndex(), expected[i]) << "lamp " << i;
    ExpectAt(*lamps[5], Vector3(16.5f, 2.8f, 1.5f));
    EXPECT_FLOAT_EQ(lamps[5]->radius, 9.0f);

    ASSERT_TRUE(Load("mapsize 1 1 block 1 1 { liveobjects { LIGHT { } } }"));
    EXPECT_EQ(Members<Light>(lights).back()->LightIndex(), 2);
}

TEST_F(MapLoaderTest, DoorsStandInTheMiddleOfTheirSide) {
    ASSERT_TRUE(Load("mapsize 3 3 block 2 3 { liveobjects {\n"
                     "  AUTO_DOOR { north doorslide.jpg } AUTO_DOOR { south }\n"
                     "  LOCK_DOOR { 7 west doorlock.tga } LOCK_DOOR { 8 east nothere.tga } } }"));
    const struct {
        Vector3 at;
        int facing;
        bool textured;
    } expected[] = {{{7.5f, 1.5f, 3.0f}, kFacingNorth, true},
                    {{7.5f, 1.5f, 6.0f}, kFacingSouth, false},
                    {{6.0f, 1.5f, 4.5f}, kFacingWest, true},
                    {{9.0f, 1.5f, 4.5f}, kFacingEast, false}};  // its image is missing: bound as none
    const std::vector<Door*> placed = Members<Door>(doors);
    ASSERT_EQ(placed.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        ExpectAt(*placed[i], expected[i].at);
        EXPECT_EQ(placed[i]->orientation, expected[i].facing);
        EXPECT_EQ(placed[i]->state, Door::kClosed);
        EXPECT_EQ(placed[i]->texture != 0u, expected[i].textured);
        EXPECT_FLOAT_EQ(placed[i]->radius, i < 2 ? 1.5f : 3.0f);
    }
    ASSERT_NE(dynamic_cast<AutomaticDoor*>(placed[1]), nullptr);
    ASSERT_NE(dynamic_cast<LockedDoor*>(placed[3]), nullptr);
    EXPECT_EQ(static_cast<LockedDoor*>(placed[2])->keyId, 7);
    EXPECT_EQ(placed[2]->texture, textures.TextureToBind("doorlock.tga"));
}

TEST_F(MapLoaderTest, WallPickupsHangOnTheFirstWallOfNorthSouthWestEast) {
    const struct {
        const char* entries;
        const char* pickup;
        Vector3 at;
        int facing;
        float radius;
    } cases[] = {
        {"west { WALL } north { WALL }", "WEAPON", {7.5f, 1.5f, 3.1f}, kFacingNorth, 0.5f},
        {"west { WALL } south { WALL }", "MEDIKIT", {7.5f, 1.5f, 5.9f}, kFacingSouth, 0.5f},
        {"east { WALL }", "FLASHLIGHT", {8.4f, 0.2f, 4.5f}, kFacingEast, 1.5f},
        {"east { WALL } west { PLAIN }", "WEAPON", {6.1f, 1.5f, 4.5f}, kFacingWest, 0.5f},  // any face counts
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entries);
        ASSERT_TRUE(Load(std::string("mapsize 3 3 block 2 3 { ") + c.entries + " liveobjects { " + c.pickup +
                         " { } } }"));
        const std::vector<WallPickup*> hung = Members<WallPickup>(pickups);
        ASSERT_FALSE(hung.empty());
        ExpectAt(*hung.back(), c.at);
        EXPECT_EQ(hung.back()->orientation, c.facing);
        EXPECT_FLOAT_EQ(hung.back()->radius, c.radius);
    }
    EXPECT_EQ(Members<Weapon>(pickups).size(), 2u);
    EXPECT_EQ(Members<Medikit>(pickups).size(), 1u);
}

TEST_F(MapLoaderTest, KeysCreaturesAndGeneratorsStandInTheirBlockWithTheirParts) {
    ASSERT_TRUE(Load("mapsize 3 3 block 2 3 { liveobjects { KEY { 5 keyred.3DS } VORLAX { } GENERATOR { } } }"));
    const std::vector<Key*> keys = Members<Key>(pickups);
    ASSERT_EQ(keys.size(), 1u);
    ExpectAt(*keys[0], Vector3(7.5f, 0.1f, 4.5f));
    EXPECT_EQ(keys[0]->keyId, 5);
    EXPECT_FLOAT_EQ(keys[0]->radius, 1.5f);

    const std::vector<Vorlax*> creatures = Members<Vorlax>(enemies);
    ASSERT_EQ(creatures.size(), 1u);
    ExpectAt(*creatures[0], Vector3(7.5f, 2.0f, 4.5f));
    EXPECT_FLOAT_EQ(creatures[0]->radius, 10.0f);
    const auto* body = dynamic_cast<VorlaxMesh*>(creatures[0]->FirstChild());
    ASSERT_NE(body, nullptr);
    ExpectAt(*body, creatures[0]->position);

    const std::vector<Generator*> generators = Members<Generator>(enemies);
    ASSERT_EQ(generators.size(), 1u);
    ExpectAt(*generators[0], Vector3(6.0f, 0.0f, 3.0f));
    EXPECT_FLOAT_EQ(generators[0]->radius, 3.0f);
    ASSERT_NE(generators[0]->Core(), nullptr);
    ExpectAt(*generators[0]->Core(), Vector3(6.0f, 2.15f, 3.0f));
    EXPECT_FLOAT_EQ(generators[0]->Core()->radius, 1.0f);
    EXPECT_EQ(enemies.FirstChild(), creatures[0]);  // file order
}

TEST_F(MapLoaderTest, EntriesWithNoPlaceAreSkippedWithAWarningAndCutOffEntriesEndWithTheFile) {
    const struct {
        const char* name;
        const char* map;
        int rows, doors, lights, pickups;
        bool firstBlock;  // whether block 1 1 is placed
        std::vector<std::string> warnings;
    } cases[] = {
        {"no map size", "block 1 1 { liveobjects { LIGHT { } } }", 0, 0, 0, 0, false, {"block 1 1"}},
        {"outside the grid", "mapsize 2 2 block 3 1 { north { WALL } liveobjects { LIGHT { } } } block 1 0 { }", 2,
         0, 0, 0, false, {"block 3 1", "block 1 0"}},
        {"door on no side", "mapsize 1 1 block 1 1 { liveobjects { AUTO_DOOR { up } LIGHT { } } }", 1, 0, 1, 0, true,
         {"block 1 1", "\"up\""}},
        {"wall read after the pickup", "mapsize 1 1 block 1 1 { liveobjects { MEDIKIT { } } north { WALL } }", 1, 0,
         0, 0, true, {"block 1 1", "MEDIKIT"}},
        {"cut off in a door", "mapsize 2 2 block 1 1 { north { WALL } liveobjects { LIGHT { } AUTO_DOOR { east", 2,
         1, 1, 0, true, {}},
        {"cut off before a door's side", "mapsize 2 2 block 1 1 { liveobjects { LOCK_DOOR { 3", 2, 0, 0, 0, true, {}},
        {"numbers past int", "mapsize 99999999999999999999 2 block 1 1 { }", 0, 0, 0, 0, false, {"block 1 1"}},
        {"numbers with tails", "mapsize 2x 3abc block 1 1 { floor { NORMAL_FLOOR", 2, 0, 0, 0, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CObject* groups[] = {&doors, &lights, &pickups};
        for (CObject* group : groups)
            while (group->HasChild()) delete group->FirstChild();
        level.Resize(0, 0);
        EXPECT_TRUE(Load(c.map));
        EXPECT_EQ(level.Rows(), c.rows);
        EXPECT_EQ(Members<Door>(doors).size(), static_cast<size_t>(c.doors));
        EXPECT_EQ(Members<Light>(lights).size(), static_cast<size_t>(c.lights));
        EXPECT_EQ(Members<Pickup>(pickups).size(), static_cast<size_t>(c.pickups));
        EXPECT_EQ(level.BlockAt(0, 0) != nullptr, c.firstBlock);
        for (const std::string& warning : c.warnings) EXPECT_NE(err.find(warning), std::string::npos) << err;
        if (c.warnings.empty()) {
            EXPECT_EQ(err, "");
        }
        EXPECT_EQ(out, "");
    }
    // The block cut off inside its door is still placed with its wall.
    Load("mapsize 2 2 block 1 1 { north { WALL } liveobjects { AUTO_DOOR { east");
    ASSERT_NE(level.BlockAt(0, 0), nullptr);
    EXPECT_TRUE(level.BlockAt(0, 0)->north);
}

// Every group's sphere must hold the whole level, or a part of a long,
// narrow map could never touch the player: the longer side sets it.
TEST_F(MapLoaderTest, TheWorldsGroupSpheresHoldANonSquareMap) {
    for (const auto& [size, centre, radius] : {std::tuple{"2 5", Vector3(7.5f, 1.5f, 3.0f), 15.0f},
                                               std::tuple{"6 1", Vector3(1.5f, 1.5f, 9.0f), 18.0f}}) {
        SCOPED_TRACE(size);
        std::ofstream(files.File("map.txt")) << "mapsize " << size << " models { armgun.3DS armtorch.3DS }\n";
        {
            const ondra::test::InFolder inData(ONDRA_DATA_DIR);
            CaptureStdout();
            BuildWorld(world, files.File("map.txt"));
            out = GetCapturedStdout();
        }
        for (const CObject* group : world.Groups()) {
            ExpectAt(*group, centre);
            EXPECT_FLOAT_EQ(group->radius, radius);
        }
        EXPECT_TRUE(world.hasSurface);
        EXPECT_EQ(world.player->Parent(), &world.playerGroup);
    }
}

// A map that cannot be read leaves no game to play: the program says why
// the map could not be read (not which model is missing then) and ends as
// for any data it cannot use. Unreadable by permission is the same branch,
// but binds no one running as root.
using MapLoaderDeathTest = MapLoaderTest;
TEST_F(MapLoaderDeathTest, AMapThatCannotBeReadEndsTheGameSayingWhy) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process: the GL context is not forked
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {{files.Path(), "it is a directory, not a map file"}, {files.File("absent.txt"), "No such file"}};
    for (const auto& c : cases) {
        EXPECT_EXIT(BuildWorld(world, c.path), ::testing::ExitedWithCode(1),
                    "compound: cannot read the map .*: " + std::string(c.reason))
            << c.path;
    }
}

// Every object keyword in the generated map yields one object of its kind.
TEST_F(MapLoaderTest, TheGameMapBuildsEveryObjectItNames) {
    std::map<std::string, size_t> named;
    std::ifstream text(std::string(ONDRA_DATA_DIR) + "/map.txt");
    for (std::string word; text >> word;) ++named[word];
    ASSERT_GT(named["LIGHT"], 0u);

    ASSERT_TRUE(LoadFile("map.txt"));
    EXPECT_EQ(level.Rows(), 14);
    EXPECT_EQ(level.Columns(), 14);
    EXPECT_EQ(Members<AutomaticDoor>(doors).size(), named["AUTO_DOOR"]);
    EXPECT_EQ(Members<LockedDoor>(doors).size(), named["LOCK_DOOR"]);
    EXPECT_EQ(Members<Light>(lights).size(), named["LIGHT"]);
    EXPECT_EQ(Members<Weapon>(pickups).size(), named["WEAPON"]);
    EXPECT_EQ(Members<Flashlight>(pickups).size(), named["FLASHLIGHT"]);
    EXPECT_EQ(Members<Medikit>(pickups).size(), named["MEDIKIT"]);
    EXPECT_EQ(Members<Key>(pickups).size(), named["KEY"]);
    EXPECT_EQ(Members<Vorlax>(enemies).size(), named["VORLAX"]);
    EXPECT_EQ(Members<Generator>(enemies).size(), named["GENERATOR"]);
    EXPECT_EQ(err, "");
    EXPECT_EQ(out.find("There is no"), std::string::npos) << out;
}

}  // namespace
