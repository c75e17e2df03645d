// Windows under a window manager, which frames them and implements full
// screen itself. with_window_manager.sh runs this program on a private X
// server with openbox, so the frames do not disturb the other tests.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <ostream>
#include <thread>
#include <vector>

#include "framework/glwindow.h"
#include "framework/main.h"
#include "framework/platform/inject.h"
#include "framework/platform/platform.h"
#include "tests/framework/window_fixture.h"
#include "tests/support/skip_or_fail.h"

namespace ondra {
namespace {

using test::RecordingWindow;
using test::TestApp;

// Generous: on a machine busy with the rest of the suite, creating a
// window three times over and framing it has taken past ten seconds.
constexpr double kServerDeadline = 30.0;

struct Placement {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Placement& o) const {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
};

std::ostream& operator<<(std::ostream& out, const Placement& p) {
    return out << p.width << "x" << p.height << " at " << p.x << "," << p.y;
}

Placement PlacementOf(const GLWindow& window) {
    Placement p;
    window.GetPosition(p.x, p.y);
    p.width = window.Width();
    p.height = window.Height();
    return p;
}

// Steps run in turn from the idle handler; each returns true when done.
// A step that waits on the manager is done once the window has kept the
// placement it waits for through a quarter of a second, since a manager
// may move a window more than once while framing it.
class ManagedScript {
public:
    using Step = std::function<bool(RecordingWindow&)>;
    explicit ManagedScript(std::vector<Step> steps) : steps_(std::move(steps)) {}

    void Run(RecordingWindow& window) {
        const double deadline = GetTime() + kServerDeadline;
        window.idleLimit = -1;
        window.script = [this, deadline](RecordingWindow& w, int) {
            if (next_ < steps_.size() && steps_[next_](w)) ++next_;
            if (next_ == steps_.size() || GetTime() > deadline) w.Close();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        };
        Main::Instance()->Execute(0, nullptr);
        EXPECT_EQ(steps_.size(), next_) << "the script timed out at step " << next_;
    }

private:
    std::vector<Step> steps_;
    std::size_t next_ = 0;
};

// Done once the window is mapped and its placement has held still (and,
// when `wanted` is given, matches it) for a quarter of a second.
ManagedScript::Step Settled(Placement& seen, std::function<bool(const Placement&)> wanted = nullptr) {
    auto since = std::make_shared<double>(-1.0);
    auto last = std::make_shared<Placement>();
    return [&seen, wanted, since, last](RecordingWindow& w) {
        const Placement now = PlacementOf(w);
        const bool ready = platform::IsWindowMapped(w.GetHWND()) && (!wanted || wanted(now));
        if (!ready || !(now == *last) || *since < 0) {
            *last = now;
            *since = ready ? GetTime() : -1.0;
            return false;
        }
        if (GetTime() - *since < 0.25) return false;
        seen = now;
        return true;
    };
}

class UnderWindowManager : public ::testing::Test {
protected:
    void SetUp() override {
        if (!platform::OpenDisplay()) ONDRA_SKIP_OR_FAIL("no X display");
        // The manager starts beside this program: give it time to announce itself.
        const double deadline = GetTime() + kServerDeadline;
        while (!platform::WindowManagerRunning() && GetTime() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (!platform::WindowManagerRunning()) ONDRA_SKIP_OR_FAIL("no window manager runs on the display");
    }
};

// A new pixel format means a new window; the manager must put it back
// exactly where the old one was, not one frame's width further on.
TEST_F(UnderWindowManager, ARecreatedWindowStaysInPlace) {
    TestApp app;
    RecordingWindow window;
    window.SetPosition(100, 80);
    window.SetSize(160, 120);
    Placement first, second, third;
    const auto recreate = [](int depthBits) {
        return [depthBits](RecordingWindow& w) {
            w.SetDepthBits(depthBits);
            return true;
        };
    };
    ManagedScript({Settled(first), recreate(16), Settled(second), recreate(24), Settled(third)}).Run(window);
    EXPECT_EQ(3, window.creates);
    EXPECT_EQ((Placement{100, 80, 160, 120}), first);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first, third);
}

TEST_F(UnderWindowManager, LeavingFullScreenRestoresPlaceAndSize) {
    TestApp app;
    RecordingWindow window;
    window.SetPosition(120, 90);
    window.SetSize(200, 150);
    int screenWidth = 0, screenHeight = 0;
    platform::GetScreenSize(screenWidth, screenHeight);
    Placement before, full, after;
    ManagedScript({Settled(before),
                   [](RecordingWindow& w) { return w.SetFullscreen(true); },
                   Settled(full, [&](const Placement& p) { return p.width == screenWidth; }),
                   [](RecordingWindow& w) { return w.SetFullscreen(false); },
                   Settled(after, [&](const Placement& p) { return p.width != screenWidth; })})
        .Run(window);
    EXPECT_EQ((Placement{120, 90, 200, 150}), before);
    EXPECT_EQ((Placement{0, 0, screenWidth, screenHeight}), full);
    EXPECT_EQ(before, after);
}

// Where the manager publishes its frames, positions are the frame's: the
// frame's corner stands where the window was placed, the client area below
// its title bar. A window made full screen from the start comes back with
// its whole frame on the screen.
TEST_F(UnderWindowManager, PositionsAreTheFramesCorner) {
    for (const bool fullscreenFirst : {false, true}) {
        TestApp app;
        RecordingWindow window;
        window.SetSize(200, 150);
        if (fullscreenFirst)
            window.SetFullscreen(true);
        else
            window.SetPosition(100, 80);
        int screenWidth = 0, screenHeight = 0;
        platform::GetScreenSize(screenWidth, screenHeight);
        Placement first, framed;
        int clientX = -1, clientY = -1;
        std::vector<ManagedScript::Step> steps = {Settled(first)};
        if (fullscreenFirst) {
            steps.push_back([](RecordingWindow& w) { return w.SetFullscreen(false); });
            steps.push_back(Settled(framed, [&](const Placement& p) { return p.width != screenWidth; }));
        }
        steps.push_back([&](RecordingWindow& w) {
            w.GetClientOrigin(clientX, clientY);
            return true;
        });
        ManagedScript(steps).Run(window);
        const Placement placed = fullscreenFirst ? framed : first;
        const Placement wanted = fullscreenFirst ? Placement{0, 0, 200, 150} : Placement{100, 80, 200, 150};
        EXPECT_EQ(wanted, placed) << "full screen first: " << fullscreenFirst;
        EXPECT_GE(clientX, placed.x) << "full screen first: " << fullscreenFirst;
        EXPECT_GT(clientY, placed.y) << "below the title bar; full screen first: " << fullscreenFirst;
    }
}

// The manager unmaps a minimised window: nothing draws until it is back.
TEST_F(UnderWindowManager, AMinimisedWindowDoesNotDraw) {
    TestApp app;
    RecordingWindow window;
    const test::MinimizedRun run = test::MinimizeAndRestore(window, kServerDeadline);
    EXPECT_TRUE(run.minimized);
    EXPECT_EQ(0, run.drawnWhileMinimized);
    EXPECT_TRUE(run.drawnAfterRestore);
}

}  // namespace
}  // namespace ondra
