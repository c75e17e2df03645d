// Who uses each image the game looks up by name.
#include "game/level_file/asset_names.h"

namespace game_assets {
const std::vector<LookedUpImage> kLookedUpImages = {
    {kHudNoHealth, "the HUD"},  {kHudHealth[0], "the HUD"}, {kHudHealth[1], "the HUD"},
    {kHudHealth[2], "the HUD"}, {kHudHealth[3], "the HUD"}, {kHudHealth[4], "the HUD"},
    {kHudEmpty, "the HUD"},     {kHudKeys, "the HUD"},      {kHudMedikits, "the HUD"},
    {kHudBoth, "the HUD"},
    {kBoltFlare, "the player's bolt"},
    {kFlame, "the flames of creatures and generators"},
    {kMuzzleFlash, "the creatures' muzzle flash"},
    {kCreatureShot, "the creatures' shots"},
    {kStorm, "the generators' lightning"},
    {kLightning, "the generators' electricity"},
};
}  // namespace game_assets
