// The game end to end: the compound program plays the scripts in
// playthrough/ on the generated level, and the state reports say what each
// run did. Pictures of each moment are kept in the build's test-pictures/
// as playthrough_*.bmp for a person to look at.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/kept_pictures.h"
#include "tests/support/scratch_folder.h"

namespace {

using ondra::test::ScratchFolder;

const std::string kScripts = PLAYTHROUGH_DIR;
constexpr const char* kDt = "0.05";

// The frame of each "# checkpoint: NAME" comment (the frame of the event
// after it) and of "# end: N".
std::map<std::string, long> Checkpoints(const std::string& script) {
    std::ifstream in(kScripts + "/" + script);
    std::map<std::string, long> frames;
    std::string pending;
    for (std::string line; std::getline(in, line);) {
        const std::string checkpoint = "# checkpoint: ", end = "# end: ";
        if (line.rfind(checkpoint, 0) == 0) {
            pending = line.substr(checkpoint.size());
        } else if (line.rfind(end, 0) == 0) {
            frames["end"] = std::atol(line.c_str() + end.size());
        } else if (!pending.empty() && !line.empty() && line[0] != '#') {
            frames[pending] = std::atol(line.c_str());
            pending.clear();
        }
    }
    return frames;
}

struct Report {
    int exitCode = -1;
    std::vector<std::string> lines;

