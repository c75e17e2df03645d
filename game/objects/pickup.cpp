// Taking pickups and drawing the wall-standing ones.
#include "game/objects/pickup.h"

#include <GL/gl.h>

#include <typeinfo>

#include "framework/load3ds/model.h"
#include "framework/load3ds/model_ex.h"
#include "game/objects/player.h"
#include "game/objects/state_fields.h"
#include "game/render/model_cache.h"

void Pickup::OnCollision(CObject* other) {
    auto* player = dynamic_cast<Player*>(other);
    if (!player || taken) return;
    taken = true;
    Give(*player);
}

ondra::Model* Pickup::FetchModel(const std::string& name, float scale) const {
    return modelCache ? modelCache->Fetch(name, scale) : nullptr;
}

bool Pickup::LookOf(const ondra::Model* model, int turn, ObjectLook& look) const {
    if (model)
        for (const ondra::Material& material : model->GetData().materials)
            if (material.opacity < 1.0f) return false;
    look.kind = &typeid(*this);
    look.model = model;
    look.position = position;
    look.turn = turn;
    return true;
}

WallPickup::WallPickup(ModelCache* models, const char* fullModel, const char* emptyModel, float scale)
    : Pickup(models), full(FetchModel(fullModel, scale)), empty(FetchModel(emptyModel, scale)) {}

float WallPickup::WallTurn() const { return MapWallTurn(static_cast<Facing>(orientation)); }

bool WallPickup::Look(ObjectLook& look) const { return LookOf(taken ? empty : full, orientation, look); }

void WallPickup::Draw() {
    glTranslatef(position.x, position.y, position.z);
    StandUp();
    ondra::Model* model = taken ? empty : full;
    if (model) model->Draw(ondra::DRAW_MATERIALS);
}

std::string Pickup::PickupStateLine(const char* kind) const {
    return std::string("pickup kind=") + kind + " taken=" + StateFlag(taken) + StatePosition(position);
}

void WallPickup::HangFromMap(const MapPlacement& placed) {
    radius = placed.radius;
    position = placed.position;
    orientation = placed.facing;
}
