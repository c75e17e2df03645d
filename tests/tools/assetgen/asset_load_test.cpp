// Reads every generated file back with the game's own readers: each model
// loads without warnings and finds its textures, each picture loads at its
// size, and the pictures come out the way the game shows them (HUD frames
// where the numbers are printed and inside the visible part of the panels,
// sky faces matching the directions they are seen in, effects black at the
// border, level textures seamless).
#include "tools/assetgen/hud_images.h"
#include "tools/assetgen/models.h"
#include "tools/assetgen/skybox.h"

#include "framework/image.h"
#include "framework/load3ds/model.h"
#include "game/level_file/asset_names.h"
#include "tests/support/in_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace assetgen {
namespace {

namespace fs = std::filesystem;
const std::string kDataDir = ONDRA_DATA_DIR;

std::string DataPath(const std::string& name) { return kDataDir + "/" + name; }

std::vector<std::string> FilesEndingWith(const std::vector<std::string>& endings)
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(kDataDir)) {
        const std::string name = entry.path().filename().string();
        for (const std::string& ending : endings) {
            if (name.size() > ending.size() && name.compare(name.size() - ending.size(), ending.size(), ending) == 0) {
                names.push_back(name);
            }
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Models name their textures relative to the working directory, as the
// game runs with the data folder as its working directory.
class InDataFolder : public ::testing::Test {
protected:
    void SetUp() override { inData = std::make_unique<ondra::test::InFolder>(kDataDir); }
    void TearDown() override { inData.reset(); }
    std::unique_ptr<ondra::test::InFolder> inData;
};

using GeneratedModels = InDataFolder;

TEST_F(GeneratedModels, LoadWithoutWarningsAndWithTheirTextures)
{
    // Exactly the models the map lists, and the surface the game adds.
    const std::vector<std::string> models = FilesEndingWith({".3DS"});
    std::vector<std::string> listed = MapModelNames();
    listed.push_back(game_assets::kSurface);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(models, listed);
    for (const std::string& name : models) {
        ondra::Model model;
        testing::internal::CaptureStdout();
        const bool loaded = model.Load(name.c_str());
        const std::string trace = testing::internal::GetCapturedStdout();
        EXPECT_TRUE(loaded) << name;
        EXPECT_EQ(trace.find("warning"), std::string::npos) << name << ":\n" << trace;
        EXPECT_EQ(trace.find("no object for pivot"), std::string::npos) << name;
        EXPECT_NE(trace.find("MSH_MAT_GROUP"), std::string::npos) << name << " has no material groups";
        EXPECT_NE(trace.find("SMOOTH_GROUP"), std::string::npos) << name << " has no smoothing groups";
        EXPECT_GT(model.GetFaceCount(), 0) << name;
        EXPECT_LT(model.GetFaceCount(), 5000) << name;
    }
}

TEST_F(GeneratedModels, UseTexturesPivotsAndMaterialSplits)
{
    // Between them the models exercise every part of the reader.
    bool texture = false, pivot = false, split = false;
    for (const std::string& name : FilesEndingWith({".3DS"})) {
        ondra::Model model;
        testing::internal::CaptureStdout();
        model.Load(name.c_str());
        const std::string trace = testing::internal::GetCapturedStdout();
        texture = texture || trace.find("loaded texture") != std::string::npos;
        pivot = pivot || trace.find("PIVOT:") != std::string::npos;
        split = split || trace.find("uses materials:") != std::string::npos;
    }
    EXPECT_TRUE(texture);
    EXPECT_TRUE(pivot);
    EXPECT_TRUE(split);
}

TEST(GeneratedImages, LoadAtTheirSizes)
{
    const std::vector<std::string> images = FilesEndingWith({".jpg", ".bmp", ".tga"});
    EXPECT_GE(images.size(), 36u);
    for (const std::string& name : images) {
        ondra::Image image;
        testing::internal::CaptureStdout();
        ASSERT_TRUE(image.Load(DataPath(name).c_str())) << name;
        testing::internal::GetCapturedStdout();
        int width = 256, height = 256;
        if (name.rfind("sky", 0) == 0) {
            width = height = 512;
        } else if (name.rfind("hud", 0) == 0) {
            width = 512;
        } else if (name == "flare.jpg" || name == "flame.jpg" || name == "gunflare.jpg" || name == "flarered.jpg" ||
                   name == "storm.jpg" || name == "lightning.jpg" || name == "medlabel.bmp") {
            width = height = 128;
        }
        EXPECT_EQ(image.Width(), width) << name;
        EXPECT_EQ(image.Height(), height) << name;
    }
}

ondra::Image LoadData(const std::string& name)
{
    ondra::Image image;
    testing::internal::CaptureStdout();
    EXPECT_TRUE(image.Load(DataPath(name).c_str())) << name;
    testing::internal::GetCapturedStdout();
    return image;
}

// Alpha at a canvas point (row 0 at the top) of a loaded, bottom-up image.
int AlphaAt(const ondra::Image& image, PanelPoint p)
{
    uint8_t r, g, b, a;
    image.GetPixel(static_cast<int>(p.x), image.Height() - 1 - static_cast<int>(p.y), r, g, b, a);
    return a;
}

TEST(HudImages, FrameTheCountsWhereTheGamePrintsThem)
{
    // Window positions of a 512 x 512 window, from its centre: ammunition
    // (25.6, 183), medikits (-205, -171), keys (205, -183); the icons lie
    // just left of the counts.
    const ondra::Image upper = LoadData("hudU5.tga");
    EXPECT_GT(AlphaAt(upper, UpperPanelPoint(40, 188)), 40) << "no frame behind the ammunition count";
    const ondra::Image medikit = LoadData("hudLMed.tga");
    const ondra::Image none = LoadData("hudL.tga");
    const ondra::Image key = LoadData("hudLKey.tga");
    const PanelPoint medikitIcon = LowerPanelPoint(-227, -164);
    const PanelPoint keyIcon = LowerPanelPoint(167, -176);
    // The icon of what the player carries is lit, the other only hinted.
    EXPECT_GT(AlphaAt(medikit, medikitIcon), 200);
    EXPECT_GT(AlphaAt(medikit, medikitIcon), AlphaAt(none, medikitIcon) + 60);
    EXPECT_GT(AlphaAt(key, keyIcon), 200);
    EXPECT_GT(AlphaAt(key, keyIcon), AlphaAt(none, keyIcon) + 60);
    EXPECT_GT(AlphaAt(medikit, LowerPanelPoint(-190, -165)), 40) << "no frame behind the medikit count";
    EXPECT_GT(AlphaAt(key, LowerPanelPoint(215, -176)), 40) << "no frame behind the key count";
}

TEST(HudImages, ShowHealthInCellsAtTheTopLeft)
{
    const auto greenCells = [](const ondra::Image& image) {
        int lit = 0;
        for (int cell = 0; cell < 5; ++cell) {
            uint8_t r, g, b, a;
            const PanelPoint p = UpperPanelPoint(-199.5f + cell * 21.0f, 212);
            image.GetPixel(static_cast<int>(p.x), image.Height() - 1 - static_cast<int>(p.y), r, g, b, a);
            lit += (a > 150 && (g > 120 || r > 120)) ? 1 : 0;
        }
        return lit;
    };
    EXPECT_EQ(greenCells(LoadData("hudU.tga")), 0);
    for (int health = 1; health <= 5; ++health) {
        EXPECT_EQ(greenCells(LoadData("hudU" + std::to_string(health) + ".tga")), health);
    }
}

TEST(HudImages, LeaveWhatASquareWindowCannotShowTransparent)
{
    // Only u in 0.13 .. 0.87 and, on the upper panel, v up to 0.95 are on
    // screen; the middle of the view stays clear apart from the crosshair.
    for (const std::string& name : HudImageNames()) {
        const ondra::Image image = LoadData(name);
        int hidden = 0;
        for (int y = 0; y < image.Height(); ++y) {
            for (int x = 0; x < image.Width(); ++x) {
                const float u = (x + 0.5f) / image.Width();
                const float v = (y + 0.5f) / image.Height();
                const bool upper = name.rfind("hudU", 0) == 0;
                const bool offScreen = u < 0.125f || u > 0.875f || (upper && v > 0.95f) || (!upper && v < 0.05f);
                uint8_t r, g, b, a;
                image.GetPixel(x, y, r, g, b, a);
                hidden += (offScreen && a > 0) ? 1 : 0;
            }
        }
        EXPECT_EQ(hidden, 0) << name;
    }
}

TEST(SkyFaces, ShowTheSkyOfTheDirectionEachTexelIsSeenIn)
{
    for (int face = 0; face < 6; ++face) {
        const ondra::Image image = LoadData(kSkyFaceNames[face]);
        // Compare against the painter's sky where it is smooth (stars are
        // too small to survive the comparison), and against the picture
        // turned upside down, which must fit much worse.
        double error = 0.0, flippedError = 0.0;
        int samples = 0;
        for (int y = 4; y < image.Height(); y += 24) {
            for (int x = 4; x < image.Width(); x += 24) {
                const Color expected = SkyColor(SkyDirection(face, (x + 0.5f) / image.Width(), (y + 0.5f) / image.Height()));
                float r, g, b, a, fr, fg, fb;
                image.GetPixel(x, y, r, g, b, a);
                image.GetPixel(x, image.Height() - 1 - y, fr, fg, fb, a);
                const auto clamp = [](float c) { return std::min(1.0f, c); };
                error += std::fabs(r - clamp(expected.r)) + std::fabs(g - clamp(expected.g)) + std::fabs(b - clamp(expected.b));
                flippedError += std::fabs(fr - clamp(expected.r)) + std::fabs(fg - clamp(expected.g)) +
                                std::fabs(fb - clamp(expected.b));
                ++samples;
            }
        }
        EXPECT_LT(error / samples, 0.05) << kSkyFaceNames[face];
        if (face == 1) {  // the east face holds the planet
            EXPECT_GT(flippedError, error * 2) << "east face upside down";
        }
    }
}

TEST(EffectImages, FadeToBlackAtTheBorder)
{
    for (const char* name : {"flare.jpg", "flame.jpg", "gunflare.jpg", "flarered.jpg", "storm.jpg", "lightning.jpg"}) {
        const ondra::Image image = LoadData(name);
        int brightest = 0;
        for (int i = 0; i < image.Width(); ++i) {
            for (const auto& [x, y] : {std::pair{i, 0}, {i, image.Height() - 1}, {0, i}, {image.Width() - 1, i}}) {
                uint8_t r, g, b, a;
                image.GetPixel(x, y, r, g, b, a);
                brightest = std::max({brightest, int(r), int(g), int(b)});
            }
        }
        EXPECT_LT(brightest, 24) << name;
        uint8_t r, g, b, a;
        image.GetPixel(image.Width() / 2, image.Height() / 2, r, g, b, a);
        EXPECT_GT(std::max({r, g, b}), 150) << name << " has no bright core";
    }
}

TEST(LevelTextures, TileWithoutSeams)
{
    // Faces sit edge to edge: the step across a texture's wrap must look
    // like any other step between neighbouring pixels. Walls meet only side
    // by side (they run from floor to ceiling); floors, ceilings and the
    // planet's ground meet on all four edges.
    const std::pair<const char*, bool> textures[] = {
        {"wallpanel.jpg", false}, {"wallpipes.bmp", false}, {"wallhazard.tga", false},
        {"floorplate.jpg", true}, {"floorgrate.bmp", true},  {"ceillight.jpg", true},
        {"ceiling.jpg", true},    {"ground.jpg", true},      {"concrete.jpg", true}};
    for (const auto& [name, bothWays] : textures) {
        const ondra::Image image = LoadData(name);
        const int w = image.Width();
        const int h = image.Height();
        auto grey = [&](int x, int y) {
            uint8_t v;
            image.GetPixel(x, y, v);
            return static_cast<int>(v);
        };
        double wrapX = 0, insideX = 0, wrapY = 0, insideY = 0;
        for (int i = 0; i < h; ++i) {
            wrapX += std::abs(grey(w - 1, i) - grey(0, i));
            insideX += std::abs(grey(w / 2, i) - grey(w / 2 + 1, i));
        }
        for (int i = 0; i < w; ++i) {
            wrapY += std::abs(grey(i, h - 1) - grey(i, 0));
            insideY += std::abs(grey(i, h / 2) - grey(i, h / 2 + 1));
        }
        EXPECT_LT(wrapX, insideX * 3 + 4.0 * h) << name << " shows a vertical seam";
        if (bothWays) {
            EXPECT_LT(wrapY, insideY * 3 + 4.0 * w) << name << " shows a horizontal seam";
        }
    }
}

}  // namespace
}  // namespace assetgen
