// The HUD: which panel images the player's state picks, where its numbers
// go for a window's size, and what a drawn HUD puts on the screen.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <string>

#include "game/level/level.h"
#include "game/level/level_collider.h"
#include "game/objects/player.h"
#include "game/render/camera.h"
#include "game/render/texture_cache.h"
#include "game/world/hud.h"
#include "tests/framework/window_fixture.h"
#include "tests/support/gl_context.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/skip_or_fail.h"
#include "tests/support/in_folder.h"

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

// What the drawn HUD shows, not only what the choosers answer: each panel
// image is a plain colour of its own, so the colour in the middle of each
// half of the view names the image that panel bound.
TEST(Hud, TheDrawnPanelsShowTheImagesOfTheInventory) {
    ondra::test::ScopedGLContext context(64, 64);
    if (!context.ok()) ONDRA_SKIP_OR_FAIL("no GL context");
    const std::vector<std::string> images = {"hudU.tga", "hudU1.tga", "hudU2.tga", "hudU3.tga", "hudU4.tga",
                                             "hudU5.tga", "hudL.tga", "hudLKey.tga", "hudLMed.tga", "hudLBoth.tga"};
    ondra::test::ScratchFolder files;
    TextureCache cache(50);
    {
        const ondra::test::InFolder inFiles(files.Path());
        testing::internal::CaptureStdout();  // the BMP reader's lines
        for (size_t i = 0; i < images.size(); ++i) {
            ASSERT_TRUE(
                files.WriteImage(images[i], 20 + 23 * static_cast<int>(i), 250 - 23 * static_cast<int>(i), 128));
            ASSERT_TRUE(cache.Load(images[i]));
        }
        testing::internal::GetCapturedStdout();
    }
    // The image whose colour a pixel shows, by its red.
    const auto shown = [&](int y) {
        const int red = ondra::test::ReadPixel(32, y).r;
        const int i = (red - 20 + 11) / 23;
        return i >= 0 && i < static_cast<int>(images.size()) ? images[i] : "red " + std::to_string(red);
    };

    Level level(nullptr);
    LevelCollider collider;
    CObject bolts;
    Player player(&level, &collider, nullptr, &bolts);
    Hud hud(&cache, &player, nullptr);
    const struct {
        int health;
        std::vector<int> keys;
        int medikits;
        const char* upper;
        const char* lower;
    } cases[] = {
        {5, {}, 0, "hudU5.tga", "hudL.tga"},        {3, {2}, 0, "hudU3.tga", "hudLKey.tga"},
        {1, {}, 2, "hudU1.tga", "hudLMed.tga"},     {0, {1, 2}, 1, "hudU.tga", "hudLBoth.tga"},
        {-1, {}, 0, "hudU.tga", "hudL.tga"},
    };
    for (const auto& c : cases) {
        player.health = c.health;
        player.keys = c.keys;
        player.medikits = c.medikits;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        LoadGameProjection(1.0);
        glColor3f(1.0f, 1.0f, 1.0f);
        hud.Draw();
        glFinish();
        EXPECT_EQ(shown(48), c.upper) << "health " << c.health;
        EXPECT_EQ(shown(16), c.lower) << c.keys.size() << " keys, " << c.medikits << " medikits";
    }
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
