// Where a HUD panel may change a pixel: the scissor rectangles never
// overlap (a pixel blended twice would change), stay inside the window, and
// hold every pixel whose filtered texture sample can reach a texel with
// alpha above 0, including across the picture's repeating edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "game/render/panel_coverage.h"

namespace {

constexpr int kPictureWidth = 64;
constexpr int kPictureHeight = 32;

struct Texel {
    int u, v;
};

std::vector<unsigned char> PictureWith(const std::vector<Texel>& shown) {
    std::vector<unsigned char> alpha(kPictureWidth * kPictureHeight, 0);
    for (const Texel& t : shown) alpha[t.v * kPictureWidth + t.u] = 1;
    return alpha;
}

// Whether a texel within `reach` of (u, v), with the picture repeating,
// has alpha above 0.
bool SampleMayShow(const std::vector<unsigned char>& alpha, float u, float v, float reach) {
    for (int tv = static_cast<int>(std::floor(v - reach)); tv <= static_cast<int>(std::floor(v + reach)); ++tv)
        for (int tu = static_cast<int>(std::floor(u - reach)); tu <= static_cast<int>(std::floor(u + reach)); ++tu) {
            const int wu = ((tu % kPictureWidth) + kPictureWidth) % kPictureWidth;
            const int wv = ((tv % kPictureHeight) + kPictureHeight) % kPictureHeight;
            if (alpha[wv * kPictureWidth + wu] != 0) return true;
        }
    return false;
}

int RectsHolding(const std::vector<ScissorRect>& rects, int x, int y) {
    int count = 0;
    for (const ScissorRect& r : rects)
        if (x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height) ++count;
    return count;
}

// Every pixel of the window: in at most one rectangle, and in one wherever
// the panel covers it and its sample may reach a shown texel. A mipmapped
// sample at `s` texels a pixel reads texels of up to 2s texels' side.
void ExpectRectsHoldEveryShownPixel(const std::vector<unsigned char>& alpha, const PanelPlacement& at, int width,
                                    int height, const std::vector<ScissorRect>& rects) {
    const float spanX = at.xAtS1 - at.xAtS0, spanY = at.yAtT1 - at.yAtT0;
    const float texelsPerPixel = std::max(kPictureWidth / std::fabs(spanX), kPictureHeight / std::fabs(spanY));
    const float reach = std::max(1.0f, 2.0f * texelsPerPixel) + 0.5f;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int holding = RectsHolding(rects, x, y);
            ASSERT_LE(holding, 1) << "pixel " << x << "," << y << " would be blended twice";
            const float s = (x + 0.5f - at.xAtS0) / spanX, t = (y + 0.5f - at.yAtT0) / spanY;
            const bool onPanel = s >= 0.0f && s <= 1.0f && t >= 0.0f && t <= 1.0f;
            if (onPanel && SampleMayShow(alpha, s * kPictureWidth, t * kPictureHeight, reach)) {
                ASSERT_EQ(holding, 1) << "pixel " << x << "," << y << " left out";
            }
        }
    for (const ScissorRect& r : rects) {
        EXPECT_GE(r.x, 0);
        EXPECT_GE(r.y, 0);
        EXPECT_LE(r.x + r.width, width);
        EXPECT_LE(r.y + r.height, height);
    }
}

struct PlacementCase {
    const char* name;
    PanelPlacement at;
};

// Magnified and minified, mirrored, and reaching past the window.
const PlacementCase kPlacements[] = {
    {"magnified", {10.0f, 290.0f, 20.0f, 180.0f}},
    {"minified", {5.0f, 45.3f, 3.0f, 23.7f}},
    {"mirrored", {290.0f, 10.0f, 180.0f, 20.0f}},
    {"past the window", {-100.0f, 400.0f, -50.0f, 250.0f}},
};

TEST(PanelCoverage, RectanglesHoldEveryPixelThatMayShowAndNoPixelTwice) {
    // Texels on every edge and corner, where the repeating picture reaches
    // around to the other side, and one inside.
    const std::vector<unsigned char> alpha =
        PictureWith({{0, 0}, {63, 31}, {0, 17}, {40, 0}, {63, 5}, {22, 31}, {30, 12}, {31, 12}});
    AlphaCoverage coverage;
    coverage.Build(alpha.data(), kPictureWidth, kPictureHeight);
    PanelScissorRects scissor;
    for (const PlacementCase& c : kPlacements) {
        SCOPED_TRACE(c.name);
        const std::vector<ScissorRect>& rects = scissor.Compute(coverage, c.at, 300, 200);
        EXPECT_FALSE(rects.empty());
        ExpectRectsHoldEveryShownPixel(alpha, c.at, 300, 200, rects);
    }
}

TEST(PanelCoverage, ClearPicturesAndEdgeOnPanelsNeedNoRectangleAndOpaqueOnesOne) {
    const std::vector<unsigned char> clear = PictureWith({});
    const std::vector<unsigned char> opaque(kPictureWidth * kPictureHeight, 255);
    AlphaCoverage clearCoverage, opaqueCoverage, unread;
    clearCoverage.Build(clear.data(), kPictureWidth, kPictureHeight);
    opaqueCoverage.Build(opaque.data(), kPictureWidth, kPictureHeight);
    PanelScissorRects scissor;
    const PanelPlacement magnified = kPlacements[0].at;
    EXPECT_TRUE(scissor.Compute(clearCoverage, magnified, 300, 200).empty());
    EXPECT_TRUE(scissor.Compute(unread, magnified, 300, 200).empty());
    EXPECT_TRUE(scissor.Compute(opaqueCoverage, {10.0f, 10.5f, 20.0f, 180.0f}, 300, 200).empty());
    // The opaque picture's tiles merge into one rectangle around the panel.
    const std::vector<ScissorRect>& whole = scissor.Compute(opaqueCoverage, magnified, 300, 200);
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_LE(whole[0].x, 9);
    EXPECT_GE(whole[0].x + whole[0].width, 291);
    EXPECT_LE(whole[0].y, 19);
    EXPECT_GE(whole[0].y + whole[0].height, 181);
}

TEST(PanelCoverage, QueriesFoldAroundThePicturesRepeatingEdges) {
    const std::vector<unsigned char> alpha = PictureWith({{63, 31}});
    AlphaCoverage coverage;
    coverage.Build(alpha.data(), kPictureWidth, kPictureHeight);
    struct Query {
        int u0, v0, u1, v1;
        bool shows;
    };
    const Query kQueries[] = {
        {60, 28, 64, 32, true},    // the texel itself
        {0, 0, 8, 8, false},       // the far corner, not reaching round
        {-1, -1, 2, 2, true},      // one texel before the corner is the texel
        {127, 63, 128, 64, true},  // a whole repeat later
        {0, 0, 200, 4, false},     // every column of rows without it
        {-5, 0, 3, 28, false},     // round the side, short of row 31
    };
    for (const Query& q : kQueries)
        EXPECT_EQ(coverage.AnyIn(q.u0, q.v0, q.u1, q.v1), q.shows) << q.u0 << "," << q.v0 << " to " << q.u1 << "," << q.v1;
}

}  // namespace
