// Wall, floor, ceiling and door pictures. A face shows its texture once
// across its 3 x 3 units, so 256 pixels span 3 units and panel seams fall on
// the texture's edges, where neighbouring faces meet.
#include "tools/assetgen/level_textures.h"

#include "tools/assetgen/asset_names.h"
#include "tools/assetgen/noise.h"
#include "tools/assetgen/palette_ramp.h"
#include "tools/assetgen/texture_painter.h"

#include <cmath>

namespace assetgen {
namespace {

constexpr int kSize = 256;

const Color kSteel{0.55f, 0.58f, 0.62f, 1.0f};
const Color kDarkSteel{0.30f, 0.32f, 0.35f, 1.0f};
const Color kSeam{0.08f, 0.08f, 0.09f, 1.0f};
const Color kYellow{0.90f, 0.72f, 0.10f, 1.0f};
const Color kBlack{0.08f, 0.08f, 0.08f, 1.0f};

// A bevelled panel with rivets in its corners.
void PaintPanel(Canvas& c, float x0, float y0, float x1, float y1, const Color& rivetMetal)
{
    c.FrameRect(x0, y0, x1, y1, 3.0f, kSeam);
    c.Bevel(x0 + 2, y0 + 2, x1 - 2, y1 - 2, 5.0f, 0.25f);
    const float inset = 9.0f;
    PaintRivet(c, x0 + inset, y0 + inset, 3.0f, rivetMetal);
    PaintRivet(c, x1 - inset, y0 + inset, 3.0f, rivetMetal);
    PaintRivet(c, x0 + inset, y1 - inset, 3.0f, rivetMetal);
    PaintRivet(c, x1 - inset, y1 - inset, 3.0f, rivetMetal);
}

}  // namespace

Canvas PaintWallPanel()
{
    Canvas c(kSize, kSize, kSteel, true);
    PaintNoisyBase(c, {0.52f, 0.56f, 0.60f, 1.0f}, 0.12f, 4, 11);
    // Two tall panels above a darker kick plate.
    PaintPanel(c, 0, 0, 128, 200, kSteel);
    PaintPanel(c, 128, 0, 256, 200, kSteel);
    c.FillRect(0, 200, 256, 256, kDarkSteel);
    PaintPanel(c, 0, 200, 256, 256, kDarkSteel);
    // A stencilled blue band at eye height.
    c.FillRect(0, 80, 256, 92, {0.15f, 0.30f, 0.55f, 0.85f});
    c.FillRect(0, 94, 256, 97, {0.15f, 0.30f, 0.55f, 0.6f});
    // Vent slits in the right panel.
    for (int i = 0; i < 5; ++i) {
        c.FillRoundRect(160, 130 + i * 10.0f, 224, 135 + i * 10.0f, 2.0f, kSeam);
    }
    PaintGrime(c, 0.35f, 3, 12);
    Random random(13);
    PaintScratches(c, 60, 18.0f, random);
    return c;
}

Canvas PaintWallPipes()
{
    Canvas c(kSize, kSize, kDarkSteel, true);
    PaintNoisyBase(c, {0.34f, 0.40f, 0.36f, 1.0f}, 0.15f, 4, 21);
    for (int x = 0; x < kSize; x += 64) {
        c.FillRect(x - 3.0f, 0, x + 3.0f, 256, kSeam);  // vertical ribs
        c.Bevel(x + 3.0f, 0, x + 61.0f, 256, 4.0f, 0.2f);
    }
    const Color copper{0.72f, 0.42f, 0.22f, 1.0f};
    const Color iron{0.45f, 0.47f, 0.50f, 1.0f};
    PaintHorizontalPipe(c, 60, 14, copper);
    PaintHorizontalPipe(c, 96, 8, iron);
    PaintHorizontalPipe(c, 210, 11, iron);
    // Brackets clamp the pipes to the ribs.
    for (int x = 0; x < kSize; x += 64) {
        c.FillRect(x - 5.0f, 42, x + 5.0f, 108, {0.2f, 0.2f, 0.22f, 1.0f});
        c.FillRect(x - 5.0f, 195, x + 5.0f, 225, {0.2f, 0.2f, 0.22f, 1.0f});
        PaintRivet(c, static_cast<float>(x), 45, 2.5f, iron);
        PaintRivet(c, static_cast<float>(x), 105, 2.5f, iron);
    }
    // A gauge.
    c.FillCircle(160, 150, 16, {0.85f, 0.85f, 0.8f, 1.0f});
    c.Ring(160, 150, 16, 3, {0.2f, 0.2f, 0.2f, 1.0f});
    c.Line(160, 150, 170, 140, 2, {0.7f, 0.1f, 0.1f, 1.0f});
    PaintGrime(c, 0.45f, 4, 22);
    Random random(23);
    PaintScratches(c, 40, 12.0f, random);
    return c;
}

Canvas PaintWallHazard()
{
    // Flat colours only: this picture goes into a run-length encoded TGA.
    Canvas c(kSize, kSize, {0.62f, 0.60f, 0.55f, 1.0f}, true);
    c.FillRect(0, 0, 256, 24, {0.35f, 0.35f, 0.37f, 1.0f});
    c.FillRect(0, 24, 256, 28, kSeam);
    c.FillRect(0, 120, 256, 124, kSeam);
    c.FillRect(0, 124, 256, 190, {0.55f, 0.53f, 0.48f, 1.0f});
    c.FillRect(0, 190, 256, 194, kSeam);
    PaintHazardStripes(c, 0, 194, 256, 256, 16, kYellow, kBlack);
    c.FillRect(126, 28, 130, 190, kSeam);
    // A high-voltage sign in each upper panel.
    for (float cx : {64.0f, 192.0f}) {
        c.FillRect(cx - 22, 52, cx + 22, 96, kYellow);
        c.FrameRect(cx - 22, 52, cx + 22, 96, 3, kBlack);
        c.Line(cx + 4, 58, cx - 8, 76, 5, kBlack);
        c.Line(cx - 8, 76, cx + 8, 74, 5, kBlack);
        c.Line(cx + 8, 74, cx - 4, 92, 5, kBlack);
    }
    return c;
}

Canvas PaintFloorPlate()
{
    Canvas c(kSize, kSize, kSteel, true);
    PaintNoisyBase(c, {0.46f, 0.47f, 0.48f, 1.0f}, 0.18f, 4, 31);
    // Diamond tread: short raised bars alternating in direction.
    const float step = 16.0f;
    for (int row = 0; row < 16; ++row) {
        for (int col = 0; col < 16; ++col) {
            const float cx = col * step + step / 2;
            const float cy = row * step + step / 2;
            const float d = 4.5f;
            const bool rising = ((row + col) & 1) == 0;
            const float dx = rising ? d : -d;
            c.Line(cx - dx + 1, cy + d + 1, cx + dx + 1, cy - d + 1, 3.5f, {0, 0, 0, 0.4f});
            c.Line(cx - dx, cy + d, cx + dx, cy - d, 3.0f, {0.70f, 0.71f, 0.72f, 1.0f});
        }
    }
    // Plate seams on the tile edges and a bolt at each corner.
    c.FrameRect(0, 0, 256, 256, 4, kSeam);
    for (float x : {8.0f, 248.0f}) {
        for (float y : {8.0f, 248.0f}) {
            PaintRivet(c, x, y, 3.5f, kSteel);
        }
    }
    PaintGrime(c, 0.5f, 3, 32);
    Random random(33);
    PaintScratches(c, 120, 20.0f, random);
    return c;
}

Canvas PaintFloorGrate()
{
    Canvas c(kSize, kSize, {0.05f, 0.05f, 0.05f, 1.0f}, true);
    // Dark pit with faint pipes showing through the grate.
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const float n = TileFbm((x + 0.5f) / kSize, (y + 0.5f) / kSize, 4, 3, 41);
            c.Set(x, y, Scaled({0.12f, 0.12f, 0.12f, 1.0f}, 0.6f + n));
        }
    }
    PaintVerticalPipe(c, 70, 16, {0.2f, 0.2f, 0.2f, 1.0f});
    // Heavy bars one way, thin bars the other.
    for (int i = 0; i < 8; ++i) {
        const float x = i * 32.0f;
        for (int y = 0; y < kSize; ++y) {
            for (int dx = -4; dx < 4; ++dx) {
                const float t = (dx + 0.5f) / 4.0f;
                c.Set(static_cast<int>(x) + dx, y, Scaled({0.75f, 0.75f, 0.75f, 1.0f}, 1.0f - 0.4f * t * t));
            }
        }
    }
    for (int i = 0; i < 16; ++i) {
        const float y = i * 16.0f;
        c.FillRect(0, y - 1.5f, 256, y + 1.5f, {0.62f, 0.62f, 0.62f, 1.0f});
    }
    c.FrameRect(0, 0, 256, 256, 8, {0.85f, 0.85f, 0.85f, 1.0f});
    PaintGrime(c, 0.5f, 4, 42);
    return c;
}

