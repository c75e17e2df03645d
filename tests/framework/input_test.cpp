// Real keyboard and mouse input, sent through the X server with XTEST,
// arriving at the window's handlers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "framework/glwindow.h"
#include "framework/keys.h"
#include "framework/main.h"
#include "framework/platform/inject.h"
#include "framework/platform/platform.h"
#include "tests/framework/window_fixture.h"
#include "tests/support/skip_or_fail.h"
#include "tests/support/window_system.h"

namespace ondra {
namespace {

using test::RecordingWindow;
using test::TestApp;
using test::WhyHeldKeysDoNotRepeat;
using test::WhyTheLayoutIsFixed;

// A sequence of steps, each run once its predecessor returned true; each
// step may wait (return false) until the events it caused have arrived.
class InputScript {
public:
    using Step = std::function<bool(RecordingWindow&)>;
    explicit InputScript(std::vector<Step> steps) : steps_(std::move(steps)) {}

    void Run(RecordingWindow& window, double timeoutSeconds = 10.0) {
        const double deadline = GetTime() + timeoutSeconds;
        window.idleLimit = -1;
        window.script = [this, deadline](RecordingWindow& w, int) {
            if (next_ < steps_.size() && steps_[next_](w)) ++next_;
            if (next_ == steps_.size() || GetTime() > deadline) w.Close();
        };
        Main::Instance()->Execute(0, nullptr);
        EXPECT_EQ(steps_.size(), next_) << "the script timed out";
    }

private:
    std::vector<Step> steps_;
    std::size_t next_ = 0;
};

InputScript::Step WaitFor(const std::string& line, int count = 1) {
    return [line, count](RecordingWindow& w) { return w.Count(line) >= count; };
}

InputScript::Step Key(int vk, bool down) {
    return [vk, down](RecordingWindow&) {
        EXPECT_TRUE(platform::InjectKey(vk, down));
        return true;
    };
}

// The window takes the focus when the port handles its mapping; until then
// a window mapped later could lose the focus to it.
InputScript::Step Settle() {
    return [](RecordingWindow& w) { return platform::IsWindowMapped(w.GetHWND()); };
}

class Input : public ::testing::Test {
protected:
    void SetUp() override {
        if (!platform::CanInjectInput()) ONDRA_SKIP_OR_FAIL("the X server has no XTEST");
    }
};

TEST_F(Input, KeysArriveAsVirtualKeyCodes) {
    TestApp app;
    RecordingWindow window;
    bool heldW = false, releasedW = true;
    InputScript({Settle(),
                 Key('W', true), WaitFor("OnKeyboard 87 down"),
                 [&](RecordingWindow&) { heldW = IsKeyDown('W'); return true; },
                 Key('W', false), WaitFor("OnKeyboard 87 up"),
                 [&](RecordingWindow&) { releasedW = IsKeyDown('W'); return true; },
                 Key(VK_ESCAPE, true), Key(VK_ESCAPE, false), WaitFor("OnKeyboard 27 up"),
                 Key(VK_LEFT, true), Key(VK_LEFT, false), WaitFor("OnKeyboard 37 up"),
                 Key(VK_DOWN, true), Key(VK_DOWN, false), WaitFor("OnKeyboard 40 up"),
                 Key('5', true), Key('5', false), WaitFor("OnKeyboard 53 up"),
                 Key(VK_SHIFT, true), WaitFor("OnKeyboard 16 down"),
                 [&](RecordingWindow&) { return IsShiftDown(); },
                 Key(VK_SHIFT, false), WaitFor("OnKeyboard 16 up"),
                 Key(VK_F1 + 1, true), Key(VK_F1 + 1, false), WaitFor("OnKeyboard 113 up")})
        .Run(window);
    EXPECT_TRUE(heldW);
    EXPECT_FALSE(releasedW);
    EXPECT_FALSE(IsShiftDown());
}

TEST_F(Input, HeldKeyRepeatsAsKeyDownsWithoutKeyUps) {
    if (const char* why = WhyHeldKeysDoNotRepeat()) GTEST_SKIP() << why;
    TestApp app;
    RecordingWindow window;
    double pressedAt = 0;
    InputScript({Settle(),
                 [&](RecordingWindow&) {
                     pressedAt = GetTime();
                     return platform::InjectKey('A', true);
                 },
                 [&](RecordingWindow&) { return GetTime() - pressedAt > 1.2; },
                 Key('A', false), WaitFor("OnKeyboard 65 up")})
        .Run(window);
    EXPECT_GE(window.Count("OnKeyboard 65 down"), 3);
    EXPECT_EQ(1, window.Count("OnKeyboard 65 up"));
    // No release between the repeated presses.
    bool sawUp = false;
    for (const std::string& line : window.log) {
        if (line == "OnKeyboard 65 up") sawUp = true;
        if (line == "OnKeyboard 65 down") {
            EXPECT_FALSE(sawUp);
        }
    }
}

TEST_F(Input, KeysCountAsReleasedWhenTheFocusGoesElsewhere) {
    TestApp app;
    RecordingWindow window;
    bool heldBefore = false, heldAfter = true;
    // Another program takes the focus while D is held; the key's repeats
    // then go to that program, not to ours.
    InputScript({Settle(),
                 Key('D', true), WaitFor("OnKeyboard 68 down"),
                 [&](RecordingWindow&) {
                     heldBefore = IsKeyDown('D');
                     return platform::TakeFocusFromOutside();
                 },
                 [&](RecordingWindow&) {
                     heldAfter = IsKeyDown('D');
                     return !heldAfter;
                 },
                 Key('D', false)})
        .Run(window);
    platform::InjectKey('D', false);  // also after a timeout: a held key would repeat into later tests
    platform::EndFocusFromOutside();
    EXPECT_TRUE(heldBefore);
    EXPECT_FALSE(heldAfter);
}

// Alt, whatever is pressed while it is held, and F10 are the window
// system's keys: the key state follows them, the handler never hears them.
// The plain E at the end is the barrier: once it arrives, so has all else.
TEST_F(Input, AltCombinationsAndF10NeverReachTheHandler) {
    TestApp app;
    RecordingWindow window;
    bool altHeld = false;
    InputScript({Settle(),
                 Key(VK_MENU, true), Key('E', true), Key('E', false),
                 [&](RecordingWindow&) { return altHeld = IsAltDown(); },
                 Key(VK_MENU, false), Key(VK_F10, true), Key(VK_F10, false),
                 Key('E', true), Key('E', false), WaitFor("OnKeyboard 69 up")})
        .Run(window);
    EXPECT_TRUE(altHeld);
    EXPECT_FALSE(IsAltDown());
    EXPECT_EQ(1, window.Count("OnKeyboard 69 down"));
    EXPECT_EQ(1, window.Count("OnKeyboard 69 up"));
    EXPECT_EQ(0, window.Count("OnKeyboard 18 "));
    EXPECT_EQ(0, window.Count("OnKeyboard 121 "));
}

// Loads a keyboard layout into the test server for the life of the object
// and puts the US one back after. Only input tests, which run alone, may
// change what every client of the server sees.
class ServerLayout {
public:
    explicit ServerLayout(const std::string& layout) { loaded = Load(layout); }
    ~ServerLayout() { Load("us"); }
    bool loaded;

private:
    static bool Load(const std::string& layout) {
        return std::system(("setxkbmap -layout " + layout + " >/dev/null 2>&1").c_str()) == 0;
    }
};

// On a German keyboard Y and Z swap places. The key where a US keyboard has
// Z is labelled Y: the handler hears Y, the key state still says Z.
TEST_F(Input, HandlersGetTheLayoutsLetterKeyStateTheKeysPlace) {
    if (const char* why = WhyTheLayoutIsFixed()) GTEST_SKIP() << why;
    ServerLayout german("de");
    if (!german.loaded) ONDRA_SKIP_OR_FAIL("setxkbmap could not load the German layout");
    TestApp app;
    RecordingWindow window;
    bool placeHeld = false, labelHeld = true;
    InputScript({Settle(),
                 Key('Z', true), WaitFor("OnKeyboard 89 down"),
                 [&](RecordingWindow&) {
                     placeHeld = IsKeyDown('Z');
                     labelHeld = IsKeyDown('Y');
                     return true;
                 },
                 Key('Z', false), WaitFor("OnKeyboard 89 up"),
                 Key('W', true), Key('W', false), WaitFor("OnKeyboard 87 up")})
        .Run(window);
    EXPECT_TRUE(placeHeld);
    EXPECT_FALSE(labelHeld);
    EXPECT_EQ(0, window.Count("OnKeyboard 90 "));
}

TEST_F(Input, MouseMotionAndButtonsUseBottomUpCoordinates) {
    TestApp app;
    RecordingWindow window;
    window.SetSize(200, 150);
    InputScript({Settle(),
                 [](RecordingWindow& w) {
                     int x = 0, y = 0;
                     w.GetClientOrigin(x, y);
                     return platform::InjectPointerMove(x + 10, y + 20);
                 },
                 WaitFor("OnMouseMove 10,129"),
                 [](RecordingWindow&) { return platform::InjectButton(0, true); },
                 WaitFor("OnMouseButton 0 down"),
                 [](RecordingWindow&) { return platform::InjectButton(0, false); },
                 WaitFor("OnMouseButton 0 up"),
                 [](RecordingWindow&) { return platform::InjectButton(2, true) && platform::InjectButton(2, false); },
                 WaitFor("OnMouseButton 2 up"),
                 // The wheel is not a button.
                 [](RecordingWindow&) { return platform::InjectButton(3, true) && platform::InjectButton(3, false); },
                 [](RecordingWindow&) { return platform::InjectButton(1, true) && platform::InjectButton(1, false); },
                 WaitFor("OnMouseButton 1 up")})
        .Run(window);
    EXPECT_EQ(6, window.Count("OnMouseButton"));
}

// A window that appears under a pointer that stays still hears no motion:
// its first motion is the pointer's first move. (The game takes the first
// position it hears as where the pointer rests, and every later one as a
// turn of the view.)
TEST_F(Input, AWindowShownUnderAStillPointerHearsNoMotionUntilItMoves) {
    TestApp app;
    RecordingWindow window;
    window.SetPosition(100, 100);
    window.SetSize(400, 300);
    ASSERT_TRUE(platform::InjectPointerMove(250, 200));
    InputScript({Settle(),
                 [](RecordingWindow& w) {
                     int x = 0, y = 0;
                     w.GetClientOrigin(x, y);
                     return platform::InjectPointerMove(x + 60, y + 30);
                 },
                 WaitFor("OnMouseMove 60,269")})
        .Run(window);
    const auto firstMotion = std::find_if(window.log.begin(), window.log.end(), [](const std::string& line) {
        return line.rfind("OnMouseMove", 0) == 0;
    });
    ASSERT_NE(window.log.end(), firstMotion);
    EXPECT_EQ("OnMouseMove 60,269", *firstMotion);
}

TEST_F(Input, SetCursorPosWarpsThePointerIntoTheWindow) {
    TestApp app;
    RecordingWindow window;
    window.SetSize(100, 100);
    InputScript({Settle(),
                 [](RecordingWindow& w) {
                     int x = 0, y = 0;
                     w.GetClientOrigin(x, y);
                     SetCursorPos(x + 50, y + 50);
                     return true;
                 },
                 WaitFor("OnMouseMove 50,49")})
        .Run(window);
}

}  // namespace
}  // namespace ondra
