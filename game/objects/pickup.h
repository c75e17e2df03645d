// Pickup: something the player collects by touching it once. Its effect on
// the player's inventory happens at the first touch and never again; what
// stays behind is drawn by each kind. WallPickup is the kind that stands
// against a wall of its block and shows an emptied model once taken.
#pragma once

#include <string>

#include "game/level/block.h"
#include "game/level_file/level_rules.h"
#include "game/objects/object.h"

namespace ondra {
class Model;
}
class ModelCache;
class Player;

class Pickup : public CObject {
public:
    // The first touch by a player takes the pickup and gives its effect.
    void OnCollision(CObject* other) override;

    bool taken = false;

protected:
    explicit Pickup(ModelCache* models) : modelCache(models) {}
    virtual void Give(Player& player) = 0;
    // "pickup kind=KIND taken=T" and the position.
    std::string PickupStateLine(const char* kind) const;
    // The cached model, loaded on first use and set to `scale`; null without
    // a cache.
    ondra::Model* FetchModel(const std::string& name, float scale) const;
    // The look of a pickup of this kind showing `model` (null: nothing),
    // turned to `turn`; false for a model with a see-through surface.
    bool LookOf(const ondra::Model* model, int turn, ObjectLook& look) const;

    ModelCache* modelCache;
};

class WallPickup : public Pickup {
public:
    // At its position, turned away from its wall into the block: the full
    // model until taken, the empty one after.
    void Draw() override;
    // The model shown, its place and its wall, for the kind that draws it.
    bool Look(ObjectLook& look) const override;

    int orientation = kFacingNorth;  // the wall it stands against

protected:
    WallPickup(ModelCache* models, const char* fullModel, const char* emptyModel, float scale);
    // At the placed spot, against the wall it was placed on.
    void HangFromMap(const MapPlacement& placed);
    // The kind's own turns that stand its model up, ending with WallTurn
    // about the model's vertical axis.
    virtual void StandUp() const = 0;
    // Degrees about the model's vertical axis that face it away from its
    // wall (MapWallTurn).
    float WallTurn() const;

private:
    ondra::Model* full;
    ondra::Model* empty;
};
