// The procedural painter: tileable noise repeats exactly over the tile,
// tileable canvases wrap what is drawn over an edge, and blending keeps
// translucent HUD paint translucent.
#include "tools/assetgen/canvas.h"
#include "tools/assetgen/noise.h"
#include "tools/assetgen/palette_ramp.h"
#include "tools/assetgen/random.h"

#include <gtest/gtest.h>

namespace assetgen {
namespace {

TEST(Painter, TileNoiseRepeatsOverTheTile)
{
    for (float u : {0.0f, 0.13f, 0.5f, 0.97f}) {
        for (float v : {0.0f, 0.41f, 0.88f}) {
            EXPECT_NEAR(TileFbm(u, v, 4, 5, 7), TileFbm(u + 1.0f, v, 4, 5, 7), 1e-4f);
            EXPECT_NEAR(TileFbm(u, v, 4, 5, 7), TileFbm(u, v + 1.0f, 4, 5, 7), 1e-4f);
            const float n = TileFbm(u, v, 4, 5, 7);
            EXPECT_GE(n, 0.0f);
            EXPECT_LE(n, 1.0f);
        }
    }
    EXPECT_NE(TileFbm(0.3f, 0.3f, 4, 5, 7), TileFbm(0.3f, 0.3f, 4, 5, 8)) << "the seed must matter";
}

TEST(Painter, TileableCanvasWrapsShapesAcrossItsEdges)
{
    Canvas tile(32, 32, {0, 0, 0, 1}, true);
    tile.FillRect(28, 10, 36, 12, {1, 1, 1, 1});  // runs over the right edge
    EXPECT_FLOAT_EQ(tile.At(30, 10).r, 1.0f);
    EXPECT_FLOAT_EQ(tile.At(2, 10).r, 1.0f);
    EXPECT_FLOAT_EQ(tile.At(6, 10).r, 0.0f);

    Canvas plain(32, 32, {0, 0, 0, 1}, false);
    plain.FillRect(28, 10, 36, 12, {1, 1, 1, 1});
    EXPECT_FLOAT_EQ(plain.At(2, 10).r, 0.0f) << "a plain canvas clips instead";
}

TEST(Painter, BlendingOverTransparencyKeepsColourAndAlpha)
{
    Canvas hud(4, 4, {0, 0, 0, 0}, false);
    hud.Blend(1, 1, {0.2f, 1.0f, 0.4f, 0.5f}, 1.0f);
    const Color once = hud.At(1, 1);
    EXPECT_NEAR(once.g, 1.0f, 1e-6f) << "transparent black must not darken the paint";
    EXPECT_NEAR(once.a, 0.5f, 1e-6f);
    hud.Blend(1, 1, {0.2f, 1.0f, 0.4f, 0.5f}, 1.0f);
    EXPECT_NEAR(hud.At(1, 1).a, 0.75f, 1e-6f);
    const ondra::Image bytes = hud.ToRgba();  // rows bottom-up
    EXPECT_EQ(bytes.GetRow(4 - 1 - 1)[1 * 4 + 3], 191);
    EXPECT_EQ(bytes.GetRow(4 - 1)[3], 0);
}

TEST(Painter, RampPaletteIndexesByBrightness)
{
    const std::vector<PaletteEntry> ramp = RampPalette({{0, 0, 0, 1}, {1, 0.5f, 0, 1}});
    ASSERT_EQ(ramp.size(), 256u);
    EXPECT_EQ(ramp.front().red, 0);
    EXPECT_EQ(ramp.back().red, 255);
    EXPECT_EQ(ramp.back().green, 128);
    Canvas canvas(2, 1, {0, 0, 0, 1}, false);
    canvas.Set(1, 0, {1, 1, 1, 1});
    const PalettedImage image = IndexByBrightness(canvas, ramp);
    EXPECT_EQ(image.indices.GetRow(0)[0], 0);
    EXPECT_EQ(image.indices.GetRow(0)[1], 255);
}

TEST(Painter, RandomIsTheSameForTheSameSeed)
{
    Random a(42), b(42), c(43);
    for (int i = 0; i < 10; ++i) {
        const uint64_t x = a.Next();
        EXPECT_EQ(x, b.Next());
        EXPECT_NE(x, c.Next());
    }
    Random r(1);
    for (int i = 0; i < 1000; ++i) {
        const float u = r.Unit();
        ASSERT_GE(u, 0.0f);
        ASSERT_LT(u, 1.0f);
        ASSERT_LT(r.Below(7), 7);
    }
}

}  // namespace
}  // namespace assetgen
