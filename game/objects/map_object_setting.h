// MapObjectSetting: what the objects a map places are made with, the caches
// they draw from and the parts of the world they watch, so that each kind
// makes itself from its map entry (a static FromMap beside its class) and
// the loader only hands the made object to its group.
#pragma once

#include <memory>
#include <string>

#include "game/level_file/level_rules.h"

class CObject;
class Level;
class LevelCollider;
class ModelCache;
class Player;
class TextureCache;

struct MapObjectSetting {
    ModelCache* models = nullptr;
    TextureCache* textures = nullptr;  // null: nothing is textured
    LevelCollider* collider = nullptr;
    Level* level = nullptr;
    const CObject* doors = nullptr;  // the door group, which creatures look through
    Player* player = nullptr;

    // The texture to bind for an image the entry names, loaded when its
    // name is first read; a name that would not load is reported by the
    // cache and drawn untextured. 0 without a texture cache.
    unsigned int Texture(const std::string& name) const;
};

// How a kind is made from its entry, once placed.
using MakeMapObject = std::unique_ptr<CObject> (*)(const MapObject& entry, const MapPlacement& placed,
                                                   const MapObjectSetting& setting);
