// Culling must never change a pixel: the timedemo's route, played with it
// and with --no-cull, gives the same frames byte for byte, the same world
// and the same messages. --no-cull draws the plain way (the sky first, every
// block textured in grid order, the HUD panels whole), so the comparison
// holds the culled frame's cheaper drawing (blocks and objects out of sight
// skipped, the walls' fronts laid into the depth buffer before the level,
// the sky after it, the panels only where their pictures show) to the plain
// frame. A wide window as well: the panels leave its sides uncovered and
// their pictures are shrunk there.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/printed_messages.h"
#include "tests/support/scratch_folder.h"

namespace {

using ondra::test::ScratchFolder;

constexpr long kRouteFrames = 3135;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// One window for the route: its size option, how many pictures along the
// route to compare and the frames to compare besides.
struct RouteWindow {
    const char* size;  // empty for the default, 512 x 512
    size_t pixels;
    int pictures;
    std::vector<long> alsoFrames;
};

// Evenly along the route, then the frames named besides.
std::vector<long> PictureFrames(const RouteWindow& window) {
    std::vector<long> frames;
    for (int i = 0; i < window.pictures; ++i) frames.push_back(50 + i * (kRouteFrames - 100) / (window.pictures - 1));
    frames.insert(frames.end(), window.alsoFrames.begin(), window.alsoFrames.end());
    return frames;
}

// The route's command for one run whose files are named with `tag`.
std::string RouteRun(const ScratchFolder& dir, const RouteWindow& window, const std::string& tag,
                     const std::string& extra) {
    std::string command = std::string(COMPOUND_PATH) + " --data " + ONDRA_DATA_DIR + " --script " +
                          PLAYTHROUGH_DIR + "/route.txt --dt 0.025 --frames " + std::to_string(kRouteFrames) +
                          " --state " + dir.File(tag + "_state.txt") + extra;
    if (*window.size) command += std::string(" --size ") + window.size;
    const std::vector<long> frames = PictureFrames(window);
    for (size_t i = 0; i < frames.size(); ++i)
        command += " --shot " + std::to_string(frames[i]) + ":" + dir.File(tag + std::to_string(i) + ".bmp");
    return command + " > " + dir.File(tag + "_out.txt") + " 2> " + dir.File(tag + "_err.txt");
}

void ExpectTheSameRoute(const RouteWindow& window) {
    ScratchFolder dir;
    // Both runs at once: each leaves the other a core.
    const std::string both = "(" + RouteRun(dir, window, "culled", "") + ") & (" +
                             RouteRun(dir, window, "whole", " --no-cull") + "); wait";
    ASSERT_EQ(std::system(both.c_str()), 0);

    const std::string culledState = ReadAll(dir.File("culled_state.txt"));
    ASSERT_NE(culledState.find("frame 3135"), std::string::npos) << ReadAll(dir.File("culled_err.txt"));
    EXPECT_EQ(culledState, ReadAll(dir.File("whole_state.txt")));
    EXPECT_EQ(ondra::test::MessagesWithoutAddresses(dir.File("culled_out.txt")),
              ondra::test::MessagesWithoutAddresses(dir.File("whole_out.txt")));
    const size_t pictures = PictureFrames(window).size();
    for (size_t i = 0; i < pictures; ++i) {
        const std::string culled = ReadAll(dir.File("culled" + std::to_string(i) + ".bmp"));
        ASSERT_GT(culled.size(), window.pixels * 3u) << "picture " << i;
        EXPECT_TRUE(culled == ReadAll(dir.File("whole" + std::to_string(i) + ".bmp"))) << "picture " << i;
    }
}

// Besides, frames where a cheaper drawing is easily wrong: a sliding door
// filling the view (510), and a creature's glowing shot in front of one
// (2045; 1741 in the wide window), which blends with the door behind it
// and so shows wherever the door is left out or drawn too late.
TEST(Culling, TheRouteLooksTheSameWithAndWithoutIt) { ExpectTheSameRoute({"", 512u * 512u, 30, {510, 2045}}); }

TEST(Culling, TheRouteLooksTheSameInAWideWindow) { ExpectTheSameRoute({"640x360", 640u * 360u, 10, {1741}}); }

}  // namespace
