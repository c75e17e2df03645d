// What a short scripted run of the compound program leaves behind when its
// outputs are awkward: where its state report lands, and the exit status
// and message that tell the user what went wrong.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/scratch_folder.h"

namespace {

using ondra::test::ScratchFolder;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Outcome {
    int exitCode = -1;
    std::string err;
};

// Runs `shell` in bash inside the scratch folder, with $GAME standing for a
// three-frame scripted run of the game on the generated data.
Outcome RunGame(const ScratchFolder& dir, const std::string& shell) {
    std::ofstream(dir.File("walk.txt")) << "0 key W down\n";
    const std::string game = std::string(COMPOUND_PATH) + " --data " + ONDRA_DATA_DIR + " --script " +
                             dir.File("walk.txt") + " --frames 3";
    const std::string script = "cd '" + dir.Path() + "' && GAME='" + game + "' && " + shell;
    std::ofstream(dir.File("case.sh")) << script << "\n";
    const std::string command = "bash " + dir.File("case.sh") + " > " + dir.File("out.txt") + " 2> " + dir.File("err.txt");
    Outcome outcome;
    const int status = std::system(command.c_str());
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.err = ReadAll(dir.File("err.txt"));
    return outcome;
}

TEST(RunOutputs, AwkwardOutputsAreWrittenOrRefusedAloud) {
    struct Case {
        const char* name;
        const char* shell;
        int exitCode;
        const char* stateFile;  // relative to the scratch folder; empty: none expected
        const char* message;    // on standard error
    };
    const Case cases[] = {
        {"standard output closed early", "$GAME --state state.txt | true; exit ${PIPESTATUS[0]}", 0, "state.txt", ""},
        {"started in a deleted folder", "mkdir gone && cd gone && rmdir ../gone && $GAME --state state.txt", 2, "",
         "no longer exists"},
    };
    for (const Case& c : cases) {
        const ScratchFolder dir;
        const Outcome outcome = RunGame(dir, c.shell);
        EXPECT_EQ(outcome.exitCode, c.exitCode) << c.name << "\n" << outcome.err;
        EXPECT_NE(outcome.err.find(c.message), std::string::npos) << c.name << "\n" << outcome.err;
        if (*c.stateFile) {
            EXPECT_EQ(ReadAll(dir.File(c.stateFile)).rfind("frame 3\n", 0), 0u) << c.name;
        }
        std::ifstream strayReport(std::string(ONDRA_DATA_DIR) + "/state.txt");
        EXPECT_FALSE(strayReport.good()) << c.name << ": a report landed in the data folder";
    }
}

}  // namespace
