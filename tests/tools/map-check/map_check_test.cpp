// map-check's rules, each on a small map of its own: the map text (after a
// first line that loads every file the game looks up) and the lines
// map-check prints for it. A line ending in "*" matches any line that
// starts with what comes before the star (for texts that quote the image
// readers). Then the game's own map, which must hold no error.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "framework/image/encoders/image_encoders.h"
#include "tests/support/scratch_folder.h"
#include "tests/tools/map-check/map_text.h"
#include "tools/map-check/map_check.h"

namespace mapcheck::test {
namespace {

namespace fs = std::filesystem;

struct Case {
    const char* name;
    std::string map;  // from line 2 on
    std::vector<std::string> expected;
};

bool Matches(const std::string& line, const std::string& expected) {
    if (!expected.empty() && expected.back() == '*')
        return line.compare(0, expected.size() - 1, expected, 0, expected.size() - 1) == 0;
    return line == expected;
}

void ExpectLines(const std::vector<std::string>& lines, const std::vector<std::string>& expected) {
    bool same = lines.size() == expected.size();
    for (size_t i = 0; same && i < lines.size(); ++i) same = Matches(lines[i], expected[i]);
    if (same) return;
    std::string got;
    for (const std::string& line : lines) got += "  " + line + "\n";
    std::string wanted;
    for (const std::string& line : expected) wanted += "  " + line + "\n";
    ADD_FAILURE() << "map-check said:\n" << got << "expected:\n" << wanted;
}

void RunCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectLines(CheckLines(c.map), c.expected);
    }
}

const std::string kOneRoom = "mapsize 1 1\n" + Room(1, 1, "nse");

TEST(MapCheckTest, WellFormedMapsHaveNothingToSay) {
    RunCases({
        {"one room open to the ramp", kOneRoom, {}},
        {"a locked door with its key before it",
         "mapsize 1 3\n" + Room(1, 1, "ns", Objects("KEY { 1 keyred.3DS } AUTO_DOOR { east doorslide.jpg }")) +
             Room(1, 2, "ns", Objects("LOCK_DOOR { 1 east doorlock.tga } LIGHT { }")) +
             Room(1, 3, "nse", Objects("VORLAX { } MEDIKIT { }")),
         {}},
        {"a generator in the middle of a room",
         "mapsize 2 2\n" + Room(1, 1, "n") + Room(1, 2, "ne", Objects("WEAPON { } FLASHLIGHT { }")) +
             Room(2, 1, "sw") + Room(2, 2, "se", Objects("GENERATOR { }")),
         {}},
    });
}

