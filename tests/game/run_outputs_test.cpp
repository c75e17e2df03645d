// What a short scripted run of the compound program leaves behind when its
// outputs or its map are awkward: where its state report lands, what
// becomes of the file it replaces, and the exit status and messages that
// tell the user what went wrong.
#include <gtest/gtest.h>
#include <unistd.h>

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
    std::string out, err;
};

// Runs `shell` in bash inside the scratch folder, with $GAME standing for a
// three-frame scripted run of the game on the generated data, $DATA for
// that data folder and $COMPOUND for the program. The game's own waits are
// bounded: a run that hangs ends after a minute (exit status 124).
Outcome RunGame(const ScratchFolder& dir, const std::string& shell) {
    std::ofstream(dir.File("walk.txt")) << "0 key W down\n";
    const std::string game = "timeout 60 " + std::string(COMPOUND_PATH) + " --data " + ONDRA_DATA_DIR +
                             " --script " + dir.File("walk.txt") + " --frames 3";
    const std::string script = "cd '" + dir.Path() + "' || exit 99\nDATA='" + ONDRA_DATA_DIR + "'\nCOMPOUND='" +
                               COMPOUND_PATH + "'\nGAME='" + game + "'\n" + shell;
    std::ofstream(dir.File("case.sh")) << script << "\n";
    const std::string command = "bash " + dir.File("case.sh") + " > " + dir.File("out.txt") + " 2> " + dir.File("err.txt");
    Outcome outcome;
    const int status = std::system(command.c_str());
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.out = ReadAll(dir.File("out.txt"));
    outcome.err = ReadAll(dir.File("err.txt"));
    return outcome;
}

// Makes a data folder `d` in the scratch folder: the generated data's files
// (linked), with this map.
const char* const kOwnData = "mkdir d && ln -s \"$DATA\"/* d/ && rm d/map.txt && ";

TEST(RunOutputs, AwkwardOutputsAreWrittenOrRefusedAloud) {
    struct Case {
        const char* name;
        const char* shell;
        int exitCode;
        const char* stateFile;  // relative to the scratch folder; empty: none expected
        const char* stateHas;   // what the state file must hold
        const char* message;    // on standard error
    };
    const char* const kReport = "frame 3\nplayer ";
    const Case cases[] = {
        {"standard output closed early", "$GAME --state state.txt | true; exit ${PIPESTATUS[0]}", 0, "state.txt",
         kReport, ""},
        {"started in a deleted folder", "mkdir gone && cd gone && rmdir ../gone && $GAME --state state.txt", 2, "", "",
         "no longer exists"},
        // Outputs that cannot be written: status 3, after writing the rest.
        {"a report in a missing folder", "$GAME --state none/state.txt", 3, "", "",
         "could not write the state report " },
        {"a report onto a folder", "mkdir out && $GAME --state out", 3, "", "", "out: Is a directory"},
        {"a report onto a full device", "$GAME --state /dev/full", 3, "", "", "No space left on device"},
        {"a report onto a FIFO nobody reads", "mkfifo fifo && $GAME --state fifo", 3, "", "",
         "could not write the state report"},
        {"a full disk keeps the old report",
         "echo old > state.txt && trap '' XFSZ && ulimit -f 1 && $GAME --state state.txt > /dev/null", 3,
         "state.txt", "old\n", "could not write the state report"},
        {"a picture in a missing folder", "$GAME --shot 1:none/a.bmp --state state.txt", 3, "state.txt", kReport,
         "could not save frame 1 as"},
        {"a sound file in a missing folder", "$GAME --audio none/a.wav --state state.txt", 3, "state.txt", kReport,
         "could not write the sound "},
        {"no sound library: the run plays on silent, said once",
         "ONDRA_SOUND_LIBRARY=no-such-sound-library.so $GAME --state state.txt",
         0, "state.txt", kReport, "compound: playing without sound: cannot load the sound library no-such-sound"},
        {"a picture of a frame the run never draws", "$GAME --shot 9:a.bmp --state state.txt", 3, "state.txt",
         kReport, "--shot 9:"},
        // After what the run printed, neither over it nor in its place.
        {"a report sent to standard output", "$GAME --state /dev/stdout > both.txt", 0, "both.txt",
         "\nframe 3\nplayer ", ""},
        {"an interrupt still writes the report",
         "$GAME --frames 100000000 --state state.txt > trace.txt & for i in $(seq 600); do [ -s trace.txt ] && "
         "break; sleep 0.1; done; sleep 1; kill -INT $!; wait $!",
         130, "state.txt", "player ", ""},
        // As timeout(1) relays one Ctrl-C, to the program and to its group,
        // here while the game is still loading.
        {"an interrupt relayed twice still writes the report",
         "${GAME#timeout 60 } --frames 100000000 --state state.txt > trace.txt & for i in $(seq 6000); do "
         "[ -s trace.txt ] && break; sleep 0.01; done; kill -INT $! && sleep 0.05 && kill -INT $!; wait $!",
         130, "state.txt", "player ", ""},
        // Outputs onto the run's inputs, or onto each other: refused.
        {"a report over the map",
         "mkdir d && ln -s \"$DATA\"/* d/ && rm d/map.txt && cp \"$DATA\"/map.txt d/ && "
         "$GAME --data d --state d/map.txt; status=$?; cmp -s d/map.txt \"$DATA\"/map.txt && exit $status", 2, "", "",
         "would replace"},
        {"a picture over the script", "$GAME --shot 1:walk.txt", 2, "", "", "would replace"},
        {"a sound file over a sound of the data", "$GAME --audio \"$DATA\"/shot.wav", 2, "", "", "would replace"},
        {"a picture over a model of the data", "$GAME --shot 1:\"$DATA\"/armgun.3DS", 2, "", "", "would replace"},
        {"a report and a picture in one file", "$GAME --state a.bmp --shot 1:a.bmp", 2, "", "", "name one file"},
        {"a recording over the report", "$COMPOUND --data \"$DATA\" --record r.txt --state r.txt", 2, "", "",
         "name one file"},
    };
    for (const Case& c : cases) {
        const ScratchFolder dir;
        const Outcome outcome = RunGame(dir, c.shell);
        EXPECT_EQ(outcome.exitCode, c.exitCode) << c.name << "\n" << outcome.err;
        EXPECT_NE(outcome.err.find(c.message), std::string::npos) << c.name << "\n" << outcome.err;
        if (*c.stateFile) {
            EXPECT_NE(ReadAll(dir.File(c.stateFile)).find(c.stateHas), std::string::npos) << c.name;
        }
        std::ifstream strayReport(std::string(ONDRA_DATA_DIR) + "/state.txt");
        EXPECT_FALSE(strayReport.good()) << c.name << ": a report landed in the data folder";
    }
}

