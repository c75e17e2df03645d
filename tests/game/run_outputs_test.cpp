// What a short scripted run of the compound program leaves behind when its
// outputs or its map are awkward: where its state report lands, what
// becomes of the file it replaces, and the exit status and messages that
// tell the user what went wrong.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
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
// that data folder, $COMPOUND for the program and $AS_USER for running as
// a user file permissions bind. The game's own waits are
// bounded: a run that hangs ends after a minute (exit status 124).
Outcome RunGame(const ScratchFolder& dir, const std::string& shell) {
    std::ofstream(dir.File("walk.txt")) << "0 key W down\n";
    // The data: the generated folder beside the program, found without
    // --data, which a case may then give (an option may not repeat).
    const std::string game = "timeout 60 " + std::string(COMPOUND_PATH) + " --script " + dir.File("walk.txt") +
                             " --frames 3";
    // $AS_USER runs a command as a user other than root, whom no file
    // permission binds: as nobody when the tests run as root.
    const std::string asUser = geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups" : "";
    const std::string script = "cd '" + dir.Path() + "' || exit 99\nDATA='" + ONDRA_DATA_DIR + "'\nCOMPOUND='" +
                               COMPOUND_PATH + "'\nGAME='" + game + "'\nAS_USER='" + asUser + "'\n" + shell;
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
        // Found before the first frame, so that no session is played for
        // an output that cannot be written; no display is needed for that.
        {"a report in a missing folder", "$GAME --state none/state.txt", 3, "", "",
         "compound: cannot write --state " },
        {"a recording in a missing folder",
         "env -u DISPLAY \"$COMPOUND\" --data \"$DATA\" --record none/r.txt", 3, "", "",
         "/none/r.txt: the folder "},
        {"a report in a file that is no folder's", "touch file && $GAME --state file/state.txt", 3, "", "",
         "/file is not a folder; the run did not start"},
        // A rename needs only the folder's permission: a file the user may
        // not write is refused as a write in place would be, and kept.
        {"a read-only report",
         "chmod 777 . && echo old > state.txt && chmod 444 state.txt && $AS_USER $GAME --state state.txt", 3,
         "state.txt", "old\n", "state.txt: Permission denied; the run did not start"},
        {"another user's report in a shared folder",
         "chmod 777 . && echo old > state.txt && chmod 644 state.txt && $AS_USER $GAME --state state.txt", 3,
         "state.txt", "old\n", "state.txt: Permission denied"},
        {"a report onto a folder", "mkdir out && $GAME --state out", 3, "", "", "out: Is a directory"},
        {"a report onto a full device", "$GAME --state /dev/full", 3, "", "", "No space left on device"},
        {"a report onto a FIFO nobody reads", "mkfifo fifo && $GAME --state fifo", 3, "", "",
         "could not write the state report"},
        {"a full disk keeps the old report",
         "echo old > state.txt && trap '' XFSZ && ulimit -f 1 && $GAME --state state.txt > /dev/null", 3,
         "state.txt", "old\n", "could not write the state report"},
        {"a picture in a missing folder", "$GAME --shot 1:none/a.bmp --state state.txt", 3, "", "",
         "cannot write --shot 1:"},
        {"a sound file in a missing folder", "$GAME --audio none/a.wav --state state.txt", 3, "", "",
         "cannot write --audio "},
        {"no sound library: the run plays on silent, said once",
         "ONDRA_SOUND_LIBRARY=no-such-sound-library.so $GAME --state state.txt",
         0, "state.txt", kReport, "compound: playing without sound: cannot load the sound library no-such-sound"},
        {"a picture of a frame the run never draws", "$GAME --shot 9:a.bmp --state state.txt", 3, "state.txt",
         kReport, "--shot 9:"},
        // After what the run printed, neither over it nor in its place.
        {"a report sent to standard output", "$GAME --state /dev/stdout > both.txt", 0, "both.txt",
         "\nframe 3\nplayer ", ""},
        // As timeout(1) relays one Ctrl-C, to the program and to its group,
        // here while the game is still loading.
        {"an interrupt relayed twice still writes the report",
         "G=${GAME#timeout 60 }; ${G% --frames 3} --frames 100000000 --state state.txt > trace.txt & for i in $(seq 6000); do "
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
        {"a report over a texture a model names", "$GAME --state \"$DATA\"/vorlskin.jpg", 2, "", "",
         "/vorlskin.jpg, which the game reads"},
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

// Each signal that asks a program to end (Ctrl-C, kill, a closed terminal)
// ends a live session as closing its window does, writing its outputs, and
// then ends the program by that signal.
TEST(RunOutputs, EndSignalsWriteTheOutputsFirst) {
    const struct {
        const char* signal;
        int exitCode;  // bash's, for a program ended by the signal
    } cases[] = {{"INT", 130}, {"TERM", 143}, {"HUP", 129}};
    for (const auto& c : cases) {
        const ScratchFolder dir;
        const Outcome outcome = RunGame(
            dir, std::string("${GAME% --frames 3} --frames 100000000 --state state.txt > trace.txt & for i in $(seq 600); do "
                             "[ -s trace.txt ] && break; sleep 0.1; done; sleep 1; kill -") +
                     c.signal + " $!; wait $!");
        EXPECT_EQ(outcome.exitCode, c.exitCode) << c.signal << "\n" << outcome.err;
        EXPECT_NE(ReadAll(dir.File("state.txt")).find("player "), std::string::npos) << c.signal;
    }
}

// Wrong command lines are refused before anything is played, the option
// named; a report that standard output did not take is no success.
TEST(RunOutputs, BadCommandLinesAndLostReports) {
    const struct {
        const char* shell;
        int exitCode;
        const char* message;  // on standard error
    } cases[] = {
        {"$GAME --state a.txt --state b.txt", 2, "compound: --state is given twice: give it once"},
        {"$GAME --data \"$DATA\" --data \"$DATA\"", 2, "compound: --data is given twice: give it once"},
        {"$GAME --script walk.txt", 2, "compound: --script is given twice: give it once"},
        {"$GAME --size 8x8", 2, "compound: bad value for --size: '8x8' (WIDTHxHEIGHT in pixels, each 16 to 4096)"},
        {"\"$COMPOUND\" --help > /dev/full", 3, "compound: standard output could not be written: "},
        {"\"$COMPOUND\" --data \"$DATA\" --timedemo walk.txt --frames 2 > /dev/full", 3,
         "compound: standard output could not be written: "},
        {"printf '0 dt 0.5\\n1 key W down\\n0 dt 0.25\\n' > dt.txt && ${GAME/walk.txt/dt.txt}", 2,
         "/dt.txt:3: frame 0 already has its time step (line 1): give each frame one"},
        // No display: the window's line on standard output, the reason here.
        {"DISPLAY=garbage $GAME", 1,
         "Cannot open X display \"garbage\": not a display name (HOST:NUMBER or :NUMBER, such as :0)\n"},
        {"DISPLAY= $GAME", 1, "Cannot open X display \"\" (DISPLAY is empty)\n"},
        {"env -u DISPLAY $GAME", 1, "Cannot open X display \"\" (DISPLAY is not set)\n"},
    };
    for (const auto& c : cases) {
        const ScratchFolder dir;
        const Outcome outcome = RunGame(dir, c.shell);
        EXPECT_EQ(outcome.exitCode, c.exitCode) << c.shell << "\n" << outcome.err;
        EXPECT_NE(outcome.err.find(c.message), std::string::npos) << c.shell << "\n" << outcome.err;
        if (c.exitCode == 1) {
            EXPECT_EQ(outcome.out, "Failed to register window class\n") << c.shell;
        }
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
         "compound: map.txt:4: KEY needs the model nokey.3DS; no models entry of the map lists it\n"},
        {"a listed arm model that is empty",
         "printf '" + arms + "' > d/map.txt && rm d/armgun.3DS && : > d/armgun.3DS && $GAME --data d", 1, kNoArm,
         "the models entry at map.txt:1 lists it, but it does not load: the file is empty\n"},
        {"a texture that is no picture",
         "cp \"$DATA\"/map.txt d/ && rm d/ceiling.jpg && echo junk > d/ceiling.jpg && $GAME --data d", 0,
         "There is no texture associated with the image file ceiling.jpg\n",
         "compound: the image ceiling.jpg does not load: bmp: "},
        {"a map that is a directory", "mkdir d/map.txt && $GAME --data d", 1, "",
         "d (its map.txt is a directory, not a map file)"},
        // The map's models are what it needs, as map-check says: one
        // missing from the list, or listed and missing, ends the game.
        {"a creature whose model no models entry lists",
         "printf '" + arms + "mapsize 1 1\\nblock 1 1 { liveobjects {\\n VORLAX { } } }\\n' > d/map.txt && "
         "$GAME --data d",
         1, "There is no model associated with the model file vorlax.3DS\n",
         "compound: map.txt:4: VORLAX needs the model vorlax.3DS; no models entry of the map lists it\n"},
        {"a listed model that is missing", "printf 'models { armgun.3DS gone.3DS }\\n' > d/map.txt && $GAME --data d",
         1, "There is no model associated with the model file gone.3DS\n",
         "the models entry at map.txt:1 lists it, but it does not load: No such file or directory\n"},
        // Names that lead out of the data folder: not read, the map refused.
        {"a sky beyond the data folder",
         "printf '" + arms + "skybox {\\n ../../etc/passwd }\\n' > d/map.txt && $GAME --data d", 1, "",
         "compound: map.txt:3: skybox names ../../etc/passwd, which the game does not read: it has a '..' "
         "component; a map's files are read from its data folder only\n"},
        {"a model by absolute path", "printf 'models { armgun.3DS /etc/shadow }\\n' > d/map.txt && $GAME --data d", 1,
         "", "compound: map.txt:1: models names /etc/shadow, which the game does not read: it is an absolute path"},
        {"a wall texture up a folder",
         "printf '" + arms + "mapsize 1 1 block 1 1 { north { WALL sub/../../x.jpg } }' > d/map.txt && $GAME --data d",
         1, "", "compound: map.txt:2: north names sub/../../x.jpg"},
        // Two models name it: one warning on standard output, the reason on
        // standard error, once.
        {"a texture two models name that is missing",
         "cp \"$DATA\"/map.txt d/ && rm d/medlabel.bmp && $GAME --data d", 0,
         "\nwarning: Unable to load texture medlabel.bmp\n",
         "3ds: the texture medlabel.bmp does not load: open: No such file or directory\n"},
        // A model's texture named by a path out of the data folder is not
        // read, nor kept off the outputs: the model is drawn untextured.
        {"a model's texture named up a folder",
         "cp \"$DATA\"/map.txt d/ && rm d/medikit.3DS && cp \"$DATA\"/medlabel.bmp label.bmp && "
         "perl -pe 's/medlabel\\.bmp/..\\/label.bmp/' \"$DATA\"/medikit.3DS > d/medikit.3DS && "
         "$GAME --data d --state label.bmp",
         0, "\nwarning: Unable to load texture ../label.bmp\n",
         "3ds: medikit.3DS: the texture ../label.bmp is not read: a model's textures are read by plain file names"},
        {"a byte-order mark before the first word",
         "printf '\\xEF\\xBB\\xBF" + arms + "mapsize 1 1\\n' > d/map.txt && $GAME --data d", 0, "", ""},
    };
    for (const Case& c : cases) {
        const ScratchFolder dir;
        const Outcome outcome = RunGame(dir, kOwnData + c.shell);
        EXPECT_EQ(outcome.exitCode, c.exitCode) << c.name << "\n" << outcome.err;
        EXPECT_NE(outcome.out.find(c.out), std::string::npos) << c.name;
        EXPECT_NE(outcome.err.find(c.err), std::string::npos) << c.name << "\n" << outcome.err;
        // The readers' reason for a file comes once, however often it is
        // used, and so does the line on standard output.
        const size_t reason = outcome.err.find("does not load");
        if (reason != std::string::npos) {
            EXPECT_EQ(outcome.err.find("does not load", reason + 1), std::string::npos) << c.name << "\n" << outcome.err;
        }
        const size_t line = outcome.out.find(c.out);
        if (std::strstr(c.out, "warning: ") && line != std::string::npos) {
            EXPECT_EQ(outcome.out.find(c.out, line + 1), std::string::npos) << c.name;
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
