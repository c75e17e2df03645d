// Making a creature from its map entry, with its mesh under it. Apart from
// vorlax.cpp, since the mesh's own source includes the creature's header.
#include "game/objects/vorlax.h"
#include "game/objects/vorlax_mesh.h"

// The mesh is made first, as it fetches the models the creature's look
// needs; it hangs under the creature, which moves it.
std::unique_ptr<CObject> Vorlax::FromMap(const MapObject& entry, const MapPlacement& placed,
                                            const MapObjectSetting& setting) {
    (void)entry;
    auto mesh = std::make_unique<VorlaxMesh>(setting.models, setting.textures, setting.player);
    auto vorlax = std::make_unique<Vorlax>(setting.textures, setting.collider, setting.level);
    vorlax->SetDoors(setting.doors);
    vorlax->position = placed.position;
    vorlax->radius = placed.radius;
    mesh->position = vorlax->position;
    mesh.release()->AttachTo(vorlax.get());
    return vorlax;
}