// Usage is text: it needs no display, and nothing comes before it.
TEST(RunOutputs, HelpNeedsNoDisplay) {
    const ScratchFolder dir;
    const Outcome outcome = RunGame(dir, "env -u DISPLAY \"$COMPOUND\" --help");
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.out.rfind("usage: compound", 0), 0u) << outcome.out;
    EXPECT_NE(outcome.out.find("Exit status: 0"), std::string::npos);
    EXPECT_EQ(outcome.err, "");
}

// Maps the game cannot use keep their one line on standard output and
// their exit status; standard error says which entry needed what and why
// it is missing.
TEST(RunOutputs, MessagesSayWhatTheMapLacksAndWhy) {
    struct Case {
        const char* name;
        std::string shell;  // run after kOwnData
        int exitCode;
        const char* out;  // a line standard output must hold
        const char* err;  // what standard error must hold
    };
    const std::string arms = "models { armgun.3DS armtorch.3DS }\n";
    const char* const kNoArm = "There is no model associated with the model file armgun.3DS\n";
    const Case cases[] = {
        {"an empty map", ": > d/map.txt && $GAME --data d", 1, kNoArm,
         "compound: the player needs the model armgun.3DS; no models entry of the map lists it\n"},
        {"a key whose model is missing",
         "printf '" + arms + "mapsize 1 1\\nblock 1 1 { liveobjects {\\n KEY { 1 nokey.3DS } } }\\n' > d/map.txt && "
         "$GAME --data d",
         1, "There is no model associated with the model file nokey.3DS\n",
         "compound: map.txt:4: KEY needs the model nokey.3DS; it does not load: No such file or directory\n"},
        {"a listed arm model that is empty",
         "printf '" + arms + "' > d/map.txt && rm d/armgun.3DS && : > d/armgun.3DS && $GAME --data d", 1, kNoArm,
         "the models entry at map.txt:1 lists it, but it does not load: the file is empty\n"},
        {"a texture that is no picture",
         "cp \"$DATA\"/map.txt d/ && rm d/ceiling.jpg && echo junk > d/ceiling.jpg && $GAME --data d", 0,
         "There is no texture associated with the image file ceiling.jpg\n",
         "compound: the image ceiling.jpg does not load: bmp: "},
        {"a map that is a directory", "mkdir d/map.txt && $GAME --data d", 1, "",
         "d (its map.txt is a directory, not a map file)"},
        {"a byte-order mark before the first word",
         "printf '\\xEF\\xBB\\xBF" + arms + "mapsize 1 1\\n' > d/map.txt && $GAME --data d", 0, "", ""},
    };
    for (const Case& c : cases) {
        const ScratchFolder dir;
        const Outcome outcome = RunGame(dir, kOwnData + c.shell);
        EXPECT_EQ(outcome.exitCode, c.exitCode) << c.name << "\n" << outcome.err;
        EXPECT_NE(outcome.out.find(c.out), std::string::npos) << c.name;
        EXPECT_NE(outcome.err.find(c.err), std::string::npos) << c.name << "\n" << outcome.err;
        // The readers' reason for a file comes once, however often it is used.
        const size_t reason = outcome.err.find("does not load");
        if (reason != std::string::npos) {
            EXPECT_EQ(outcome.err.find("does not load", reason + 1), std::string::npos) << c.name << "\n" << outcome.err;
        }
    }
}

// Permissions bind every user but root, so this runs only for the others.
TEST(RunOutputs, AnUnreadableMapSaysWhy) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads any file";
    const ScratchFolder dir;
    const Outcome outcome =
        RunGame(dir, std::string(kOwnData) + "cp \"$DATA\"/map.txt d/ && chmod 000 d/map.txt && $GAME --data d");
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_NE(outcome.err.find("compound: cannot read the map map.txt: Permission denied"), std::string::npos)
        << outcome.err;
    EXPECT_EQ(outcome.out.find("There is no model"), std::string::npos);
}

}  // namespace
