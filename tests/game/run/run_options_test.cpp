// The compound program's command line and its input scripts.
#include <gtest/gtest.h>


#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "game/core/game_clock.h"
#include "game/run/frame_times.h"
#include "game/run/options.h"
#include "game/run/run_clock.h"
#include "game/run/script.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/special_files.h"

namespace {

bool Parse(std::vector<const char*> args, GameOptions& options, std::string& error) {
    args.insert(args.begin(), "compound");
    return ParseOptions(static_cast<int>(args.size()), args.data(), options, error);
}

TEST(Options, EveryOptionAndItsMistakes) {
    GameOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--data", "d", "--script", "s.txt", "--dt", "0.01", "--fps", "0", "--frames", "300",
                       "--state", "out.txt", "--shot", "10:a.bmp", "--shot", "20:b.bmp", "--audio", "s.wav",
                       "--volume", "35", "--mute"},
                      options, error))
        << error;
    EXPECT_EQ(options.dataDir, "d");
    EXPECT_EQ(options.scriptFile, "s.txt");
    EXPECT_DOUBLE_EQ(options.dt, 0.01);
    EXPECT_EQ(options.fps, 0);
    EXPECT_TRUE(options.fpsGiven);
    EXPECT_EQ(options.frames, 300);
    EXPECT_EQ(options.stateFile, "out.txt");
    ASSERT_EQ(options.shots.size(), 2u);
    EXPECT_EQ(options.shots[1].frame, 20);
    EXPECT_EQ(options.shots[1].file, "b.bmp");
    EXPECT_EQ(options.audioFile, "s.wav");
    EXPECT_EQ(options.volume, 35);
    EXPECT_TRUE(options.mute);

    const std::vector<std::vector<const char*>> bad = {
        {"--bogus"}, {"--frames"}, {"--frames", "0"}, {"--frames", "12x"}, {"--dt", "-1"}, {"--dt", "nan"},
        {"--fps", "1001"}, {"--size", "64"}, {"--size", "8x8"}, {"--size", "64x"}, {"--shot", "12"}, {"--shot", "x:a.bmp"}, {"--shot", "5:"}, {"--data", ""},
        {"--record"}, {"--record", ""}, {"--audio", ""}, {"--volume", "101"}, {"--volume", "-1"}, {"--volume"},
        // Options that each parse but cannot go together.
        {"--breakdown"}, {"--script", "a.txt", "--breakdown"}, {"--script", "a.txt", "--timedemo", "b.txt"},
        {"--timedemo", "a.txt", "--script", "b.txt"}, {"--record", "r.txt", "--script", "a.txt"},
        {"--timedemo", "a.txt", "--record", "r.txt"},
    };
    for (const auto& args : bad) {
        GameOptions ignored;
        error.clear();
        std::string line;
        for (const char* arg : args) line += std::string(arg) + " ";
        EXPECT_FALSE(Parse(args, ignored, error)) << line;
        EXPECT_FALSE(error.empty()) << line;
    }
    GameOptions recorded;
    EXPECT_TRUE(Parse({"--record", "demo.txt", "--frames", "100"}, recorded, error)) << error;
    EXPECT_EQ(recorded.recordFile, "demo.txt");
    // A second value would silently replace the first: refused, the option
    // named; only --shot repeats. Bad values say what a good one is.
    const std::string longShot(100, 'x');
    const std::pair<std::vector<const char*>, std::string> refused[] = {
        {{"--state", "a", "--state", "b"}, "--state is given twice: give it once (only --shot may repeat)"},
        {{"--script", "a", "--frames", "2", "--script", "b"}, "--script is given twice: give it once (only --shot may repeat)"},
        {{"--data", "a", "--data", "a"}, "--data is given twice: give it once (only --shot may repeat)"},
        {{"--timedemo", "a.txt", "--timedemo", "b.txt"}, "--timedemo is given twice: give it once (only --shot may repeat)"},
        {{"--record", "a", "--record", "b"}, "--record is given twice: give it once (only --shot may repeat)"},
        {{"--size", "5x5"}, "bad value for --size: '5x5' (WIDTHxHEIGHT in pixels, each 16 to 4096)"},
        {{"--dt", "0"}, "bad value for --dt: '0' (seconds, over 0 and at most 60)"},
        {{"--shot", longShot.c_str()},
         "bad value for --shot: '" + std::string(64, 'x') + "...' (100 bytes) (FRAME:FILE.bmp, the frame a whole number from 0)"},
    };
    for (const auto& [args, message] : refused) {
        GameOptions ignored;
        EXPECT_FALSE(Parse(args, ignored, error)) << message;
        EXPECT_EQ(error, message);
    }
    GameOptions twoShots;
    EXPECT_TRUE(Parse({"--shot", "1:a.bmp", "--shot", "1:b.bmp", "--no-cull", "--no-cull"}, twoShots, error)) << error;
    GameOptions help;
    EXPECT_TRUE(Parse({"--help"}, help, error));
    EXPECT_TRUE(help.help);

    GameOptions timedemo;
    EXPECT_TRUE(Parse({"--timedemo", "route.txt", "--no-cull", "--size", "64x48"}, timedemo, error));
    EXPECT_EQ(timedemo.width, 64);
    EXPECT_EQ(timedemo.height, 48);
    EXPECT_EQ(timedemo.scriptFile, "route.txt");
    EXPECT_TRUE(timedemo.timedemo);
    EXPECT_FALSE(timedemo.cull);
}

