// The names of the models and images the game looks up itself rather than
// reading them from the map: the objects' models, the player's arms, the
// surface, the effects and the HUD panels.
#pragma once

#include <vector>

namespace game_assets {
constexpr const char* kFullRack = "fullrack.3DS";
constexpr const char* kEmptyRack = "rack.3DS";
constexpr const char* kToolBox = "toolbox.3DS";
constexpr const char* kEmptyToolBox = "emptybox.3DS";
constexpr const char* kMedikit = "medikit.3DS";
constexpr const char* kEmptyMedikit = "emptykit.3DS";
constexpr const char* kVorlax = "vorlax.3DS";
constexpr const char* kDeadVorlax = "deadvorl.3DS";
constexpr const char* kGeneratorBase = "genbase.3DS";
constexpr const char* kGeneratorWreck = "gendead.3DS";
constexpr const char* kGeneratorCore = "gencore.3DS";
constexpr const char* kGunArm = "armgun.3DS";
constexpr const char* kTorchArm = "armtorch.3DS";
constexpr const char* kSurface = "surface.3DS";

constexpr const char* kBoltFlare = "flare.jpg";
constexpr const char* kFlame = "flame.jpg";
constexpr const char* kMuzzleFlash = "gunflare.jpg";
constexpr const char* kCreatureShot = "flarered.jpg";
constexpr const char* kStorm = "storm.jpg";
constexpr const char* kLightning = "lightning.jpg";
// The HUD's upper panel by health 1 to 5 (and below 1), and its lower
// panel by what the player carries.
constexpr const char* kHudHealth[] = {"hudU1.tga", "hudU2.tga", "hudU3.tga", "hudU4.tga", "hudU5.tga"};
constexpr const char* kHudNoHealth = "hudU.tga";
constexpr const char* kHudEmpty = "hudL.tga";
constexpr const char* kHudKeys = "hudLKey.tga";
constexpr const char* kHudMedikits = "hudLMed.tga";
constexpr const char* kHudBoth = "hudLBoth.tga";

// An image the game looks up by name, and who uses it.
struct LookedUpImage {
    const char* name;
    const char* user;
};
extern const std::vector<LookedUpImage> kLookedUpImages;
// Models the game looks up after the map is loaded.
constexpr const char* kArmModels[] = {kGunArm, kTorchArm};
}  // namespace game_assets
