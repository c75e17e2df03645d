// Drawing the head-up display.
#include "game/world/hud.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstdio>

#include "framework/glwindow.h"
#include "game/level_file/level_rules.h"
#include "game/objects/player.h"
#include "game/render/texture_cache.h"

namespace {

// Eye-space depth of the panels: with the 55-degree view of a square window,
// the two panels together just cover it.
constexpr float kPanelDepth = -2.0f;
constexpr float kPanelHalfWidth = 1.4f;
constexpr float kPanelHeight = 1.1f;

// One panel from y = bottom to bottom + kPanelHeight.
void DrawPanel(float bottom) {
    const float top = bottom + kPanelHeight;
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-kPanelHalfWidth, bottom, kPanelDepth);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(kPanelHalfWidth, bottom, kPanelDepth);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(kPanelHalfWidth, top, kPanelDepth);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-kPanelHalfWidth, top, kPanelDepth);
    glEnd();
}

// Where the panel from y = bottom lands in the window. The panel faces the
// eye, so its picture maps onto the window linearly. False when the
// projection puts it nowhere.
bool PlacePanel(float bottom, GLint viewport[4], PanelPlacement& at) {
    static const double kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    double projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0, z = 0;
    if (!gluProject(-kPanelHalfWidth, bottom, kPanelDepth, kIdentity, projection, viewport, &x0, &y0, &z) ||
        !gluProject(kPanelHalfWidth, bottom + kPanelHeight, kPanelDepth, kIdentity, projection, viewport, &x1, &y1,
                    &z))
        return false;
    at = {static_cast<float>(x0), static_cast<float>(x1), static_cast<float>(y0), static_cast<float>(y1)};
    return true;
}

// The bound texture's alpha, read back once: where its panel shows.
void ReadCoverage(AlphaCoverage& coverage) {
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    if (width <= 0 || height <= 0) return;
    std::vector<unsigned char> alpha(static_cast<size_t>(width) * static_cast<size_t>(height));
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_ALPHA, GL_UNSIGNED_BYTE, alpha.data());
    glPopClientAttrib();
    coverage.Build(alpha.data(), width, height);
}

std::string Number(int value) { return std::to_string(value); }

}  // namespace

const char* UpperPanelImage(int health) {
    using game_assets::kHudHealth;
    if (health >= 1 && health <= 5) return kHudHealth[health - 1];
    return game_assets::kHudNoHealth;
}

const char* LowerPanelImage(bool hasKeys, bool hasMedikits) {
    using namespace game_assets;
    if (hasKeys) return hasMedikits ? kHudBoth : kHudKeys;
    return hasMedikits ? kHudMedikits : kHudEmpty;
}

std::vector<HudText> HudTexts(const Player& player, int width, int height) {
    std::vector<HudText> texts;
    HudTexts(player, width, height, texts);
    return texts;
}

void HudTexts(const Player& player, int width, int height, std::vector<HudText>& texts) {
    // Integer halves and fractions, as pixel positions; only the
    // ammunition's x is a true fraction of the width.
    const int w = width;
    const int h = height;
    texts.clear();
    if (player.hasWeapon) {
        char line[32];
        std::snprintf(line, sizeof line, "%d / %d", player.ammo, player.clips * Player::kClipSize);
        texts.push_back({static_cast<float>(w) / 20.0f, static_cast<float>(h / 2 - h / 7), line});
    }
    if (player.medikits > 0) {
        texts.push_back({static_cast<float>(-w / 2 + w / 10), static_cast<float>(-h / 2 + h / 6),
                         Number(player.medikits)});
    }
    if (!player.keys.empty()) {
        texts.push_back({static_cast<float>(w / 2 - w / 10), static_cast<float>(-h / 2 + h / 7),
                         Number(static_cast<int>(player.keys.size()))});
    }
}

Hud::Hud(TextureCache* textures, const Player* player, ondra::GLWindow* window)
    : textures(textures), player(player), window(window) {
    panels.reserve(10);  // one for each panel image
}

void Hud::Draw() {
    if (!player) return;
    DrawPanels();
    if (window) DrawTexts();
}

Hud::Panel* Hud::BindPanel(const char* image) {
    Panel* panel = nullptr;
    if (textures) {
        auto kept = std::find_if(panels.begin(), panels.end(), [image](const Panel& p) { return p.image == image; });
        if (kept == panels.end()) kept = panels.insert(kept, Panel{image, KeptTexture(textures, image), {}, false});
        panel = &*kept;
    }
    const GLuint texture = panel ? panel->texture.Get() : 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    if (panel && texture != 0 && !panel->coverageRead) {
        ReadCoverage(panel->coverage);
        panel->coverageRead = true;
    }
    return panel;
}

void Hud::DrawPanels() {
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);

    const Panel* upper = BindPanel(UpperPanelImage(player->health));
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    DrawPanelWhereSeen(0.0f, upper);
    const Panel* lower = BindPanel(LowerPanelImage(!player->keys.empty(), player->medikits > 0));
    DrawPanelWhereSeen(-kPanelHeight, lower);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
    glDisable(GL_BLEND);
}

// Expects the panel's texture bound and an identity modelview.
void Hud::DrawPanelWhereSeen(float bottom, const Panel* panel) {
    GLint viewport[4] = {0, 0, 0, 0};
    PanelPlacement at{};
    if (!skipClearTexels || !panel || panel->coverage.Empty() || !PlacePanel(bottom, viewport, at)) {
        DrawPanel(bottom);
        return;
    }
    const std::vector<ScissorRect>& rects =
        scissorRects.Compute(panel->coverage, at, viewport[0] + viewport[2], viewport[1] + viewport[3]);
    glEnable(GL_SCISSOR_TEST);
    for (const ScissorRect& rect : rects) {
        glScissor(rect.x, rect.y, rect.width, rect.height);
        DrawPanel(bottom);
    }
    glDisable(GL_SCISSOR_TEST);
}

void Hud::DrawTexts() {
    const int w = window->Width();
    const int h = window->Height();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(-w / 2, w / 2, -h / 2, h / 2);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(0.0f, 1.0f, 0.0f);
    if (!fontPrepared) {
        window->Printf("%s", "");
        fontPrepared = true;
    }
    HudTexts(*player, w, h, texts);
    for (const HudText& text : texts) {
        glRasterPos2f(text.x, text.y);
        window->Printf("%s", text.text.c_str());
    }
}
