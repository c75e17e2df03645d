// The tool box with the flashlight.
#include "game/objects/flashlight.h"

#include <GL/gl.h>

#include "game/level_file/level_rules.h"
#include "game/objects/player.h"

Flashlight::Flashlight(ModelCache* models, float scale)
    : WallPickup(models, game_assets::kToolBox, game_assets::kEmptyToolBox, scale) {}

void Flashlight::Give(Player& player) { player.hasFlashlight = true; }

// The box model lies on its side in its file; these turns stand it on the
// floor with its vertical axis along the model's z.
void Flashlight::StandUp() const {
    glRotatef(-90.0f, 0.0f, 0.0f, 1.0f);
    glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);
    glRotatef(WallTurn(), 0.0f, 0.0f, 1.0f);
}

std::string Flashlight::StateLine() const { return PickupStateLine("flashlight"); }

std::unique_ptr<CObject> Flashlight::FromMap(const MapObject& entry, const MapPlacement& placed,
                                            const MapObjectSetting& setting) {
    (void)entry;
    auto pickup = std::make_unique<Flashlight>(setting.models, placed.modelScale);
    pickup->HangFromMap(placed);
    return pickup;
}
