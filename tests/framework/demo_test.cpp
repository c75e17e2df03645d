// framework-demo as a person uses it: it opens, draws, and Esc closes it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <thread>

#include "framework/keys.h"
#include "framework/platform/inject.h"
#include "tests/support/skip_or_fail.h"

namespace {

// Waits up to `seconds` for the child; returns its exit status, or -1 after
// killing it when it did not end in time.
int WaitForExit(pid_t child, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
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

TEST(FrameworkDemo, EscapeClosesIt) {
    if (!ondra::platform::CanInjectInput()) ONDRA_SKIP_OR_FAIL("the X server has no XTEST");
    const pid_t demo = StartDemo();
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));  // let it map and take the focus
    ondra::platform::InjectKey(ondra::VK_ESCAPE, true);
    ondra::platform::InjectKey(ondra::VK_ESCAPE, false);
    EXPECT_EQ(0, WaitForExit(demo, 20.0));
}

}  // namespace
