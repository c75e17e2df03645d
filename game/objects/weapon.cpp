// The weapon rack.
#include "game/objects/weapon.h"

#include <GL/gl.h>

#include <algorithm>

#include "game/level_file/level_rules.h"
#include "game/objects/player.h"

Weapon::Weapon(ModelCache* models, float scale)
    : WallPickup(models, game_assets::kFullRack, game_assets::kEmptyRack, scale) {}

void Weapon::Give(Player& player) {
    player.hasWeapon = true;
    player.clips += kSpareClips;
    player.ammo = std::min(player.ammo + Player::kClipSize, Player::kClipSize);
}

void Weapon::StandUp() const { glRotatef(WallTurn(), 0.0f, 1.0f, 0.0f); }

std::string Weapon::StateLine() const { return PickupStateLine("weapon"); }

std::unique_ptr<CObject> Weapon::FromMap(const MapObject& entry, const MapPlacement& placed,
                                            const MapObjectSetting& setting) {
    (void)entry;
    auto pickup = std::make_unique<Weapon>(setting.models, placed.modelScale);
    pickup->HangFromMap(placed);
    return pickup;
}
