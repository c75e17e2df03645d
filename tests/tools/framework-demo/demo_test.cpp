// framework-demo as a person uses it: it opens, draws, and Esc closes it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <thread>

#include "framework/keys.h"
#include "framework/platform/inject.h"
#include "tests/support/skip_or_fail.h"

namespace {

constexpr int kStillRunning = -3;

// The child's exit status if it ends within `seconds` (-2 when a signal
// ended it), else kStillRunning.
int WaitUpTo(pid_t child, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    do {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (std::chrono::steady_clock::now() < deadline);
    return kStillRunning;
}

void Kill(pid_t child) {
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

// Waits up to `seconds` for the child; returns its exit status, or -1 after
// killing it when it did not end in time.
int WaitForExit(pid_t child, double seconds) {
    const int status = WaitUpTo(child, seconds);
    if (status != kStillRunning) return status;
    Kill(child);
    return -1;
}

pid_t StartDemo(const char* extraArgument = nullptr, const char* extraValue = nullptr) {
    const pid_t child = fork();
    if (child == 0) {
        execl(DEMO_PATH, DEMO_PATH, extraArgument, extraValue, static_cast<char*>(nullptr));
        _exit(127);
    }
    return child;
}

TEST(FrameworkDemo, DrawsAGivenNumberOfFramesAndExits) {
    EXPECT_EQ(0, WaitForExit(StartDemo("--frames", "30"), 30.0));
}

// A console program (every program here; on Windows the demo is windowed
// and shows the same line in a message box) tells a wrong command line on
// standard output and ends with 2.
TEST(FrameworkDemo, AWrongCommandLineIsToldOnTheConsole) {
    for (const char* arguments : {"--frames x", "--frames 0", "--frames", "--size 3"}) {
        const std::string command = std::string(DEMO_PATH) + " " + arguments + " 2>/dev/null";
        FILE* demo = popen(command.c_str(), "r");
        ASSERT_NE(nullptr, demo);
        std::string out;
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, demo)) out += buffer;
        const int status = pclose(demo);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << arguments;
        EXPECT_EQ("usage: framework-demo [--frames N]\n", out) << arguments;
    }
}

TEST(FrameworkDemo, EscapeClosesIt) {
    if (!ondra::platform::CanInjectInput()) ONDRA_SKIP_OR_FAIL("the X server has no XTEST");
    const pid_t demo = StartDemo();
    // Presses go nowhere until its window has mapped and taken the focus,
    // however long that takes: press again until it ends, up to a deadline.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    int status = kStillRunning;
    while (status == kStillRunning && std::chrono::steady_clock::now() < deadline) {
        ondra::platform::InjectKey(ondra::VK_ESCAPE, true);
        ondra::platform::InjectKey(ondra::VK_ESCAPE, false);
        status = WaitUpTo(demo, 0.25);
    }
    if (status == kStillRunning) Kill(demo);
    EXPECT_EQ(0, status) << "Esc did not close it";
}

}  // namespace
