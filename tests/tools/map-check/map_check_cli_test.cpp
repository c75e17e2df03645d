// The map-check program end to end: what it prints, its exit status, the
// data folder it looks in and the picture it writes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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

// Runs a shell command and keeps its standard output.
Outcome RunShell(const std::string& command) {
    Outcome run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// Runs the program with `arguments` (already quoted) and keeps its
// standard output; standard error is dropped.
Outcome MapCheckRun(const std::string& arguments) {
    return RunShell(std::string(MAP_CHECK_PATH) + " " + arguments + " 2>/dev/null");
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

// A run that must fail, and how. In `arguments`, `out` and `err`, {map} is
// a copy of the game's map in the scratch folder, {dir} that folder and
// {data} the game's data folder; `shell` runs before the program. `err` is
// a part of standard error; standard output must be `out` exactly.
struct BadRun {
    const char* name;
    std::string arguments;
    int status;
    std::string out;
    std::string err;
    std::string shell = "";
};

class MapCheckBadRunTest : public MapCheckCliTest {
protected:
    void SetUp() override {
        fs::copy_file(std::string(ONDRA_DATA_DIR) + "/map.txt", dir / "map.txt");
        Write("old.bmp", "the picture of an earlier run");
        Write("wallpanel.jpg", "a texture of the map");
        for (const char* name : {"vorlax.3DS", "vorlskin.jpg"})
            fs::copy_file(fs::path(ONDRA_DATA_DIR) / name, dir / name);
        Write("own.txt", WithHeader("mapsize 1 1\n" + Room(1, 1, "nse")));
        ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
        fs::create_directory(dir / "folder");
        Write("stderr.txt", "");
    }

    std::string Fill(std::string text) const {
        const std::pair<const char*, std::string> names[] = {
            {"{map}", (dir / "map.txt").string()}, {"{dir}", dir.string()}, {"{data}", ONDRA_DATA_DIR}};
        for (const auto& [name, value] : names)
            for (size_t at; (at = text.find(name)) != std::string::npos;) text.replace(at, std::strlen(name), value);
        return text;
    }

    std::string Read(const std::string& name) const {
        std::ifstream in(dir / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

// `scratchName`: the name of the scratch folder in its parent.
std::vector<BadRun> BadRuns(const std::string& scratchName) {
    const std::string usage = "usage: map-check [--picture OUT.bmp] [--data DIR] map.txt\n";
    const std::string cannotWrite = "map-check: cannot write the picture";
    const std::string summary = "{map}: 0 errors, 0 warnings\n";
    return {
        {"help", "--help", 0, usage, ""},
        {"short help", "-h", 0, usage, ""},
        {"no map", "", 2, "", "map-check: no map file given\n" + usage},
        {"no picture name", "--picture", 2, "", "missing value for --picture"},
        {"an unknown option", "--frobnicate {map}", 2, "", "unknown option --frobnicate"},
        {"two maps", "a.txt b.txt", 2, "", "give one map file"},
        {"a missing map", "{dir}/absent.txt", 1,
         "{dir}/absent.txt: error: cannot read the map file: No such file or directory\n"
         "{dir}/absent.txt: 1 error, 0 warnings\n",
         ""},
        {"an endless device", "/dev/zero", 1,
         "/dev/zero: error: cannot read the map file: it is a character device, not a map file\n"
         "/dev/zero: 1 error, 0 warnings\n",
         ""},
        {"random bytes without end", "/dev/urandom", 1,
         "/dev/urandom: error: cannot read the map file: it is a character device, not a map file\n"
         "/dev/urandom: 1 error, 0 warnings\n",
         ""},
        {"a FIFO nobody writes", "{dir}/fifo", 1,
         "{dir}/fifo: error: cannot read the map file: it is a FIFO, not a map file\n"
         "{dir}/fifo: 1 error, 0 warnings\n",
         ""},
        {"a folder", "{dir}/folder", 1,
         "{dir}/folder: error: cannot read the map file: it is a directory, not a map file\n"
         "{dir}/folder: 1 error, 0 warnings\n",
         ""},
        {"the picture onto the map", "--data {data} --picture {map} {map}", 2, "",
         "map-check: --picture {map} would replace the map"},
        {"the picture onto the map through another name", "--data {data} --picture {dir}/../" + scratchName +
                                                              "/map.txt {map}",
         2, "", "would replace the map"},
        {"the picture onto a texture the map names", "--picture {dir}/wallpanel.jpg {dir}/own.txt", 2, "",
         "would replace {dir}/wallpanel.jpg, a file the map or its models name"},
        {"the picture onto a texture of a model the map names", "--picture {dir}/vorlskin.jpg {dir}/own.txt", 2,
         "", "would replace {dir}/vorlskin.jpg, a file the map or its models name"},
        {"the picture into a FIFO nobody reads", "--data {data} --picture {dir}/fifo {map}", 3, summary,
         cannotWrite + " {dir}/fifo: No such device or address"},
        {"the picture onto a full device", "--data {data} --picture /dev/full {map}", 3, summary,
         cannotWrite + " /dev/full: No space left on device"},
        {"the picture into a folder that is not there", "--data {data} --picture {dir}/absent/plan.bmp {map}", 3,
         summary, cannotWrite + " {dir}/absent/plan.bmp: No such file or directory"},
        // A rename needs only the folder's permission: a picture the user
        // may not write is refused, as a write in place would be.
        {"the picture onto a read-only one", "--data {data} --picture {dir}/old.bmp {map}", 3, summary,
         cannotWrite + " {dir}/old.bmp: Permission denied",
         std::string("chmod 777 {dir}; chmod 444 {dir}/old.bmp;") +
             (geteuid() == 0 ? " setpriv --reuid=65534 --regid=65534 --clear-groups" : "")},
        {"the picture given twice", "--picture {dir}/a.bmp --picture {dir}/b.bmp {map}", 2, "",
         "map-check: --picture is given twice: give it once\n" + usage},
        {"the data folder given twice", "--data {data} --data {dir} {map}", 2, "",
         "map-check: --data is given twice: give it once\n"},
        // The findings are the report: lost, the check failed.
        {"the findings onto a full device", "--data {data} {map} > /dev/full", 1, "",
         "map-check: standard output could not be written: No space left on device\n"},
        {"help onto a full device", "--help > /dev/full", 1, "",
         "map-check: standard output could not be written: No space left on device\n"},
        {"the picture onto a disk that fills up", "--data {data} --picture {dir}/old.bmp {map}", 3, summary,
         cannotWrite, "trap '' XFSZ; ulimit -f 200;"},
    };
}

TEST_F(MapCheckBadRunTest, EachIsRefusedAtOnceWithItsStatusAndNoInputOrOldOutputIsHarmed) {
    const std::vector<BadRun> runs = BadRuns(dir.filename().string());
    const std::vector<std::string> files = scratch.Names();
    const std::vector<std::string> kept = {"map.txt", "old.bmp", "wallpanel.jpg", "vorlskin.jpg"};
    std::vector<std::string> contents;
    for (const std::string& name : kept) contents.push_back(Read(name));
    for (const BadRun& run : runs) {
        SCOPED_TRACE(run.name);
        // Whatever would hang is stopped, and fails the case.
        const Outcome outcome =
            RunShell(Fill(run.shell + " timeout 20 " + MAP_CHECK_PATH + " " + run.arguments + " 2>{dir}/stderr.txt"));
        const std::string err = Read("stderr.txt");
        EXPECT_EQ(outcome.status, run.status);
        EXPECT_EQ(outcome.out, Fill(run.out));
        if (run.err.empty())
            EXPECT_EQ(err, "");
        else
            EXPECT_NE(err.find(Fill(run.err)), std::string::npos) << err;
        EXPECT_EQ(scratch.Names(), files);
        for (size_t i = 0; i < kept.size(); ++i) EXPECT_EQ(Read(kept[i]), contents[i]) << kept[i];
    }
}

}  // namespace
}  // namespace mapcheck::test