Canvas PaintCeilingLights()
{
    Canvas c(kSize, kSize, kSteel, true);
    PaintNoisyBase(c, {0.42f, 0.44f, 0.46f, 1.0f}, 0.1f, 4, 51);
    PaintPanel(c, 0, 0, 256, 256, kSteel);
    // Two glowing strips inside recessed housings.
    for (float x : {72.0f, 184.0f}) {
        c.FillRoundRect(x - 20, 24, x + 20, 232, 6, {0.12f, 0.12f, 0.13f, 1.0f});
        c.FillRoundRect(x - 13, 32, x + 13, 224, 8, {0.95f, 0.96f, 0.88f, 1.0f});
        c.FillRoundRect(x - 6, 36, x + 6, 220, 6, {1.0f, 1.0f, 1.0f, 1.0f});
        for (float y = 60; y < 220; y += 40) {
            c.FillRect(x - 14, y - 1, x + 14, y + 1, {0.5f, 0.5f, 0.45f, 1.0f});  // diffuser ribs
        }
    }
    PaintGrime(c, 0.25f, 3, 52);
    return c;
}

Canvas PaintCeilingPlain()
{
    Canvas c(kSize, kSize, kSteel, true);
    PaintNoisyBase(c, {0.40f, 0.41f, 0.43f, 1.0f}, 0.12f, 4, 61);
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 2; ++j) {
            PaintPanel(c, i * 128.0f, j * 128.0f, i * 128.0f + 128, j * 128.0f + 128, kSteel);
        }
    }
    // A round vent in one panel.
    c.FillCircle(192, 192, 34, {0.1f, 0.1f, 0.1f, 1.0f});
    for (int i = 0; i < 6; ++i) {
        const float a = i * 1.0471976f;
        c.Line(192, 192, 192 + 32 * std::cos(a), 192 + 32 * std::sin(a), 5, {0.5f, 0.5f, 0.52f, 1.0f});
    }
    c.Ring(192, 192, 34, 4, {0.55f, 0.56f, 0.58f, 1.0f});
    PaintGrime(c, 0.35f, 3, 62);
    return c;
}

