// The key on the floor.
#include "game/objects/key.h"

#include <GL/gl.h>

#include "framework/load3ds/model.h"
#include "game/objects/player.h"

Key::Key(ModelCache* models, const std::string& modelName, float scale)
    : Pickup(models), modelName(modelName), model(FetchModel(modelName, scale)) {}

// The same number twice is kept twice.
void Key::Give(Player& player) { player.keys.push_back(keyId); }

bool Key::Look(ObjectLook& look) const { return LookOf(taken ? nullptr : model, 0, look); }

void Key::Draw() {
    glTranslatef(position.x, position.y, position.z);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    if (!taken && model) model->Draw(ondra::DRAW_MATERIALS);
}

std::string Key::StateLine() const { return PickupStateLine("key") + " id=" + std::to_string(keyId); }

std::unique_ptr<CObject> Key::FromMap(const MapObject& entry, const MapPlacement& placed,
                                            const MapObjectSetting& setting) {
    auto key = std::make_unique<Key>(setting.models, entry.model, placed.modelScale);
    key->radius = placed.radius;
    key->position = placed.position;
    key->keyId = entry.keyId;
    return key;
}