TEST(MapCheckTest, FilesThatAreMissingOrDoNotLoadAreErrors) {
    RunCases({
        {"a missing texture",
         "mapsize 1 1\nblock 1 1 { ceiling { NO_LIGHT ceiling.jpg } floor { NORMAL_FLOOR nosuch.jpg } "
         "north { WALL wallpanel.jpg } south { WALL wallpanel.jpg } east { WALL wallpanel.jpg } }\n",
         {"map.txt:3: error: the texture nosuch.jpg does not exist in the data folder"}},
        {"a texture that is no picture",
         "mapsize 1 1\nblock 1 1 { ceiling { NO_LIGHT ceiling.jpg } floor { NORMAL_FLOOR map.txt } "
         "north { WALL wallpanel.jpg } south { WALL wallpanel.jpg } east { WALL wallpanel.jpg } }\n",
         {"map.txt:3: error: the texture map.txt does not load with the game's image readers: bmp: *"}},
        {"sky, HUD, effect, model and door files",
         "skybox { skywest.jpg skyeast.jpg skytop.jpg skybottom.jpg skynorth.jpg nosky.jpg }\n"
         "hud { nohud.tga }\nfx { nofx.jpg }\nmodels { nomodel.3DS floorplate.jpg }\n"
         "mapsize 1 1\n" + Room(1, 1, "nse", Objects("AUTO_DOOR { west nodoor.jpg }")),
         {"map.txt:2: error: the sky texture nosky.jpg does not exist in the data folder",
          "map.txt:3: error: the HUD image nohud.tga does not exist in the data folder",
          "map.txt:4: error: the effect image nofx.jpg does not exist in the data folder",
          "map.txt:5: error: the model nomodel.3DS does not exist in the data folder",
          "map.txt:5: error: the model floorplate.jpg does not load with the game's 3DS reader: not a 3DS file (bad "
          "file header)",
          "map.txt:7: error: the door texture nodoor.jpg does not exist in the data folder"}},
        {"a key model",
         "mapsize 1 1\n" + Room(1, 1, "nse", Objects("KEY { 1 nokey.3DS }")),
         {"map.txt:3: error: the KEY needs the model nokey.3DS, which no 'models' entry lists; a 'models' entry "
          "must load a model before the first object that uses it",
          "map.txt:3: error: the key model nokey.3DS does not exist in the data folder",
          "map.txt:3: warning: key 1 opens no locked door"}},
        // Not looked up at all: the game refuses a map that names them.
        {"names that leave the data folder",
         "skybox { ../skywest.jpg /etc/passwd C:x.jpg \\\\server\\x.jpg sub/../../x.jpg a..b.jpg }\n"
         "mapsize 1 1\n" + Room(1, 1, "nse"),
         {"map.txt:2: error: the sky texture ../skywest.jpg leads out of the data folder (it has a '..' "
          "component); the game refuses a map that names it",
          "map.txt:2: error: the sky texture /etc/passwd leads out of the data folder (it is an absolute path); "
          "the game refuses a map that names it",
          "map.txt:2: error: the sky texture C:x.jpg leads out of the data folder (it is an absolute path); the "
          "game refuses a map that names it",
          "map.txt:2: error: the sky texture \\\\server\\x.jpg leads out of the data folder (it is an absolute "
          "path); the game refuses a map that names it",
          "map.txt:2: error: the sky texture sub/../../x.jpg leads out of the data folder (it has a '..' "
          "component); the game refuses a map that names it",
          "map.txt:2: error: the sky texture a..b.jpg does not exist in the data folder"}},
    });
}

TEST(MapCheckTest, BlocksOutsideTheMapAndTheMapSize) {
    RunCases({
        {"a block outside the map size",
         kOneRoom + Room(2, 1, "nswe", Objects("LIGHT { }")),
         {"map.txt:4: error: block 2 1 lies outside the 1 x 1 map; the game skips it and its objects"}},
        {"a block before the map size",
         Room(1, 1, "nse") + "mapsize 1 1\n",
         {"map.txt: error: there is no block 1 1: the ramp leads into rock where the entrance should be",
          "map.txt:2: error: block 1 1 comes before any 'mapsize' entry; the game skips it and its objects"}},
        {"no map size", Room(1, 1, "nse"),
         {"map.txt: error: the map has no 'mapsize' entry; the game's grid stays empty",
          "map.txt:2: error: block 1 1 comes before any 'mapsize' entry; the game skips it and its objects"}},
        {"a map size the game refuses", "mapsize 2000 1\n" + Room(1, 1, "nse"),
         {"map.txt:2: error: map size 2000 x 1 is outside 0 to 1024; the game makes an empty grid",
          "map.txt:3: error: block 1 1 lies outside the 0 x 0 map; the game skips it and its objects"}},
        {"a block size other than 3", "blocksize 4\n" + kOneRoom,
         {"map.txt:2: error: blocksize 4: the game draws blocks that far apart, but they stand and collide 3 "
          "apart; write 3"}},
        {"a later map size drops the blocks", kOneRoom + "mapsize 1 1\n" + Room(1, 1, "nse"),
         {"map.txt:4: warning: this 'mapsize' empties the grid: the 1 block placed before it is dropped (objects "
          "stay in the world)"}},
    });
}