    // The first line of `kind` that has every given field value.
    std::string Find(const std::string& kind, const std::vector<std::string>& fields = {}) const {
        for (const std::string& line : lines) {
            if (line.rfind(kind + " ", 0) != 0) continue;
            bool all = true;
            for (const std::string& field : fields) all &= (line + " ").find(" " + field + " ") != std::string::npos;
            if (all) return line;
        }
        return std::string();
    }
};

float Field(const std::string& line, const std::string& name) {
    const size_t at = (" " + line).find(" " + name + "=");
    return at == std::string::npos ? -1e9f : std::strtof(line.c_str() + at + name.size() + 1, nullptr);
}

// Plays `script` for `frames` frames; `shots` are frame:file pairs.
Report Play(const ScratchFolder& dir, const std::string& script, long frames,
            const std::vector<std::string>& shots = {}) {
    const std::string state = dir.File("state.txt");
    std::string command = std::string(COMPOUND_PATH) + " --data " + ONDRA_DATA_DIR + " --script " + kScripts + "/" +
                          script + " --dt " + kDt + " --frames " + std::to_string(frames) + " --state " + state;
    for (const std::string& shot : shots) command += " --shot " + shot;
    command += " > " + dir.File("stdout.txt") + " 2> " + dir.File("stderr.txt");
    Report report;
    const int status = std::system(command.c_str());
    report.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(state);
    for (std::string line; std::getline(in, line);) report.lines.push_back(line);
    return report;
}

std::string Picture(const std::string& name) { return ondra::test::PicturePath("playthrough_" + name + ".bmp"); }

std::string Shot(long frame, const std::string& name) {
    return std::to_string(frame) + ":" + Picture(name);
}

TEST(Playthrough, DownTheRampForTheWeaponThroughADoorToKillACreatureAndWreckAGenerator) {
    ScratchFolder dir;
    auto at = Checkpoints("reactor.txt");
    const Report end = Play(dir, "reactor.txt", at["end"],
                            {Shot(at["weapon taken"] + 30, "weapon_taken"), Shot(at["through the automatic door"], "door"),
                             Shot(at["creature dead"], "creature_dead"), Shot(at["end"] - 1, "generator_wrecked")});
    ASSERT_EQ(end.exitCode, 0);
    const std::string player = end.Find("player");
    EXPECT_EQ(Field(player, "weapon"), 1) << player;
    EXPECT_GT(Field(player, "x"), 15.0f) << "not through the door: " << player;
    EXPECT_EQ(Field(player, "y"), 1.75f) << "not inside the compound: " << player;
    EXPECT_FALSE(end.Find("pickup", {"kind=weapon", "taken=1"}).empty());
    const std::string creature = end.Find("vorlax", {"x=25.500", "z=1.500"});
    EXPECT_EQ(Field(creature, "state"), 2) << creature;
    EXPECT_EQ(Field(creature, "y"), 0.5f) << creature;
    EXPECT_FALSE(end.Find("vorlaxmesh", {"dead=1"}).empty());
    const std::string generator = end.Find("generator", {"x=18.000", "z=3.000"});
    EXPECT_EQ(Field(generator, "destroyed"), 1) << generator;
    EXPECT_FALSE(end.Find("core", {"destroyed=1"}).empty());
}

TEST(Playthrough, TakeAMedikitGetHurtAndHeal) {
    ScratchFolder dir;
    auto at = Checkpoints("medikit.txt");
    const Report hurt = Play(dir, "medikit.txt", at["hurt"]);
    ASSERT_EQ(hurt.exitCode, 0);
    const std::string before = hurt.Find("player");
    EXPECT_EQ(Field(before, "health"), 4) << before;
    EXPECT_EQ(Field(before, "medikits"), 1) << before;
    EXPECT_FALSE(hurt.Find("pickup", {"kind=medikit", "taken=1", "x=1.500", "z=12.100"}).empty());

    const Report healed = Play(dir, "medikit.txt", at["end"], {Shot(at["end"] - 1, "healed")});
    const std::string after = healed.Find("player");
    EXPECT_EQ(Field(after, "health"), 5) << after;
    EXPECT_EQ(Field(after, "medikits"), 0) << after;
}

TEST(Playthrough, ALockedDoorStopsThePlayerUntilItsKeyIsFetched) {
    ScratchFolder dir;
    auto at = Checkpoints("keydoor.txt");
    const Report bumped = Play(dir, "keydoor.txt", at["bumped without the key"],
                               {Shot(at["bumped without the key"] - 45, "locked_door")});
    ASSERT_EQ(bumped.exitCode, 0);
    const std::string stopped = bumped.Find("player");
    EXPECT_LT(Field(stopped, "x"), 33.0f - 0.2f) << stopped;
    EXPECT_GT(Field(stopped, "x"), 32.0f) << "never reached the door: " << stopped;
    EXPECT_FALSE(bumped.Find("door", {"kind=locked", "locked=1", "x=33.000", "z=4.500"}).empty());

    const Report through = Play(dir, "keydoor.txt", at["end"],
                                {Shot(at["key taken"], "key_taken"), Shot(at["end"] - 1, "through_locked_door")});
    const std::string player = through.Find("player");
    EXPECT_EQ(Field(player, "keys"), 2) << player;
    EXPECT_LT(Field(player, "x"), 33.0f) << "not through the door: " << player;
    EXPECT_FALSE(through.Find("door", {"kind=locked", "locked=0", "x=33.000", "z=4.500"}).empty());
}

std::string ReadAll(const std::string& path);

// Without a level there is no game: the program says where it looked and
// ends with status 1 before it opens a window.
TEST(Playthrough, AFolderWithoutAMapEndsWithStatusOne) {
    ScratchFolder dir;
    const std::string empty = dir.File("empty");
    std::filesystem::create_directory(empty);
    const std::string command = std::string(COMPOUND_PATH) + " --data " + empty + " --frames 1 --state " +
                                dir.File("state.txt") + " > " + dir.File("stdout.txt") + " 2> " +
                                dir.File("stderr.txt");
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(ReadAll(dir.File("stderr.txt")), "compound: no map.txt found; searched " + empty + "\n");
    EXPECT_EQ(ReadAll(dir.File("stdout.txt")), "");
    EXPECT_FALSE(std::filesystem::exists(dir.File("state.txt")));
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The simulated clock makes every run of a script the same, down to the
// particles' random seeds.
TEST(Playthrough, AScriptPlaysTheSameTwice) {
    ScratchFolder dir;
    std::string states[2], pictures[2];
    for (int run = 0; run < 2; ++run) {
        const std::string picture = dir.File("run" + std::to_string(run) + ".bmp");
        // Past the first bolt: the creature burns, the sparks fly.
        const Report report = Play(dir, "reactor.txt", 460, {"459:" + picture});
        ASSERT_EQ(report.exitCode, 0);
        states[run] = ReadAll(dir.File("state.txt"));
        pictures[run] = ReadAll(picture);
    }
    EXPECT_FALSE(states[0].empty());
    EXPECT_EQ(states[0], states[1]);
    EXPECT_GT(pictures[0].size(), 100000u);
    EXPECT_TRUE(pictures[0] == pictures[1]) << "the two runs drew different frames";
}

}  // namespace
