// Nothing is allocated per frame in the steady state. The timedemo's route
// is played in the game window, in this process, with its sound rendered
// into a capture as --audio does; this program's own global operator new
// counts what the main thread allocates from the start of one frame to the
// start of the next (the frame and the message loop after it).
//
// The steady state is every frame after the first kWarmUpFrames, but for
// the frames in which something new is made:
// - The warm-up (down the ramp and into the hall) fills what fills once
//   and for all: the texture, model and sound caches, the voices, the
//   culler's and the sight's buffers, the capture's room for the script.
// - The frames of events are not counted: a creature's shot is a new object,
//   made when it is launched; a pickup taken adds to what the player holds
//   (a key to its keys) and shows a new HUD panel, whose outline is read.
// - What a library allocates in its own code is its own: llvmpipe compiles
//   a shader the first time it meets a state, whenever along the route that
//   is. An allocation is counted when the first code that asked for it,
//   past the C++ library, is this program's.
#include <dlfcn.h>
#include <execinfo.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "framework/main.h"
#include "game/my_window.h"
#include "game/objects/pickup.h"
#include "game/objects/vorlax.h"
#include "tests/framework/window_fixture.h"
#include "tests/support/in_folder.h"
#include "tests/support/scratch_folder.h"

namespace {

constexpr long kWarmUpFrames = 400;

thread_local bool tCounting = false;
long gCounted = 0;
const void* gProgramBase = nullptr;

// Whether the first caller of operator new outside the C++ library is in
// this program's file: [0] is this function, [1] operator new.
__attribute__((noinline)) bool AskedByProgram() {
    void* callers[24];
    const int count = backtrace(callers, 24);
    for (int i = 2; i < count; ++i) {
        Dl_info info;
        if (!dladdr(callers[i], &info)) return false;
        if (info.dli_fbase == gProgramBase) return true;
        if (!info.dli_fname || !std::strstr(info.dli_fname, "libstdc++")) return false;
    }
    return false;
}

}  // namespace

__attribute__((noinline)) void* operator new(std::size_t size) {
    if (tCounting && AskedByProgram()) ++gCounted;
    if (void* block = std::malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}
// Not inlined either: gcc takes a free() inlined where its block came from
// operator new for a mismatched pair.
__attribute__((noinline)) void operator delete(void* block) noexcept { std::free(block); }
__attribute__((noinline)) void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

// The game window, counting each frame's allocations after the warm-up
// and marking the frames in which a creature launched a shot or the
// player took a pickup.
class CountingWindow : public MyWindow {
public:
    explicit CountingWindow(long frames) : counted(frames + 1, 0), events(frames + 1, 0) {}

    void OnDisplay() override {
        const long frame = FramesDrawn() + 1;
        if (tCounting) counted[frame - 1] = gCounted - mark;
        mark = gCounted;
        tCounting = frame > kWarmUpFrames && frame + 1 < static_cast<long>(counted.size());
        MyWindow::OnDisplay();
        if (!GetWorld()) return;
        size_t creature = 0;
        for (const CObject& object : GetWorld()->enemies.Children())
            if (const auto* vorlax = dynamic_cast<const Vorlax*>(&object)) {
                if (shooting.size() <= creature) shooting.push_back(false);  // the first frame, uncounted
                events[frame] |= vorlax->ShotInFlight() && !shooting[creature];
                shooting[creature++] = vorlax->ShotInFlight();
            }
        long taken = 0;
        for (const CObject& object : GetWorld()->pickups.Children())
            if (const auto* pickup = dynamic_cast<const Pickup*>(&object)) taken += pickup->taken;
        events[frame] |= taken > pickupsTaken;
        pickupsTaken = taken;
    }

    std::vector<long> counted;  // [f]: allocations from frame f's start to the next frame's
    std::vector<char> events;   // [f]: a shot was launched or a pickup taken in frame f

private:
    long mark = 0;
    long pickupsTaken = 0;
    std::vector<char> shooting;  // by creature: its shot in flight after the last frame
};

TEST(FrameAllocation, NothingIsAllocatedAlongTheRouteOnceSettledButInEvents) {
    const std::string script = "route.txt";
    constexpr long kFrames = 3134;
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(ReadScript(std::string(PLAYTHROUGH_DIR) + "/" + script, events, error)) << error;
    Dl_info program;
    ASSERT_TRUE(dladdr(reinterpret_cast<void*>(&AskedByProgram), &program));
    gProgramBase = program.dli_fbase;
    void* first[1];
    backtrace(first, 1);  // loads the unwinder before anything is counted

    const ondra::test::ScratchFolder dir;
    GameOptions options;
    options.scriptFile = script;
    options.dt = 0.025;
    options.frames = kFrames;
    options.audioFile = dir.File("sound.wav");
    ondra::test::TestApp app;
    CountingWindow window(kFrames);
    window.Configure(options, events);
    {
        const ondra::test::InFolder inData(ONDRA_DATA_DIR);
        testing::internal::CaptureStdout();  // the 3DS reader's trace
        ondra::Main::Instance()->Execute(0, nullptr);
        testing::internal::GetCapturedStdout();
    }
    tCounting = false;
    EXPECT_TRUE(window.EndRun());
    ASSERT_EQ(window.FramesDrawn(), kFrames);

    std::string allocating;
    long eventFrames = 0;
    for (long frame = kWarmUpFrames + 1; frame < kFrames; ++frame) {
        eventFrames += window.events[frame];
        if (window.counted[frame] && !window.events[frame])
            allocating += " " + std::to_string(frame) + ":" + std::to_string(window.counted[frame]);
    }
    EXPECT_EQ(allocating, "") << "frames (frame:allocations) that allocated";
    // The creature in the reactor fires about once a second while the
    // player is near; and the key is taken.
    EXPECT_GT(eventFrames, 10) << "the route met no creature's fight";
}

}  // namespace
