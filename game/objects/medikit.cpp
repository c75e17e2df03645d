// The medikit cabinet.
#include "game/objects/medikit.h"

#include <GL/gl.h>

#include "game/level_file/level_rules.h"
#include "game/objects/player.h"

Medikit::Medikit(ModelCache* models, float scale)
    : WallPickup(models, game_assets::kMedikit, game_assets::kEmptyMedikit, scale) {}

void Medikit::Give(Player& player) { ++player.medikits; }

// The cabinet is modelled z-up; its vertical axis is the model's z.
void Medikit::StandUp() const {
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(WallTurn(), 0.0f, 0.0f, 1.0f);
}

std::string Medikit::StateLine() const { return PickupStateLine("medikit"); }

std::unique_ptr<CObject> Medikit::FromMap(const MapObject& entry, const MapPlacement& placed,
                                            const MapObjectSetting& setting) {
    (void)entry;
    auto pickup = std::make_unique<Medikit>(setting.models, placed.modelScale);
    pickup->HangFromMap(placed);
    return pickup;
}