Canvas PaintDoorLocked()
{
    // Flat colours for run-length encoding; the lock sits in the middle so
    // it shows on both faces of the slab.
    Canvas c(kSize, kSize, {0.45f, 0.16f, 0.12f, 1.0f}, false);
    c.FrameRect(6, 6, 250, 250, 12, {0.25f, 0.25f, 0.27f, 1.0f});
    PaintHazardStripes(c, 12, 12, 244, 40, 14, kYellow, kBlack);
    PaintHazardStripes(c, 12, 216, 244, 244, 14, kYellow, kBlack);
    c.FillRect(12, 40, 244, 44, kSeam);
    c.FillRect(12, 212, 244, 216, kSeam);
    c.FillRect(126, 44, 130, 212, kSeam);
    // The lock: a steel plate with a keyhole and a red indicator.
    c.FillCircle(128, 128, 44, {0.20f, 0.20f, 0.22f, 1.0f});
    c.FillCircle(128, 128, 38, {0.62f, 0.64f, 0.66f, 1.0f});
    c.Ring(128, 128, 30, 3, {0.35f, 0.36f, 0.38f, 1.0f});
    c.FillCircle(128, 118, 9, kBlack);
    c.FillRect(124, 118, 132, 146, kBlack);
    c.FillCircle(128, 76, 7, {0.95f, 0.1f, 0.05f, 1.0f});
    c.FillCircle(128, 76, 3, {1.0f, 0.7f, 0.6f, 1.0f});
    for (float x : {28.0f, 228.0f}) {
        for (float y : {60.0f, 196.0f}) {
            c.FillCircle(x, y, 5, {0.3f, 0.3f, 0.32f, 1.0f});
        }
    }
    return c;
}