TEST(MapCheckTest, DoorsOnNoSideAndPickupsWithoutAWall) {
    RunCases({
        {"a door on no side", "mapsize 1 1\n" + Room(1, 1, "nse", Objects("AUTO_DOOR { up doorslide.jpg }")),
         {"map.txt:3: error: block 1 1: the AUTO_DOOR stands on 'up', which is no side of a block (north, south, "
          "west or east); the game skips it"}},
        {"a pickup in a block without walls",
         "mapsize 3 3\n" + Room(1, 1, "n") + Room(1, 2, "n") + Room(1, 3, "ne") + Room(2, 1, "w") +
             Room(2, 2, "", Objects("WEAPON { }")) + Room(2, 3, "e") + Room(3, 1, "sw") + Room(3, 2, "s") +
             Room(3, 3, "se"),
         {"map.txt:7: error: block 2 2: the WEAPON hangs on a wall, and its block has none; the game skips it"}},
        {"a pickup before the walls of its block",
         "mapsize 1 1\nblock 1 1 { ceiling { NO_LIGHT ceiling.jpg } floor { NORMAL_FLOOR floorplate.jpg }\n"
         "  liveobjects { MEDIKIT { } }\n"
         "  north { WALL wallpanel.jpg } south { WALL wallpanel.jpg } east { WALL wallpanel.jpg } }\n",
         {"map.txt:4: error: block 1 1: the MEDIKIT hangs on a wall read before it, and the block's first wall "
          "(north, line 5) comes after it; the game skips it"}},
    });
}

TEST(MapCheckTest, ModelsMustBeLoadedBeforeTheObjectsThatUseThem) {
    RunCases({
        {"a models entry after the key that needs it",
         "mapsize 1 2\n" + Room(1, 1, "ns", Objects("KEY { 1 keyblue.3DS }")) +
             Room(1, 2, "nse", Objects("LOCK_DOOR { 1 west doorlock.tga }")) + "models { keyblue.3DS }\n",
         {"map.txt:3: error: the KEY needs the model keyblue.3DS, which the 'models' entry lists only later (line "
          "5); a 'models' entry must load a model before the first object that uses it"}},
    });
}

TEST(MapCheckTest, TheEntranceMustBeOpen) {
    RunCases({
        {"a wall on the entrance", "mapsize 1 1\n" + Room(1, 1, "nswe"),
         {"map.txt:3: error: the entrance (block 1 1, west side, where the ramp meets the compound) is closed by a "
          "wall"}},
        {"no entrance block", "mapsize 1 2\n" + Room(1, 2, "nse"),
         {"map.txt: error: there is no block 1 1: the ramp leads into rock where the entrance should be",
          "map.txt:3: warning: block 1 2: its west side opens onto the empty cell 1 1, with no wall; the player "
          "could walk into the rock"}},
    });
}