TEST(FrameTimes, SummaryOfAnOddAndAnEvenCount) {
    FrameTimes odd;
    for (double ms : {5.0, 1.0, 3.0, 2.0, 4.0}) odd.Add(ms / 1000.0);
    const FrameSummary a = odd.Summarize();
    EXPECT_EQ(a.frames, 5u);
    EXPECT_NEAR(a.totalSeconds, 0.015, 1e-12);
    EXPECT_NEAR(a.framesPerSecond, 5 / 0.015, 1e-6);
    EXPECT_NEAR(a.median, 3.0, 1e-9);
    EXPECT_NEAR(a.min, 1.0, 1e-9);
    EXPECT_NEAR(a.max, 5.0, 1e-9);
    EXPECT_NEAR(a.percentile99, 5.0, 1e-9);

    FrameTimes hundred;  // 1 to 100 ms: the 99th percentile is 99
    for (int ms = 100; ms >= 1; --ms) hundred.Add(ms / 1000.0);
    const FrameSummary b = hundred.Summarize();
    EXPECT_NEAR(b.median, 50.5, 1e-9);
    EXPECT_NEAR(b.percentile99, 99.0, 1e-9);
    EXPECT_EQ(FrameTimes().Summarize().frames, 0u);
}

// Frames of made-up times, each split three to one between two phases:
// the slowest 1% are the frames at or above the 99th percentile (ties
// included), and only their phases are averaged on the second line.
TEST(PhaseTimes, TheSlowestFramesAloneAreSplitOnTheirOwnLine) {
    std::vector<double> permuted;  // 1 to 200 ms out of order: 198, 199 and 200 are the slowest
    for (int i = 0; i < 200; ++i) permuted.push_back((i * 37) % 200 + 1);
    struct Case {
        std::vector<double> frameMs;
        std::vector<size_t> slowest;
        const char* lines;
    } cases[] = {
        {{4, 9, 2}, {1},
         "timedemo phases, ms per frame: a 3.750, b 1.250\n"
         "timedemo phases of the slowest 1% (1 frame), ms per frame: a 6.750, b 2.250\n"},
        {{5, 1, 5, 5}, {0, 2, 3},
         "timedemo phases, ms per frame: a 3.000, b 1.000\n"
         "timedemo phases of the slowest 1% (3 frames), ms per frame: a 3.750, b 1.250\n"},
        {permuted, {27, 54, 81},
         "timedemo phases, ms per frame: a 75.375, b 25.125\n"
         "timedemo phases of the slowest 1% (3 frames), ms per frame: a 149.250, b 49.750\n"},
        {{}, {},
         "timedemo phases, ms per frame: a 0.000, b 0.000\n"
         "timedemo phases of the slowest 1% (0 frames), ms per frame: a 0.000, b 0.000\n"},
    };
    for (const Case& c : cases) {
        FrameTimes frames;
        PhaseTimes phases({"a", "b"});
        for (double ms : c.frameMs) {
            frames.Add(ms / 1000.0);
            phases.AddFrame();
            phases.Add(0, ms * 0.75 / 1000.0);
            phases.Add(1, ms * 0.25 / 1000.0);
        }
        EXPECT_EQ(frames.Slowest(), c.slowest) << c.lines;
        testing::internal::CaptureStderr();
        phases.Print(stderr, c.frameMs.size());
        phases.PrintSlowest(stderr, frames.Slowest());
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.lines);
    }
}

TEST(Script, EventsInFrameOrderWithKeysByLetterDigitOrCode) {
    const std::string text =
        "# walk, then look and fire\n"
        "\n"
        "10 key W down   # forward\n"
        "5 key 38 down\n"
        "10 mouse 100 -3\n"
        "12 button 0 down\n"
        "12 key w up\n"
        "13 key 7 down\n";
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(ParseScript(text, "walk.txt", events, error)) << error;
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[0].frame, 5);
    EXPECT_EQ(events[0].code, 38);
    EXPECT_EQ(events[1].code, 'W');
    EXPECT_TRUE(events[1].down);
    EXPECT_EQ(events[2].kind, ScriptEvent::kMouse);
    EXPECT_EQ(events[2].y, -3);
    EXPECT_EQ(events[3].kind, ScriptEvent::kButton);
    EXPECT_EQ(events[4].code, 'W');
    EXPECT_FALSE(events[4].down);
    EXPECT_EQ(events[5].code, '7');
}

