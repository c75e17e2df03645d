// The images a map's objects name.
#include "game/objects/map_object_setting.h"

#include "game/render/texture_cache.h"

unsigned int MapObjectSetting::Texture(const std::string& name) const {
    if (!textures) return 0;
    textures->Load(name);
    return textures->TextureToBind(name);
}