TEST(MapCheckTest, LockedDoorsWhoseKeysCannotBeHadFirst) {
    RunCases({
        {"the key behind its own door",
         "mapsize 1 2\n" + Room(1, 1, "ns", Objects("LOCK_DOOR { 1 east doorlock.tga }")) +
             Room(1, 2, "nse", Objects("KEY { 1 keyred.3DS }")),
         {"map.txt:3: error: the locked door on the east side of block 1 1 needs key 1, which lies behind this "
          "door: it cannot be reached from the entrance without passing the door"}},
        {"each key behind the other's door",
         "mapsize 1 3\n" + Room(1, 1, "ns", Objects("LOCK_DOOR { 1 east doorlock.tga }")) +
             Room(1, 2, "ns", Objects("KEY { 2 keyred.3DS } LOCK_DOOR { 2 east doorlock.tga }")) +
             Room(1, 3, "nse", Objects("KEY { 1 keyred.3DS }")),
         {"map.txt:3: error: the locked door on the east side of block 1 1 needs key 1, which lies behind this "
          "door: it cannot be reached from the entrance without passing the door",
          "map.txt:4: error: the locked door on the east side of block 1 2 needs key 2, which cannot be reached "
          "from the entrance without passing a locked door whose key lies behind it"}},
        {"a door from the far side counts too",
         "mapsize 1 2\n" + Room(1, 1, "ns") +
             Room(1, 2, "nse", Objects("LOCK_DOOR { 3 west doorlock.tga } KEY { 3 keyred.3DS }")),
         {"map.txt:4: error: the locked door on the west side of block 1 2 needs key 3, which lies behind this "
          "door: it cannot be reached from the entrance without passing the door"}},
        {"no such key",
         "mapsize 1 2\n" + Room(1, 1, "ns", Objects("LOCK_DOOR { 5 east doorlock.tga }")) + Room(1, 2, "nse"),
         {"map.txt:3: error: the locked door on the east side of block 1 1 needs key 5, and the map has no key 5"}},
        {"the key walled off",
         "mapsize 1 3\n" + Room(1, 1, "ns", Objects("LOCK_DOOR { 1 east doorlock.tga }")) + Room(1, 2, "nse") +
             Room(1, 3, "nswe", Objects("KEY { 1 keyred.3DS }")),
         {"map.txt:3: error: the locked door on the east side of block 1 1 needs key 1, which lies where no way "
          "from the entrance leads, even through every door",
          "map.txt:5: warning: block 1 3 cannot be reached from the entrance"}},
        {"two locked doors on one side need both keys",
         "mapsize 1 2\n" + Room(1, 1, "ns", Objects("LOCK_DOOR { 1 east doorlock.tga } KEY { 1 keyred.3DS }")) +
             Room(1, 2, "nse", Objects("LOCK_DOOR { 2 west doorlock.tga } KEY { 2 keyred.3DS }")),
         {"map.txt:4: warning: the locked door on the west side of block 1 2 shares its side with the door of "
          "line 3",
          "map.txt:4: error: the locked door on the west side of block 1 2 needs key 2, which lies behind this "
          "door: it cannot be reached from the entrance without passing the door"}},
        {"a locked entrance with the key inside",
         "mapsize 1 1\n" + Room(1, 1, "nse", Objects("LOCK_DOOR { 1 west doorlock.tga } KEY { 1 keyred.3DS }")),
         {"map.txt:3: error: the locked door on the west side of block 1 1 needs key 1, which lies behind this "
          "door: it cannot be reached from the entrance without passing the door"}},
    });
}

// Keys that turn up one at a time, each behind the door before it, and
// closets that each keep their own door's key, in open ground.
TEST(MapCheckTest, ManyLockedDoorsInOpenGround) {
    for (const bool chain : {true, false}) {
        SCOPED_TRACE(chain ? "a chain of doors" : "keys behind their own doors");
        int behind = 0, otherErrors = 0;
        for (const std::string& line : CheckLines(LockedDoorMap(15, 12, chain))) {
            if (line.find(": error: ") == std::string::npos) continue;
            if (line.find("which lies behind this door") != std::string::npos)
                ++behind;
            else
                ++otherErrors;
        }
        EXPECT_EQ(behind, chain ? 0 : 12);
        EXPECT_EQ(otherErrors, 0);
    }
}

TEST(MapCheckTest, SidesOpenToTheOutsideOrTheRock) {
    RunCases({
        {"an outer side without a wall", "mapsize 1 1\n" + Room(1, 1, "ne"),
         {"map.txt:3: warning: block 1 1: its south side faces the outside of the map with no wall; the player "
          "could walk out into the rock"}},
        {"an empty cell beside a room, on the map's edge", "mapsize 2 1\n" + Room(1, 1, "ne"),
         {"map.txt: warning: the cell 2 1 on the map's south edge holds no block: a player on the surface could "
          "walk into the rock there",
          "map.txt:3: warning: block 1 1: its south side opens onto the empty cell 2 1, with no wall; the player "
          "could walk into the rock"}},
        {"a run of empty edge cells", "mapsize 2 4\n" + Room(1, 1, "nse") + "block 1 2 { north { WALL wallpipes.bmp } }\n",
         {"map.txt: warning: the cells 1 3 to 1 4 on the map's north edge hold no block: a player on the surface "
          "could walk into the rock there",
          "map.txt: warning: the cells 2 1 to 2 4 on the map's south edge hold no block: a player on the surface "
          "could walk into the rock there"}},
        {"a wall on one side of a shared side only", "mapsize 1 2\n" + Room(1, 1, "ns") + Room(1, 2, "nsew"),
         {"map.txt:4: warning: the west wall of block 1 2 has no twin on the east side of block 1 1: from there it "
          "cannot be seen (walls face into their block), yet it stops the player",
          "map.txt:4: warning: block 1 2 cannot be reached from the entrance"}},
    });
}

