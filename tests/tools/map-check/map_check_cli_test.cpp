// The map-check program end to end: what it prints, its exit status, the
// data folder it looks in and the picture it writes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "framework/image.h"
#include "tests/support/scratch_folder.h"
#include "tests/tools/map-check/map_text.h"

namespace mapcheck::test {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    std::string out;
};

// Runs the program with `arguments` (already quoted) and keeps its
// standard output; standard error is dropped.
Outcome MapCheckRun(const std::string& arguments) {
    Outcome run;
    const std::string command = std::string(MAP_CHECK_PATH) + " " + arguments + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class MapCheckCliTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(scratch.File(name)) << text;
        return scratch.File(name);
    }

    ondra::test::ScratchFolder scratch;
    const fs::path dir{scratch.Path()};
};

TEST_F(MapCheckCliTest, ReportsEachFindingWithItsLineThenTheCountsAndFailsOnErrors) {
    const std::string map =
        Write("broken.txt", WithHeader("mapsize 1 1\n" + Room(1, 1, "nswe", Objects("AUTO_DOOR { up doorslide.jpg }"))));
    const Outcome run = MapCheckRun("--data " + std::string(ONDRA_DATA_DIR) + " " + map);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, map + ":3: error: block 1 1: the AUTO_DOOR stands on 'up', which is no side of a block "
                             "(north, south, west or east); the game skips it\n" +
                           map + ":3: error: the entrance (block 1 1, west side, where the ramp meets the compound) "
                                 "is closed by a wall\n" +
                           map + ": 2 errors, 0 warnings\n");
}

TEST_F(MapCheckCliTest, WarningsAloneLeaveTheStatusAtZero) {
    const std::string map = Write("warned.txt", WithHeader("mapsize 1 1 junk\n" + Room(1, 1, "nse")));
    const Outcome run = MapCheckRun("--data " + std::string(ONDRA_DATA_DIR) + " " + map);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, map + ":2: warning: unknown word 'junk' skipped\n" + map + ": 0 errors, 1 warning\n");
}

TEST_F(MapCheckCliTest, NamesAreLookedUpBesideTheMapUnlessToldOtherwise) {
    // Beside the map lie none of the header's files.
    const std::string map = Write("map.txt", WithHeader("mapsize 1 1\n" + Room(1, 1, "nse")));
    const Outcome beside = MapCheckRun(map);
    EXPECT_EQ(beside.status, 1);
    EXPECT_NE(beside.out.find(map + ":1: error: the sky texture skywest.jpg does not exist in the data folder"),
              std::string::npos)
        << beside.out;
    const Outcome told = MapCheckRun("--data " + std::string(ONDRA_DATA_DIR) + " " + map);
    EXPECT_EQ(told.status, 0) << told.out;
}

TEST_F(MapCheckCliTest, TheGameMapIsCleanAndItsPictureIsWritten) {
    const std::string map = std::string(ONDRA_DATA_DIR) + "/map.txt";
    const fs::path bmp = dir / "plan.bmp";
    const Outcome run = MapCheckRun("--picture " + bmp.string() + " " + map);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, map + ": 0 errors, 0 warnings\n");
    ondra::Image image;
    ASSERT_TRUE(image.Load(bmp.string().c_str()));
    EXPECT_GT(image.Width(), 14 * 24);
    EXPECT_GT(image.Height(), 14 * 24);
}

TEST_F(MapCheckCliTest, AMissingMapIsAnErrorAndAWrongCommandLineIsStatusTwo) {
    const std::string missing = (dir / "absent.txt").string();
    const Outcome run = MapCheckRun(missing);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, missing + ": error: cannot open the map file\n" + missing + ": 1 error, 0 warnings\n");
    EXPECT_EQ(MapCheckRun("").status, 2);
    EXPECT_EQ(MapCheckRun("--picture").status, 2);
    EXPECT_EQ(MapCheckRun("--frobnicate map.txt").status, 2);
    EXPECT_EQ(MapCheckRun("a.txt b.txt").status, 2);
}

}  // namespace
}  // namespace mapcheck::test