TEST(Script, AMalformedLineNamesTheFileLineAndReason) {
    struct Case {
        std::string line;
        std::string reason;
    };
    const Case cases[] = {
        {"x key W down", "not a frame number"},     {"3", "needs a kind"},
        {"3 jump", "not an event kind"},            {"3 key W", "FRAME key CODE down|up"},
        {"3 key WW down", "not a key"},             {"3 key 0 sideways", "neither down nor up"},
        {"3 button 3 down", "not a button"},        {"3 mouse 1.5 2", "whole numbers"},
        {"-1 key W down", "not a frame number"},    {"3 key 999 down", "not a key"},
        {"3 mouse 100001 2", "mouse coordinate 100001 is out of range"},
        {"3 dt", "FRAME dt SECONDS"},               {"3 dt 0", "not a frame time"},
        {"3 dt 61", "not a frame time"},            {"3 dt 1e", "not a frame time"},
        {"3 mouse 1 -99999999999999999999", "whole numbers"},
        {std::string("3 ju\0mp\x01", 8), "'ju\\x00mp\\x01' is not an event kind"},
        // Bytes a script's words cannot hold are shown, escaped.
        {"3 key \xc3\xa9 down", "'\\xc3\\xa9' is not a key"},
        {"\xEF\xBB\xBF" "3 key W down", "a byte-order mark (\\xef\\xbb\\xbf) in mid-file"},
        {"3 key W down\r4 key W up", "a carriage return without a line feed"},
        {"# all one line\r3 key W down", "a carriage return without a line feed"},
        // A word of megabytes is cut in the message.
        {std::string(1 << 20, '7') + "x key W down", "'" + std::string(64, '7') + "...' (1048577 bytes) is not a frame number"},
        // Two time steps for one frame: the later would win unseen.
        {"1 dt 0.5", "frame 1 already has its time step (line 1): give each frame one"},
    };
    for (const Case& c : cases) {
        std::vector<ScriptEvent> events;
        std::string error;
        EXPECT_FALSE(ParseScript(std::string("1 dt 0.25\n") + c.line + "\n", "bad.txt", events, error)) << c.line;
        EXPECT_EQ(error.rfind("bad.txt:2: ", 0), 0u) << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_LT(error.size(), 200u);
    }
    std::vector<ScriptEvent> events;
    std::string error;
    EXPECT_TRUE(ParseScript("1 key W down\r\n1 dt 0.5\r\n2 dt 0.5\r\n", "crlf.txt", events, error)) << error;
}

// What a recording writes reads back as the same events, frame times to
// the last bit.
TEST(Script, WrittenEventsReadBackUnchanged) {
    // A recording of hours holds millions of events: each in 32 bytes.
    EXPECT_LE(sizeof(ScriptEvent), 32u);
    std::vector<ScriptEvent> written(7);
    written[0].code = 'W';
    written[0].down = true;
    written[1].code = 9;  // Tab: one digit alone would name the key '9'
    written[2].code = 38;
    written[3].kind = ScriptEvent::kMouse;
    written[3].x = -40;
    written[3].y = 511;
    written[4].kind = ScriptEvent::kButton;
    written[4].code = 2;
    written[4].down = true;
    written[5].kind = ScriptEvent::kFrameTime;
    written[5].seconds = 1.0 / 60.0;
    written[6].kind = ScriptEvent::kFrameTime;
    written[6].seconds = 0.1 / 3.0;
    std::string text;
    for (size_t i = 0; i < written.size(); ++i) {
        written[i].frame = static_cast<long>(i) * 1000003;
        text += FormatScriptEvent(written[i]) + "\n";
    }
    std::vector<ScriptEvent> read;
    std::string error;
    ASSERT_TRUE(ParseScript(text, "recorded.txt", read, error)) << error << "\n" << text;
    ASSERT_EQ(read.size(), written.size());
    for (size_t i = 0; i < read.size(); ++i) {
        const ScriptEvent& a = written[i];
        const ScriptEvent& b = read[i];
        EXPECT_EQ(std::make_tuple(a.frame, a.kind, a.code, a.down, a.x, a.y, a.seconds),
                  std::make_tuple(b.frame, b.kind, b.code, b.down, b.x, b.y, b.seconds))
            << FormatScriptEvent(a);
    }
}

// A byte-order mark is how some editors start every UTF-8 file.
TEST(Script, AByteOrderMarkIsSkipped) {
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(ParseScript("\xEF\xBB\xBF" "4 key W down\n", "bom.txt", events, error)) << error;
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].frame, 4);
}