TEST(MapCheckTest, DoorsWithNothingBeyondThemOrInAWall) {
    RunCases({
        {"a door onto the outside, in a wall",
         "mapsize 1 1\n" + Room(1, 1, "nse", Objects("AUTO_DOOR { north doorslide.jpg }")),
         {"map.txt:3: warning: the automatic door on the north side of block 1 1 has no block beyond it",
          "map.txt:3: warning: the automatic door on the north side of block 1 1 stands in a wall (line 3): the "
          "wall stops the player even when the door opens"}},
        {"a door into rock and one without texture, on one side",
         "mapsize 1 2\n" + Room(1, 1, "nse", Objects("AUTO_DOOR { east doorslide.jpg } AUTO_DOOR { east }")) +
             "block 1 2 { north { WALL wallpipes.bmp } south { WALL wallpipes.bmp } east { WALL wallpipes.bmp } "
             "west { WALL wallpipes.bmp } }\n",
         {"map.txt:3: warning: the automatic door on the east side of block 1 1 leads into block 1 2, which has no "
          "floor",
          "map.txt:3: warning: the automatic door on the east side of block 1 1 stands in a wall (line 3): the "
          "wall stops the player even when the door opens",
          "map.txt:3: warning: the automatic door on the east side of block 1 1 leads into block 1 2, which has no "
          "floor",
          "map.txt:3: warning: the automatic door on the east side of block 1 1 stands in a wall (line 3): the "
          "wall stops the player even when the door opens",
          "map.txt:3: warning: the automatic door on the east side of block 1 1 has no texture",
          "map.txt:3: warning: the automatic door on the east side of block 1 1 shares its side with the door of "
          "line 3"}},
    });
}

TEST(MapCheckTest, BlocksAndFacesGivenTwiceAndFacesThatAreNotDrawn) {
    RunCases({
        {"two blocks in one cell", kOneRoom + Room(1, 1, "nse"),
         {"map.txt:4: warning: two blocks in one cell: block 1 1 replaces the block of line 3 (the game keeps the "
          "later one; the objects of both stay)"}},
        {"a face given twice, one of another type, one untextured",
         "mapsize 1 1\nblock 1 1 { ceiling { NO_LIGHT ceiling.jpg } floor { NORMAL_FLOOR floorplate.jpg }\n"
         "  north { WALL wallpanel.jpg } north { DOOR wallpanel.jpg }\n"
         "  south { WALL } east { WALL wallpanel.jpg } }\n",
         {"map.txt:4: warning: a second north face in block 1 1 replaces the one of line 4",
          "map.txt:4: warning: the north face of block 1 1 has the type 'DOOR', not WALL: it is not drawn, yet it "
          "stops the player",
          "map.txt:5: warning: the south face of block 1 1 has no texture; it is drawn untextured"}},
        {"a floor without a ceiling and a ceiling without a floor",
         "mapsize 1 2\nblock 1 1 { floor { NORMAL_FLOOR floorplate.jpg } north { WALL wallpanel.jpg } "
         "south { WALL wallpanel.jpg } east { WALL wallpanel.jpg } }\n"
         "block 1 2 { ceiling { NO_LIGHT ceiling.jpg } north { WALL wallpipes.bmp } south { WALL wallpipes.bmp } "
         "east { WALL wallpipes.bmp } west { WALL wallpipes.bmp } }\n",
         {"map.txt:3: warning: block 1 1 has a floor but no ceiling",
          "map.txt:4: warning: block 1 2 has a ceiling but no floor"}},
    });
}

