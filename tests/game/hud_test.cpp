// The HUD: which panel images the player's state picks, where its numbers
// go for a window's size, and what a drawn HUD puts on the screen.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "game/hud.h"
#include "game/level.h"
#include "game/level_collider.h"
#include "game/player.h"
#include "game/texture_cache.h"
#include "tests/framework/window_fixture.h"
#include "tests/support/gl_context.h"

namespace {

TEST(Hud, PanelImagesFollowHealthKeysAndMedikits) {
    struct Upper {
        int health;
        const char* image;
    };
    for (const Upper& c : {Upper{5, "hudU5.tga"}, Upper{4, "hudU4.tga"}, Upper{1, "hudU1.tga"},
                           Upper{0, "hudU.tga"}, Upper{-1, "hudU.tga"}, Upper{6, "hudU.tga"}}) {
        EXPECT_STREQ(UpperPanelImage(c.health), c.image) << "health " << c.health;
    }
    EXPECT_STREQ(LowerPanelImage(false, false), "hudL.tga");
    EXPECT_STREQ(LowerPanelImage(true, false), "hudLKey.tga");
    EXPECT_STREQ(LowerPanelImage(false, true), "hudLMed.tga");
    EXPECT_STREQ(LowerPanelImage(true, true), "hudLBoth.tga");
}

std::string Describe(const std::vector<HudText>& texts) {
    std::string out;
    for (const HudText& t : texts) out += "(" + std::to_string(t.x) + "," + std::to_string(t.y) + ") " + t.text + "; ";
    return out;
}

TEST(Hud, NumbersAndTheirPlacesForTheWindowSize) {
    Level level(nullptr);
    LevelCollider collider;
    CObject bolts;
    Player player(&level, &collider, nullptr, &bolts);
    player.ammo = 12;
    player.clips = 2;
    player.medikits = 1;
    player.keys = {3, 7};

    player.hasWeapon = true;
    EXPECT_EQ(Describe(HudTexts(player, 512, 512)),
              Describe({{25.6f, 183, "12 / 30"}, {-205, -171, "1"}, {205, -183, "2"}}));
    EXPECT_EQ(Describe(HudTexts(player, 640, 480)),
              Describe({{32, 172, "12 / 30"}, {-256, -160, "1"}, {256, -172, "2"}}));
    // Odd sizes: every fraction but the ammunition's x is a whole number.
    EXPECT_EQ(Describe(HudTexts(player, 301, 199)),
              Describe({{15.05f, 71, "12 / 30"}, {-120, -66, "1"}, {120, -71, "2"}}));

    player.hasWeapon = false;
    player.medikits = 0;
    player.keys.clear();
    EXPECT_TRUE(HudTexts(player, 512, 512).empty());
}

}  // namespace