// A folder would read as an empty script and a FIFO would wait for a writer.
TEST(Script, OnlyARegularFileIsRead) {
    const ondra::test::ScratchFolder scratch;
    struct Case {
        std::string path;
        const char* reason;
    };
    std::vector<Case> cases = {{scratch.Path(), "is a folder"}, {scratch.File("none"), "does not exist"}};
    std::error_code linked;
    std::filesystem::create_symlink("none", scratch.File("dangling"), linked);
    std::filesystem::create_symlink("loop", scratch.File("loop"), linked);
    if (!linked) {
        cases.push_back({scratch.File("dangling"), "is a link to a file that does not exist"});
        cases.push_back({scratch.File("loop"), "cannot be read: "});
    }
    // A file the user may not read (not for root, who may read anything).
    const std::string locked = scratch.File("locked.txt");
    std::ofstream(locked) << "0 key W down\n";
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    if (!std::ifstream(locked)) cases.push_back({locked, "cannot be read: "});
    if (ondra::test::SystemHasFifos()) {
        const std::string fifo = scratch.File("fifo");
        ASSERT_TRUE(ondra::test::MakeFifo(fifo));
        cases.push_back({fifo, "is not a regular file"});
    }
    for (const auto& c : cases) {
        std::vector<ScriptEvent> events;
        std::string error;
        EXPECT_FALSE(ReadScript(c.path, events, error)) << c.path;
        EXPECT_EQ(error.rfind(c.path + ": " + c.reason, 0), 0u) << error;
    }
}

// A frame count no run reaches must not claim its memory up front.
TEST(FrameTimes, AHugeFrameCountIsNotReservedUpFront) {
    FrameTimes times;
    EXPECT_NO_THROW(times.Reserve(1000000000000u));
    times.Add(0.01);
    EXPECT_EQ(times.Summarize().frames, 1u);
}

// A stall of the clock advances the world by 0.1 s at most; a scripted
// run steps its own clock by --dt whatever the real one does.
TEST(RunClock, FrameTimesAreCappedOnTheRealClockAndFixedInAScript) {
    game_clock::Simulate(0.0);  // a live run's clock, moved by the test alone
    GameOptions real;
    RunClock realClock;
    realClock.Configure(real, {});
    EXPECT_EQ(realClock.BeginFrame(), 0.02f) << "the first frame has no frame before it";
    game_clock::Advance(0.05);
    EXPECT_EQ(realClock.BeginFrame(), 0.05f);
    game_clock::Advance(0.15);
    EXPECT_EQ(realClock.BeginFrame(), RunClock::kMaxFrameTime);
    EXPECT_NEAR(realClock.LastStep(), 0.15, 1e-9) << "the step as the clock took it, before the cap";
    EXPECT_EQ(RunClock::kMaxFrameTime, 0.1f);

    GameOptions scripted;
    scripted.scriptFile = "run.txt";
    scripted.dt = 0.25;
    RunClock scriptClock;
    scriptClock.Configure(scripted, {});
    EXPECT_EQ(scripted.fps, 0) << "a script plays as fast as it can unless told otherwise";
    const double before = game_clock::Now();
    EXPECT_EQ(scriptClock.BeginFrame(), 0.25f);
    EXPECT_EQ(game_clock::Now() - before, 0.25);
    game_clock::UseSystemClock();
}

// A script is played to its last event's frame (or --frames), and a
// timedemo unpaced; without events there is one frame.
TEST(RunClock, AScriptedRunEndsAfterItsScriptsLastFrame) {
    struct Case {
        bool timedemo;
        long lastEventFrame;  // -1: no events
        long framesGiven;
        long framesPlayed;
    };
    const Case cases[] = {{true, 2, -1, 3}, {false, 2, -1, 3}, {false, -1, -1, 1}, {false, 2, 5, 5}, {false, 9, 4, 4}};
    for (const Case& c : cases) {
        GameOptions options;
        options.scriptFile = "route.txt";
        options.timedemo = c.timedemo;
        options.frames = c.framesGiven;
        options.fps = 30;
        options.fpsGiven = true;
        std::vector<ScriptEvent> events(c.lastEventFrame < 0 ? 0 : 1);
        if (!events.empty()) events[0].frame = c.lastEventFrame;
        RunClock clock;
        clock.Configure(options, events);
        EXPECT_EQ(options.fps, c.timedemo ? 0 : 30);
        EXPECT_EQ(options.frames, c.framesPlayed);
        for (long frame = 1; frame < c.framesPlayed; ++frame) EXPECT_FALSE(clock.EndFrame()) << frame;
        EXPECT_TRUE(clock.EndFrame());
        game_clock::UseSystemClock();
    }
}

}  // namespace