TEST(MapCheckTest, ObjectsInRockGeneratorsOnWallsAndKeysForNoDoor) {
    RunCases({
        {"a creature in a block without a floor",
         "mapsize 1 2\n" + Room(1, 1, "nse") +
             "block 1 2 { north { WALL wallpipes.bmp } south { WALL wallpipes.bmp } east { WALL wallpipes.bmp } "
             "west { WALL wallpipes.bmp } liveobjects { VORLAX { } } }\n",
         {"map.txt:4: warning: the VORLAX stands in block 1 2, which has no floor"}},
        {"a generator on the map's corner", "mapsize 1 1\n" + Room(1, 1, "nse", Objects("GENERATOR { }")),
         {"map.txt:3: warning: the GENERATOR stands on the north-west corner of block 1 1, and the block 0 0 by the "
          "corner has no floor"}},
        {"a generator where walls meet",
         "mapsize 2 2\n" + Room(1, 1, "ns") + Room(1, 2, "nes") + Room(2, 1, "nsw") +
             Room(2, 2, "nsew", Objects("GENERATOR { }")),
         {"map.txt:5: warning: block 2 1 cannot be reached from the entrance",
          "map.txt:6: warning: the west wall of block 2 2 has no twin on the east side of block 2 1: from there it "
          "cannot be seen (walls face into their block), yet it stops the player",
          "map.txt:6: warning: block 2 2 cannot be reached from the entrance",
          "map.txt:6: warning: the GENERATOR stands on the north-west corner of block 2 2, and the west wall of "
          "block 2 2 runs into the corner"}},
        {"a key for no door", "mapsize 1 1\n" + Room(1, 1, "nse", Objects("KEY { 4 keyred.3DS }")),
         {"map.txt:3: warning: key 4 opens no locked door"}},
    });
}

TEST(MapCheckTest, LampsSharingAGlLightInSightOfEachOther) {
    // The sixth lamp takes GL light 0 again, like the first.
    const std::string lamp = Objects("LIGHT { }");
    RunCases({
        {"one room of six lamps",
         "mapsize 2 3\n" + Room(1, 1, "n", lamp) + Room(1, 2, "n", lamp) + Room(1, 3, "ne", lamp) +
             Room(2, 1, "sw", lamp) + Room(2, 2, "s", lamp) + Room(2, 3, "se", lamp),
         {"map.txt:8: warning: this lamp shares GL light 0 with the lamp of block 1 1 (line 3), which is in sight "
          "of it: the light shines from whichever the player came near last"}},
        {"round a corner",
         "mapsize 2 3\n" + Room(1, 1, "ns", lamp) + Room(1, 2, "ns", lamp) + Room(1, 3, "ne", lamp) +
             Room(2, 1, "nsw", lamp) + Room(2, 2, "ns", lamp) + Room(2, 3, "se", lamp),
         {}},
    });
}

