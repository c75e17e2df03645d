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
