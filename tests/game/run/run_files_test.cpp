// Where a run works and where its outputs go: the paths the user gave are
// fixed from the folder the program started in before it enters the data
// folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "game/run/options.h"
#include "game/run/run_files.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/in_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(RunFiles, OutputsAndTheScriptAreFixedFromTheStartingFolder) {
    ondra::test::ScratchFolder scratch;
    const std::string here = fs::absolute(scratch.Path()).string();
    const std::string elsewhere = fs::absolute(scratch.File("x/abs.bmp")).string();
    GameOptions options;
    options.stateFile = "state.txt";
    options.recordFile = "";
    options.scriptFile = "sub/run.txt";
    options.shots = {{3, "a.bmp"}, {5, elsewhere}};
    std::string error;
    const ondra::test::InFolder working(here);
    ASSERT_TRUE(PlaceOutputs(options, error)) << error;
    const struct {
        std::string placed, expected;
    } cases[] = {
        {options.pictureDir, here},
        {options.stateFile, (fs::path(here) / "state.txt").string()},
        {options.recordFile, ""},
        {options.scriptFile, (fs::path(here) / "sub" / "run.txt").string()},
        {options.shots[0].file, (fs::path(here) / "a.bmp").string()},
        {options.shots[1].file, elsewhere},
        {FromHere(""), ""},
    };
    for (const auto& c : cases) EXPECT_EQ(c.placed, c.expected);
}

TEST(RunFiles, TheDataFolderIsEnteredOnlyWhenItHoldsAMap) {
    ondra::test::ScratchFolder scratch;
    const std::string withMap = fs::absolute(scratch.File("data")).string();
    const std::string without = fs::absolute(scratch.File("empty")).string();
    fs::create_directories(withMap);
    fs::create_directories(without);
    std::ofstream(withMap + "/map.txt") << "mapsize 1 1\n";
    const ondra::test::InFolder working(scratch.Path());

    GameOptions options;
    options.dataDir = without;
    std::string dataDir, error;
    EXPECT_FALSE(EnterDataDir(options, dataDir, error));
    EXPECT_EQ(error, "no map.txt found; searched " + without);
    EXPECT_TRUE(fs::equivalent(fs::current_path(), scratch.Path()));

    // A map.txt that is a link leading nowhere is named as such, not
    // passed over as if it were missing.
    const struct {
        const char* target;
        const char* note;
    } links[] = {{"gone.txt", " (its map.txt is a link to a file that does not exist)"},
                 {"map.txt", " (its map.txt cannot be reached: "}};
    for (const auto& link : links) {
        std::error_code linked;
        fs::remove(without + "/map.txt", linked);
        fs::create_symlink(link.target, without + "/map.txt", linked);
        if (linked) continue;  // a system without symbolic links
        error.clear();
        EXPECT_FALSE(EnterDataDir(options, dataDir, error));
        EXPECT_EQ(error.rfind("no map.txt found; searched " + without + link.note, 0), 0u) << error;
    }

    // So is a --data that names no folder.
    std::ofstream(scratch.File("plain.txt")) << "not a folder\n";
    std::error_code linked;
    fs::create_symlink("nowhere", scratch.File("dangling"), linked);
    fs::create_symlink("loop", scratch.File("loop"), linked);
    const struct {
        std::string folder;
        const char* note;
        bool isLink;
    } folders[] = {{scratch.File("missing"), " (it does not exist)", false},
                   {scratch.File("plain.txt"), " (it is not a folder)", false},
                   {scratch.File("dangling"), " (a link to a folder that does not exist)", true},
                   {scratch.File("loop"), " (it cannot be reached: ", true}};
    for (const auto& folder : folders) {
        if (folder.isLink && linked) continue;  // a system without symbolic links
        options.dataDir = folder.folder;
        error.clear();
        EXPECT_FALSE(EnterDataDir(options, dataDir, error));
        EXPECT_EQ(error.rfind("no map.txt found; searched " + folder.folder + folder.note, 0), 0u) << error;
    }

    options.dataDir = withMap;
    error.clear();
    ASSERT_TRUE(EnterDataDir(options, dataDir, error)) << error;
    EXPECT_EQ(dataDir, withMap);
    EXPECT_TRUE(fs::equivalent(fs::current_path(), withMap));
}

}  // namespace