TEST(MapCheckTest, WordsTheReaderPassesOver) {
    RunCases({
        {"unknown words", "mapsize 1 1 junk\n" + Room(1, 1, "nse", "stuff " + Objects("LAMP LIGHT { }")),
         {"map.txt:2: warning: unknown word 'junk' skipped",
          "map.txt:3: warning: unknown word 'stuff' skipped",
          "map.txt:3: warning: unknown word 'LAMP' skipped"}},
        {"a closing brace too early ends the section, and the rest is skipped",
         "mapsize 1 1\n" + Room(1, 1, "nse", Objects("LAMP { } LIGHT { }")),
         {"map.txt:3: warning: 2 unknown words skipped: 'LAMP' '{'",
          "map.txt:3: warning: 2 unknown words skipped: 'LIGHT' '{'",
          "map.txt:3: warning: 2 unknown words skipped: '}' '}'"}},
        {"the textures entry", "textures { a.jpg b.jpg }\n" + kOneRoom,
         {"map.txt:2: warning: 'textures' loads nothing: the game reads the word after it and skips the names that "
          "follow",
          "map.txt:2: warning: 3 unknown words skipped: 'a.jpg' 'b.jpg' '}'"}},
        {"braces that are not braces",
         "mapsize 1 1\nblock 1 1 { ceiling { NO_LIGHT ceiling.jpg } floor { NORMAL_FLOOR floorplate.jpg }\n"
         "  north [ WALL wallpanel.jpg ] south { WALL wallpanel.jpg } east { WALL wallpanel.jpg } }\n",
         {"map.txt:4: warning: expected '{', found '['; the game reads past it as the brace",
          "map.txt:4: warning: expected '}', found ']'; the game reads past it as the brace"}},
        {"numbers with tails", "mapsize 1x 1\n" + Room(1, 1, "nse"),
         {"map.txt:2: warning: '1x' is not a whole number; the game reads it as 1"}},
        {"a key beyond the int range",
         "mapsize 1 1\n" + Room(1, 1, "nse", Objects("KEY { 99999999999 keyred.3DS }")),
         {"map.txt:3: warning: '99999999999' is out of range: the game holds numbers from -2147483648 to "
          "2147483647 and reads it as 2147483647",
          "map.txt:3: warning: key 2147483647 opens no locked door"}},
        {"a file that ends inside a block",
         "mapsize 1 1\nblock 1 1 { ceiling { NO_LIGHT ceiling.jpg } floor { NORMAL_FLOOR floorplate.jpg }\n"
         "  north { WALL wallpanel.jpg } south { WALL wallpanel.jpg } east { WALL wallpanel.jpg }\n",
         {"map.txt:3: warning: the file ends inside this entry; the game keeps what was read of it"}},
        {"a sky of two faces takes what follows as the others",
         "skybox { skywest.jpg skyeast.jpg }\n" + kOneRoom,
         {"map.txt: error: the map has no 'mapsize' entry; the game's grid stays empty",
          "map.txt:2: warning: the skybox names fewer than 6 faces: the game takes '}' and the words after it as "
          "sky textures",
          "map.txt:2: error: the sky texture } does not exist in the data folder",
          "map.txt:3: error: the sky texture mapsize does not exist in the data folder",
          "map.txt:3: error: the sky texture 1 does not exist in the data folder",
          "map.txt:4: warning: expected '}', found 'block'; the game reads past it as the brace",
          "map.txt:4: warning: 29 unknown words skipped: '1' '1' '{' 'ceiling' '{' ..."}},
        {"a sky cut short by the end of the file", kOneRoom + "skybox { skywest.jpg skyeast.jpg",
         {"map.txt:4: warning: the file ends inside this entry; the game keeps what was read of it",
          "map.txt:4: warning: the skybox names 2 of its 6 faces (west, east, top, bottom, north, south)"}},
        {"one word too long", kOneRoom + std::string(5000, 'x') + "\n",
         {"map.txt: warning: 1 word longer than 4096 characters is cut short",
          "map.txt:4: warning: unknown word '" + std::string(40, 'x') + "...' skipped"}},
        {"two words too long", kOneRoom + std::string(5000, 'x') + " " + std::string(5000, 'y') + "\n",
         {"map.txt: warning: 2 words longer than 4096 characters are cut short",
          "map.txt:4: warning: 2 unknown words skipped: '" + std::string(40, 'x') + "...' '" +
              std::string(40, 'y') + "...'"}},
    });
}

// Without the header: what the game looks up by name must be loaded.
TEST(MapCheckTest, TexturesAndModelsTheGameLooksUpByName) {
    CheckOptions options;
    options.dataDir = ONDRA_DATA_DIR;
    std::istringstream in("blocksize 3 skybox { skywest.jpg skyeast.jpg skytop.jpg skybottom.jpg skynorth.jpg "
                          "skysouth.jpg } models { armgun.3DS } hud { hudU.tga hudU1.tga hudU2.tga hudU3.tga "
                          "hudU4.tga hudU5.tga hudL.tga hudLKey.tga hudLMed.tga hudLBoth.tga } fx { flare.jpg "
                          "flame.jpg storm.jpg }\n" +
                          kOneRoom);
    const MapCheck check(in, options);
    std::vector<std::string> lines;
    for (const Finding& finding : check.Results().Sorted()) lines.push_back(FormatFinding("map.txt", finding));
    ExpectLines(lines, {"map.txt: warning: the map never loads textures the game looks up by name (list them in a "
                        "'hud' or 'fx' entry): gunflare.jpg (the creatures' muzzle flash); flarered.jpg (the "
                        "creatures' shots); lightning.jpg (the generators' electricity)",
                        "map.txt: error: no 'models' entry lists armtorch.3DS, which the player's arms need; the "
                        "game ends at start-up without it"});
}

