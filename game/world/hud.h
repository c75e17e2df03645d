// Hud: the head-up display over the 3D view. Two translucent full-width
// panels (health above; keys and medikits below) and three green numbers:
// ammunition, medikits and keys.
#pragma once

#include <string>
#include <vector>

#include "game/objects/player.h"
#include "game/render/panel_coverage.h"
#include "game/render/texture_cache.h"

namespace ondra {
class GLWindow;
}

// A number of the HUD with its raster position in the window-centred
// orthographic frame (origin in the middle, y up).
struct HudText {
    float x;
    float y;
    std::string text;
};

class Hud : public PlayerOverlay {
public:
    // None of the three is owned; the window supplies its size and text.
    Hud(TextureCache* textures, const Player* player, ondra::GLWindow* window);

    // Called from the player's draw with the frame's perspective projection
    // current. Leaves an orthographic projection, an identity modelview,
    // lighting off, texturing on and the colour green.
    void Draw() override;

    // On (the default), each panel is drawn only over the window tiles
    // where its picture is not fully transparent, which leaves every pixel
    // as one draw of the whole panel does; off, the whole panel is drawn.
    void SetSkipClearTexels(bool on) { skipClearTexels = on; }

private:
    // A panel's picture: its texture and where its texels show.
    struct Panel {
        const char* image;
        KeptTexture texture;
        AlphaCoverage coverage;
        bool coverageRead;
    };

    void DrawPanels();
    void DrawTexts();
    Panel* BindPanel(const char* image);
    void DrawPanelWhereSeen(float bottom, const Panel* panel);

    TextureCache* textures;
    const Player* player;
    ondra::GLWindow* window;
    // The first text of a window builds its font; an empty print does that
    // before the first real number.
    bool fontPrepared = false;
    // Kept from frame to frame: the panels' textures by image name (the
    // names are the fixed strings of the two image functions) and the texts.
    std::vector<Panel> panels;
    std::vector<HudText> texts;
    bool skipClearTexels = true;
    PanelScissorRects scissorRects;
};

// The health panel's image: "hudU1.tga" to "hudU5.tga", "hudU.tga" for any
// other health.
const char* UpperPanelImage(int health);
// The inventory panel's image for whether keys and medikits are carried.
const char* LowerPanelImage(bool hasKeys, bool hasMedikits);
// The numbers the player's state shows, where a window of width by height
// shows them: ammunition only with the weapon, medikits and keys only when
// there are some.
std::vector<HudText> HudTexts(const Player& player, int width, int height);
// The same into `texts`, which keeps its storage.
void HudTexts(const Player& player, int width, int height, std::vector<HudText>& texts);
