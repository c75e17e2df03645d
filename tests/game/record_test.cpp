// --record as a player uses it: a live session driven by real keyboard and
// mouse input (XTEST) on the real clock, recorded, then played back with
// --script and with --timedemo, which must end in the very same world.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "framework/keys.h"
#include "framework/platform/inject.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/skip_or_fail.h"

// Last: Xlib's macros (None, Status, Bool) would break GoogleTest's headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using Clock = std::chrono::steady_clock;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

pid_t StartGame(const std::vector<std::string>& arguments, const std::string& errFile) {
    std::vector<std::string> words = {COMPOUND_PATH, "--data", ONDRA_DATA_DIR, "--size", "256x256"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        // The models' traces are of no interest here.
        if (!freopen("/dev/null", "w", stdout) || !freopen(errFile.c_str(), "w", stderr)) _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return child;
}

// The exit status once the child ends within `seconds`; -1 after killing
// it when it does not.
int WaitForExit(pid_t child, double seconds) {
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    do {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (Clock::now() < deadline);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return -1;
}

// The game's window, once it is mapped, holds the keyboard focus (the
// framework takes it on mapping) and shows a frame: the world is built and
// the pointer warp it starts with is done, so input from here on reaches a
// running game.
struct GameWindow {
    Window id = 0;
    int x = 0, y = 0;  // on the screen
    int width = 0, height = 0;
};

bool FindFocusedGame(Display* display, GameWindow& found) {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    if (focus == None || focus == PointerRoot) return false;
    char* name = nullptr;
    const bool isGame = XFetchName(display, focus, &name) && name && std::string(name) == "compound";
    if (name) XFree(name);
    XWindowAttributes attributes;
    if (!isGame || !XGetWindowAttributes(display, focus, &attributes) || attributes.map_state != IsViewable)
        return false;
    Window child = 0;
    found.id = focus;
    found.width = attributes.width;
    found.height = attributes.height;
    return XTranslateCoordinates(display, focus, DefaultRootWindow(display), 0, 0, &found.x, &found.y, &child);
}

// Whether the window shows anything but the black it is cleared to before
// the world is built.
bool ShowsAFrame(Display* display, const GameWindow& window) {
    XImage* image = XGetImage(display, window.id, 0, 0, static_cast<unsigned>(window.width),
                              static_cast<unsigned>(window.height), AllPlanes, ZPixmap);
    if (!image) return false;
    bool drawn = false;
    for (int y = 0; y < window.height && !drawn; y += 8)
        for (int x = 0; x < window.width && !drawn; x += 8) drawn = XGetPixel(image, x, y) != 0;
    XDestroyImage(image);
    return drawn;
}

bool WaitForRunningGame(GameWindow& found, double seconds) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    bool ready = false;
    while (!ready && Clock::now() < deadline) {
        ready = FindFocusedGame(display, found) && ShowsAFrame(display, found);
        if (!ready) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    XCloseDisplay(display);
    return ready;
}

void Pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

// Walks forward while turning right, fires, stops; frames pass between the
// events at the real clock's pace.
void PlayASession(const GameWindow& window) {
    using namespace ondra::platform;
    InjectPointerMove(window.x + 128, window.y + 128);
    Pause(100);
    InjectKey('W', true);
    for (int step = 1; step <= 8; ++step) {
        Pause(60);
        InjectPointerMove(window.x + 128 + 7 * step, window.y + 128 - step);
    }
    InjectButton(0, true);
    Pause(50);
    InjectButton(0, false);
    InjectKey(ondra::VK_LEFT, true);
    Pause(150);
    InjectKey(ondra::VK_LEFT, false);
    InjectKey('W', false);
    Pause(100);
}

// Esc until the game ends, however long its window takes to hear it.
int QuitGame(pid_t game) {
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (Clock::now() < deadline) {
        ondra::platform::InjectKey(ondra::VK_ESCAPE, true);
        ondra::platform::InjectKey(ondra::VK_ESCAPE, false);
        int status = 0;
        for (int i = 0; i < 10; ++i) {
            if (waitpid(game, &status, WNOHANG) == game) return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
            Pause(25);
        }
    }
    return WaitForExit(game, 0.0);
}

TEST(Recording, ALiveSessionPlaysBackToTheSameWorld) {
    if (!ondra::platform::CanInjectInput()) ONDRA_SKIP_OR_FAIL("the X server has no XTEST");
    const ondra::test::ScratchFolder dir;
    const std::string demo = dir.File("demo.txt");
    const pid_t live = StartGame({"--record", demo, "--state", dir.File("live.txt")}, dir.File("live-err.txt"));
    GameWindow window;
    if (!WaitForRunningGame(window, 60.0)) {
        WaitForExit(live, 0.0);
        FAIL() << "the game's window never took the focus and showed a frame\n" << ReadAll(dir.File("live-err.txt"));
    }
    PlayASession(window);
    ASSERT_EQ(0, QuitGame(live)) << ReadAll(dir.File("live-err.txt"));

    const std::string recorded = ReadAll(demo);
    for (const char* line : {" key W down\n", " key W up\n", " mouse ", " button 0 down\n", " key 27 down\n", " dt "})
        EXPECT_NE(recorded.find(line), std::string::npos) << "no '" << line << "' in the recording:\n" << recorded;
    const std::string liveState = ReadAll(dir.File("live.txt"));
    const size_t player = liveState.find("\nplayer ");
    ASSERT_NE(player, std::string::npos) << liveState;
    const std::string playerLine = liveState.substr(player + 1, liveState.find('\n', player + 1) - player - 1);
    EXPECT_EQ(playerLine.find(" yaw=0.000 "), std::string::npos) << "the mouse did not turn the player: " << playerLine;

    EXPECT_EQ(0, WaitForExit(StartGame({"--script", demo, "--state", dir.File("played.txt")}, dir.File("e1")), 120));
    EXPECT_EQ(liveState, ReadAll(dir.File("played.txt"))) << recorded;
    EXPECT_EQ(0, WaitForExit(StartGame({"--timedemo", demo, "--state", dir.File("timed.txt")}, dir.File("e2")), 120));
    EXPECT_EQ(liveState, ReadAll(dir.File("timed.txt")));
    EXPECT_NE(ReadAll(dir.File("e2")).find("frames"), std::string::npos) << ReadAll(dir.File("e2"));
}

}  // namespace