// More than 50 pictures that load: the 51st and those after it find no
// slot in the game's texture cache.
TEST(MapCheckTest, MoreTexturesThanTheCacheHolds) {
    // A data folder of the game's files and 28 pictures more, named as a
    // map names its files: inside the folder. Copies, not links, since
    // Windows lets only some users make links.
    const ondra::test::ScratchFolder dir;
    for (const auto& entry : fs::directory_iterator(ONDRA_DATA_DIR))
        if (entry.is_regular_file()) fs::copy_file(entry.path(), dir.File(entry.path().filename().string()));
    // The header loads 22 images, these 28 more and the room 3.
    std::string hud = "hud {";
    for (int i = 1; i <= 28; ++i) {
        const std::string file = "extra" + std::to_string(i) + ".bmp";
        ASSERT_TRUE(dir.WriteImage(file, 128, 128, 128));
        hud += "\n" + file;
    }
    hud += "\n}\n";
    const std::vector<std::string> lines = CheckLines(hud + kOneRoom, dir.Path());
    // The 51st is the room's ceiling.
    ExpectLines(lines, {"map.txt:33: warning: the map loads 53 textures and the game's texture cache holds 50: "
                        "ceiling.jpg and the 2 after it are not loaded"});
}

// A model that loads but whose own textures do not (they are looked up in
// the data folder too), and one cut short: warnings with what the 3DS
// reader said.
TEST(MapCheckTest, ModelsWhoseTexturesDoNotLoadOrThatAreCutShort) {
    const ondra::test::ScratchFolder scratch;
    const fs::path dir = scratch.Path();
    const fs::path data = ONDRA_DATA_DIR;
    fs::copy_file(data / "vorlax.3DS", dir / "vorlax.3DS");
    ondra::encoders::Bytes rack = ondra::encoders::ReadFile((data / "rack.3DS").string());
    ASSERT_GT(rack.size(), 200u);
    rack.resize(rack.size() / 2);
    ASSERT_TRUE(ondra::encoders::WriteFile((dir / "cut.3DS").string(), rack));

    CheckOptions options;
    options.dataDir = dir.string();
    std::istringstream in("models {\nvorlax.3DS\ncut.3DS\n}\n");
    const MapCheck check(in, options);
    std::vector<std::string> lines;
    for (const Finding& finding : check.Results().Sorted())
        if (finding.line > 0) lines.push_back(FormatFinding("map.txt", finding));
    ExpectLines(lines, {"map.txt:2: warning: the model vorlax.3DS: its texture vorlskin.jpg does not load",
                        "map.txt:3: warning: the model cut.3DS: the 3DS reader says: cut.3DS: data ends at offset *"});
}

// The asset generator's map: the game's level must hold no error (and
// nothing else to say either).
TEST(MapCheckTest, TheGameMapHasNoError) {
    CheckOptions options;
    options.dataDir = ONDRA_DATA_DIR;
    const std::unique_ptr<MapCheck> check = CheckMapFile(std::string(ONDRA_DATA_DIR) + "/map.txt", options);
    ASSERT_TRUE(check);
    std::string said;
    for (const Finding& finding : check->Results().Sorted()) said += FormatFinding("map.txt", finding) + "\n";
    EXPECT_EQ(check->Errors(), 0) << said;
    EXPECT_EQ(check->Warnings(), 0) << said;
    EXPECT_EQ(check->Model().Rows(), 14);
}

}  // namespace
}  // namespace mapcheck::test
