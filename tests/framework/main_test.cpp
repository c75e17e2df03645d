// Main and App: the run function, the message loop, the timer and the
// framework's free functions.
#include "framework/main.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/framework/window_fixture.h"
#include "tests/support/window_system.h"

namespace ondra {
namespace {

using test::RecordingWindow;
using test::TestApp;
using test::MissingDisplayMessage;
using test::PointAtMissingDisplay;
using test::WhyNoDisplayCanBeMissing;
using ::testing::ExitedWithCode;

class MainDeathTest : public ::testing::Test {
protected:
    // Every death test runs in a freshly started copy of the test program,
    // so process-wide state (the first GetElapsedTime, the display) is new.
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST(Main, ExecuteRunsOnCreateThenTheLoopThenOnDestroy) {
    TestApp app;
    RecordingWindow window;
    window.script = [](RecordingWindow& w, int idle) {
        if (idle == 3) w.Close();
    };
    EXPECT_EQ(0, Main::Instance()->Execute(0, nullptr));

    EXPECT_EQ((std::vector<std::string>{"App::OnCreate", "App::OnDestroy"}), app.log);
    ASSERT_GE(window.log.size(), 2u);
    // The size arrives first, then OnCreate from the queued create message.
    EXPECT_EQ("OnResize 320x240", window.log[0]);
    EXPECT_EQ("OnCreate", window.log[1]);
    EXPECT_EQ(1, window.creates);
    EXPECT_TRUE(window.contextCurrentInCreate);
    EXPECT_TRUE(window.contextCurrentInResize);
}

TEST(Main, CloseMessageExitCodeBecomesTheResult) {
    TestApp app;
    RecordingWindow window;
    window.script = [](RecordingWindow& w, int idle) {
        if (idle == 1) w.PostMessage(MSG_CLOSE, 7);
    };
    EXPECT_EQ(7, Main::Instance()->Execute(0, nullptr));
}

TEST(Main, QuitClosesTheMainWindowWithExitCodeZero) {
    TestApp app;
    RecordingWindow window;
    window.script = [](RecordingWindow&, int idle) {
        if (idle == 2) Quit();
    };
    EXPECT_EQ(0, Main::Instance()->Execute(0, nullptr));
    EXPECT_FALSE(window.IsVisible());
}

TEST(Main, IdleRedrawGivesOneDisplayPerLoopTurn) {
    TestApp app;
    RecordingWindow window;
    window.script = [](RecordingWindow& w, int idle) {
        w.Redraw();
        if (idle == 50) w.Close();
    };
    Main::Instance()->Execute(0, nullptr);

    // After the first paint, every idle step's Redraw brings a paint before
    // the next idle step. (A window uncovered meanwhile may get an extra one.)
    std::vector<std::string> turns;
    for (const std::string& line : window.log)
        if (line == "OnIdle" || line == "OnDisplay") turns.push_back(line);
    std::size_t first = 0;
    while (first < turns.size() && turns[first] != "OnIdle") ++first;
    for (std::size_t i = first; i + 1 < turns.size(); ++i)
        ASSERT_FALSE(turns[i] == "OnIdle" && turns[i + 1] == "OnIdle") << "idle step " << i << " got no paint";
    EXPECT_GE(window.displays, 49);
}

TEST(Main, SecondaryWindowCloseOnlyHidesIt) {
    TestApp app;
    RecordingWindow main, second;
    bool secondHidden = false;
    main.script = [&](RecordingWindow& w, int idle) {
        if (idle == 2) second.Close();
        if (idle == 10) {
            secondHidden = !second.IsVisible() && second.GetHWND() != nullptr;
            w.Close();
        }
    };
    EXPECT_EQ(0, Main::Instance()->Execute(0, nullptr));
    EXPECT_TRUE(main.IsMainWindow());
    EXPECT_FALSE(second.IsMainWindow());
    EXPECT_TRUE(secondHidden);
    EXPECT_EQ(1, second.creates);
}

TEST(Main, WindowsAreCreatedInConstructionOrderAfterAppOnCreate) {
    TestApp app;
    RecordingWindow first, second, third;
    first.script = [](RecordingWindow& w, int idle) {
        if (idle == 2) w.Close();
    };
    first.onCreate = [&](RecordingWindow&) { app.log.push_back("first"); };
    second.onCreate = [&](RecordingWindow&) { app.log.push_back("second"); };
    third.onCreate = [&](RecordingWindow&) { app.log.push_back("third"); };
    Main::Instance()->Execute(0, nullptr);
    EXPECT_EQ((std::vector<std::string>{"App::OnCreate", "first", "second", "third", "App::OnDestroy"}), app.log);
    EXPECT_EQ(3u, Main::Instance()->Windows().size());
}

TEST(Main, ExecuteWithoutApplicationReturnsMinusOne) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(-1, Main::Instance()->Execute(0, nullptr));
    EXPECT_EQ("No application instance created, exiting.", ::testing::internal::GetCapturedStderr());
}

TEST(Main, NoWindowsMessageOnlyOutsideConsole) {
    TestApp app;
    Main::Instance()->SetConsole(false);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(0, Main::Instance()->Execute(0, nullptr));
    EXPECT_EQ("No windows were created, exiting.", ::testing::internal::GetCapturedStderr());

    Main::Instance()->SetConsole(true);
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(0, Main::Instance()->Execute(0, nullptr));
    EXPECT_EQ("", ::testing::internal::GetCapturedStdout());
    Main::Instance()->SetConsole(false);
    EXPECT_EQ((std::vector<std::string>{"App::OnCreate", "App::OnDestroy", "App::OnCreate", "App::OnDestroy"}),
              app.log);
}

TEST_F(MainDeathTest, SecondApplicationEndsTheProcessWithExitCodeOne) {
    EXPECT_EXIT(
        {
            TestApp first;
            TestApp second;
        },
        ExitedWithCode(1), "");
}

TEST_F(MainDeathTest, NoDisplayIsReportedAndExecuteFails) {
    if (const char* why = WhyNoDisplayCanBeMissing()) GTEST_SKIP() << why;
    EXPECT_EXIT(
        {
            PointAtMissingDisplay();
            TestApp app;
            RecordingWindow window;
            std::exit(Main::Instance()->Execute(0, nullptr) == 1 ? 3 : 4);
        },
        ExitedWithCode(3), std::string(MissingDisplayMessage()) + "(.|\n)*No window could be created, exiting.");
}

TEST_F(MainDeathTest, FirstElapsedTimeIsTwentyMilliseconds) {
    EXPECT_EXIT(std::exit(GetElapsedTime() == 0.02 ? 0 : 1), ExitedWithCode(0), "");
}

TEST(Main, ElapsedTimeMeasuresTheGapBetweenCalls) {
    GetElapsedTime();
    const double start = GetTime();
    while (GetTime() - start < 0.01) {
    }
    const double elapsed = GetElapsedTime();
    EXPECT_GE(elapsed, 0.01);
    EXPECT_LT(elapsed, 1.0);
}

TEST(Main, TimerIntervalHasATenMillisecondFloor) {
    EXPECT_EQ(10u, SetTimerInterval(5));
    EXPECT_EQ(10u, TimerInterval());
    EXPECT_EQ(10u, SetTimerInterval(10));
    EXPECT_EQ(25u, SetTimerInterval(25));
    EXPECT_EQ(0u, SetTimerInterval(0));
    EXPECT_EQ(0u, TimerInterval());
}

TEST(Main, TimerTicksReachTheApplicationAndStopAfterExecute) {
    TestApp app;
    RecordingWindow window;
    window.onCreate = [](RecordingWindow&) { SetTimerInterval(5); };
    const double start = GetTime();
    double elapsed = 0;
    window.script = [&](RecordingWindow& w, int) {
        elapsed = GetTime() - start;
        if (app.timerTicks >= 5 || elapsed > 10.0) w.Close();
    };
    window.idleLimit = -1;
    Main::Instance()->Execute(0, nullptr);
    EXPECT_GE(app.timerTicks, 5);
    // Never faster than the 10 ms floor.
    EXPECT_LE(app.timerTicks, static_cast<int>(elapsed / 0.010) + 1);
    EXPECT_EQ(0u, TimerInterval());
}

TEST(Main, ArgumentsAndOutOfRangeArguments) {
    TestApp app;
    char program[] = "program";
    char first[] = "first";
    char* argv[] = {program, first, nullptr};
    Main::Instance()->Execute(2, argv);
    EXPECT_EQ(2, GetArgc());
    EXPECT_STREQ("first", GetArg(1));
    EXPECT_STREQ("", GetArg(-1));
    EXPECT_STREQ("", GetArg(2));
    EXPECT_EQ(&app, GetApp());
}

TEST(Main, ShowMessageGoesToTheConsoleOrStandardError) {
    Main::Instance()->SetConsole(true);
    ::testing::internal::CaptureStdout();
    ShowMessage("%d apples", 3);
    EXPECT_EQ("3 apples", ::testing::internal::GetCapturedStdout());

    Main::Instance()->SetConsole(false);
    ::testing::internal::CaptureStderr();
    ShowMessage("to %s", "stderr");
    ShowMessage("%s", std::string(1024, 'x').c_str());  // too long: dropped
    EXPECT_EQ("to stderr", ::testing::internal::GetCapturedStderr());
}

TEST(Main, TraceSwitch) {
    SetTrace(-3);
    ::testing::internal::CaptureStdout();
    { TestApp app; }
    Main::Instance()->Execute(0, nullptr);
    EXPECT_EQ("", ::testing::internal::GetCapturedStdout());

    SetTrace(1);
    ::testing::internal::CaptureStdout();
    {
        TestApp app;
        Main::Instance()->SetConsole(true);
        Main::Instance()->Execute(0, nullptr);
        // The flag outlives the application: later tests expect a windowed one.
        Main::Instance()->SetConsole(false);
    }
    SetTrace(0);
    EXPECT_EQ("Main::Execute\n", ::testing::internal::GetCapturedStdout());
}

}  // namespace
}  // namespace ondra
