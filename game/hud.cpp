// Drawing the head-up display.
#include "game/hud.h"

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
    panelTextures.reserve(10);  // one for each panel image
}

void Hud::Draw() {
    if (!player) return;
    DrawPanels();
    if (window) DrawTexts();
}

void Hud::BindPanel(const char* image) {
    GLuint texture = 0;
    if (textures) {
        auto kept = std::find_if(panelTextures.begin(), panelTextures.end(),
                                 [image](const auto& entry) { return entry.first == image; });
        if (kept == panelTextures.end()) kept = panelTextures.insert(kept, {image, KeptTexture(textures, image)});
        texture = kept->second.Get();
    }
    glBindTexture(GL_TEXTURE_2D, texture);
}

void Hud::DrawPanels() {
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);

    BindPanel(UpperPanelImage(player->health));
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    DrawPanel(0.0f);
    BindPanel(LowerPanelImage(!player->keys.empty(), player->medikits > 0));
    DrawPanel(-kPanelHeight);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
    glDisable(GL_BLEND);
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