Canvas PaintDoorSliding()
{
    Canvas c(kSize, kSize, kSteel, false);
    PaintNoisyBase(c, {0.38f, 0.46f, 0.56f, 1.0f}, 0.12f, 4, 71);
    c.FrameRect(4, 4, 252, 252, 8, {0.18f, 0.2f, 0.24f, 1.0f});
    PaintPanel(c, 8, 8, 248, 248, kSteel);
    // A window with a dark glass pane in the upper half.
    c.FillRoundRect(78, 40, 178, 110, 10, {0.2f, 0.22f, 0.25f, 1.0f});
    c.FillRoundRect(84, 46, 172, 104, 8, {0.05f, 0.09f, 0.12f, 1.0f});
    c.Line(100, 56, 130, 94, 4, {0.4f, 0.5f, 0.6f, 0.35f});
    // Horizontal ribs and a green "open" lamp strip.
    for (float y : {140.0f, 160.0f, 180.0f}) {
        c.FillRect(24, y, 232, y + 6, {0.25f, 0.3f, 0.36f, 1.0f});
        c.FillRect(24, y, 232, y + 2, {0.55f, 0.62f, 0.7f, 1.0f});
    }
    c.FillRoundRect(100, 206, 156, 216, 4, {0.2f, 0.85f, 0.3f, 1.0f});
    PaintGrime(c, 0.3f, 3, 72);
    Random random(73);
    PaintScratches(c, 50, 14.0f, random);
    return c;
}

void WriteLevelTextures(OutputFolder& out)
{
    out.SaveJpeg(names::kWallPanel, PaintWallPanel());
    out.SaveBmp24(names::kWallPipes, PaintWallPipes());
    out.SaveTga(names::kWallHazard, PaintWallHazard(), false, TgaCompression::kRunLength);
    out.SaveJpeg(names::kFloorPlate, PaintFloorPlate());
    const std::vector<PaletteEntry> rust = RampPalette({{0.02f, 0.02f, 0.02f, 1.0f},
                                                        {0.25f, 0.13f, 0.07f, 1.0f},
                                                        {0.55f, 0.35f, 0.20f, 1.0f},
                                                        {0.80f, 0.74f, 0.65f, 1.0f}});
    out.SaveBmp8(names::kFloorGrate, IndexByBrightness(PaintFloorGrate(), rust));
    out.SaveJpeg(names::kCeilingLights, PaintCeilingLights());
    out.SaveJpeg(names::kCeilingPlain, PaintCeilingPlain());
    out.SaveTga(names::kDoorLocked, PaintDoorLocked(), false, TgaCompression::kRunLength);
    out.SaveJpeg(names::kDoorSliding, PaintDoorSliding());
}

}  // namespace assetgen
