// HUD painting. The panels are quads 2.8 wide and 1.1 high at depth 2 in
// front of the eye; with the game's view (kGameFieldOfView, 55 degrees),
// half a square window spans 2 tan(27.5 deg) = 1.041 units there. The game
// prints its numbers at fixed window positions, so each frame is placed by
// converting those positions.
#include "tools/assetgen/hud_images.h"

#include "game/level_file/asset_names.h"
#include "game/render/camera.h"

#include <cmath>

namespace assetgen {
namespace {

constexpr int kWidth = 512;
constexpr int kHeight = 256;
constexpr float kPanelHalfWidth = 1.4f;
constexpr float kPanelHeight = 1.1f;
constexpr float kWindowHalf = 256.0f;
const float kViewHalfAtPanel =
    2.0f * std::tan(static_cast<float>(kGameFieldOfView) / 2.0f * 3.14159265f / 180.0f);

const Color kFrame{0.35f, 0.95f, 0.55f, 0.55f};
const Color kFrameDim{0.35f, 0.95f, 0.55f, 0.22f};
const Color kBacking{0.0f, 0.08f, 0.04f, 0.35f};

float EyeX(float screenX) { return screenX / kWindowHalf * kViewHalfAtPanel; }
float EyeY(float screenY) { return screenY / kWindowHalf * kViewHalfAtPanel; }
float CanvasX(float eyeX) { return (eyeX + kPanelHalfWidth) / (2.0f * kPanelHalfWidth) * kWidth; }

// A framed, tinted box given in window pixels, on the upper or lower panel.
struct Box {
    float x0, y0, x1, y1;  // canvas pixels
};

Box UpperBox(float sx0, float sy0, float sx1, float sy1)
{
    const PanelPoint a = UpperPanelPoint(sx0, sy1);
    const PanelPoint b = UpperPanelPoint(sx1, sy0);
    return {a.x, a.y, b.x, b.y};
}

Box LowerBox(float sx0, float sy0, float sx1, float sy1)
{
    const PanelPoint a = LowerPanelPoint(sx0, sy1);
    const PanelPoint b = LowerPanelPoint(sx1, sy0);
    return {a.x, a.y, b.x, b.y};
}

void PaintFrame(Canvas& c, const Box& box, bool lit)
{
    c.FillRoundRect(box.x0, box.y0, box.x1, box.y1, 5, kBacking);
    c.FrameRect(box.x0, box.y0, box.x1, box.y1, 1.5f, lit ? kFrame : kFrameDim);
    // Corner ticks.
    const Color tick = lit ? Color{0.6f, 1.0f, 0.7f, 0.9f} : kFrame;
    const float t = 6.0f;
    c.Line(box.x0, box.y0, box.x0 + t, box.y0, 2.5f, tick);
    c.Line(box.x0, box.y0, box.x0, box.y0 + t, 2.5f, tick);
    c.Line(box.x1, box.y1, box.x1 - t, box.y1, 2.5f, tick);
    c.Line(box.x1, box.y1, box.x1, box.y1 - t, 2.5f, tick);
}

// Thin brackets along the visible edges of the view.
void PaintCornerBrackets(Canvas& c, float y, float direction)
{
    const float left = CanvasX(-kViewHalfAtPanel) + 8.0f;
    const float right = CanvasX(kViewHalfAtPanel) - 8.0f;
    const Color bracket{0.35f, 0.95f, 0.55f, 0.4f};
    c.Line(left, y, left + 40, y, 2, bracket);
    c.Line(left, y, left, y + 25 * direction, 2, bracket);
    c.Line(right, y, right - 40, y, 2, bracket);
    c.Line(right, y, right, y + 25 * direction, 2, bracket);
}

void PaintMedikitIcon(Canvas& c, const Box& box, bool lit)
{
    const float alpha = lit ? 1.0f : 0.15f;
    c.FillRoundRect(box.x0, box.y0, box.x1, box.y1, 3, {0.95f, 0.95f, 0.95f, alpha});
    const float cx = (box.x0 + box.x1) / 2;
    const float cy = (box.y0 + box.y1) / 2;
    const float arm = (box.x1 - box.x0) * 0.32f;
    const float thick = (box.x1 - box.x0) * 0.13f;
    c.FillRect(cx - arm, cy - thick, cx + arm, cy + thick, {0.85f, 0.1f, 0.1f, alpha});
    c.FillRect(cx - thick, cy - arm, cx + thick, cy + arm, {0.85f, 0.1f, 0.1f, alpha});
}

void PaintKeyIcon(Canvas& c, const Box& box, bool lit)
{
    const Color gold{1.0f, 0.8f, 0.2f, lit ? 1.0f : 0.15f};
    const float cy = (box.y0 + box.y1) / 2;
    const float ringRadius = (box.y1 - box.y0) * 0.3f;
    const float ringX = box.x0 + ringRadius + 2;
    c.Ring(ringX, cy, ringRadius, 3.5f, gold);
    c.Line(ringX + ringRadius, cy, box.x1 - 2, cy, 4, gold);
    c.Line(box.x1 - 6, cy, box.x1 - 6, cy + ringRadius * 0.9f, 3.5f, gold);
    c.Line(box.x1 - 12, cy, box.x1 - 12, cy + ringRadius * 0.7f, 3.5f, gold);
}

void PaintCrosshairHalf(Canvas& c, bool upper)
{
    const Color hair{0.5f, 1.0f, 0.6f, 0.75f};
    const float direction = upper ? 1.0f : -1.0f;
    const PanelPoint centre = upper ? UpperPanelPoint(0, 0) : LowerPanelPoint(0, 0);
    const PanelPoint tickNear = upper ? UpperPanelPoint(0, 5 * direction) : LowerPanelPoint(0, 5 * direction);
    const PanelPoint tickFar = upper ? UpperPanelPoint(0, 13 * direction) : LowerPanelPoint(0, 13 * direction);
    c.Line(tickNear.x, tickNear.y, tickFar.x, tickFar.y, 1.5f, hair);
    // The horizontal ticks sit on the seam between the panels: half on each.
    const float seamY = upper ? centre.y - 1.0f : centre.y + 1.0f;
    for (float side : {-1.0f, 1.0f}) {
        const float nearX = UpperPanelPoint(5 * side, 0).x;
        const float farX = UpperPanelPoint(13 * side, 0).x;
        c.Line(nearX, seamY, farX, seamY, 1.5f, hair);
    }
}

Color HealthColor(int level)
{
    const float t = (level - 1) / 4.0f;
    return {1.0f - 0.7f * t, 0.25f + 0.7f * t, 0.2f, 0.9f};
}

}  // namespace

PanelPoint UpperPanelPoint(float screenX, float screenY)
{
    const float v = EyeY(screenY) / kPanelHeight;
    return {CanvasX(EyeX(screenX)), (1.0f - v) * kHeight};
}

PanelPoint LowerPanelPoint(float screenX, float screenY)
{
    const float v = (EyeY(screenY) + kPanelHeight) / kPanelHeight;
    return {CanvasX(EyeX(screenX)), (1.0f - v) * kHeight};
}

Canvas PaintUpperHud(int health)
{
    Canvas c(kWidth, kHeight, {0.3f, 0.95f, 0.5f, 0.0f}, false);
    PaintCornerBrackets(c, UpperPanelPoint(0, 244).y, 1.0f);
    // Health: a red cross and five cells, top left.
    const Box healthBox = UpperBox(-246, 196, -96, 228);
    PaintFrame(c, healthBox, health > 0);
    PaintMedikitIcon(c, UpperBox(-240, 201, -216, 223), true);
    for (int cell = 1; cell <= 5; ++cell) {
        const float x0 = -208.0f + (cell - 1) * 21.0f;
        const Box box = UpperBox(x0, 203, x0 + 17, 221);
        if (cell <= health) {
            c.FillRoundRect(box.x0, box.y0, box.x1, box.y1, 2, HealthColor(health));
        } else {
            c.FrameRect(box.x0, box.y0, box.x1, box.y1, 1.2f, {0.9f, 0.3f, 0.2f, health > 0 ? 0.35f : 0.9f});
        }
    }
    // The ammunition count is printed at (W / 20, H / 2 - H / 7) from the centre.
    const Box ammoBox = UpperBox(2, 174, 100, 202);
    PaintFrame(c, ammoBox, true);
    const Box boltIcon = UpperBox(8, 180, 20, 196);
    c.FillRoundRect(boltIcon.x0, boltIcon.y0, boltIcon.x1, boltIcon.y1, 3, {0.6f, 0.85f, 1.0f, 0.9f});
    PaintCrosshairHalf(c, true);
    return c;
}

Canvas PaintLowerHud(bool hasKey, bool hasMedikit)
{
    Canvas c(kWidth, kHeight, {0.3f, 0.95f, 0.5f, 0.0f}, false);
    PaintCornerBrackets(c, LowerPanelPoint(0, -244).y, -1.0f);
    // Medikit count at (-W / 2 + W / 10, -H / 2 + H / 6): icon to its left.
    PaintFrame(c, LowerBox(-246, -180, -168, -148), hasMedikit);
    PaintMedikitIcon(c, LowerBox(-240, -176, -214, -152), hasMedikit);
    // Key count at (W / 2 - W / 10, -H / 2 + H / 7): icon to its left.
    PaintFrame(c, LowerBox(160, -192, 240, -160), hasKey);
    PaintKeyIcon(c, LowerBox(165, -186, 200, -166), hasKey);
    PaintCrosshairHalf(c, false);
    return c;
}

std::vector<std::string> HudImageNames()
{
    using namespace game_assets;
    return {kHudNoHealth, kHudHealth[0], kHudHealth[1], kHudHealth[2], kHudHealth[3],
            kHudHealth[4], kHudEmpty, kHudKeys, kHudMedikits, kHudBoth};
}

void WriteHudImages(OutputFolder& out)
{
    // Uncompressed: the readers warn about run-length encoded 32-bit files.
    out.SaveTga(game_assets::kHudNoHealth, PaintUpperHud(0), true, TgaCompression::kNone);
    for (int health = 1; health <= 5; ++health) {
        out.SaveTga(game_assets::kHudHealth[health - 1], PaintUpperHud(health), true, TgaCompression::kNone);
    }
    out.SaveTga(game_assets::kHudEmpty, PaintLowerHud(false, false), true, TgaCompression::kNone);
    out.SaveTga(game_assets::kHudKeys, PaintLowerHud(true, false), true, TgaCompression::kNone);
    out.SaveTga(game_assets::kHudMedikits, PaintLowerHud(false, true), true, TgaCompression::kNone);
    out.SaveTga(game_assets::kHudBoth, PaintLowerHud(true, true), true, TgaCompression::kNone);
}

}  // namespace assetgen
