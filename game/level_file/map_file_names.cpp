// Listing a map's file names and judging where they lead.
#include "game/level_file/map_file_names.h"

#include <variant>

namespace {

const char* ResourceWord(MapResourceKind kind) {
    switch (kind) {
        case MapResourceKind::kModels: return "models";
        case MapResourceKind::kHud: return "hud";
        case MapResourceKind::kFx: return "fx";
    }
    return "models";
}

void AddBlockNames(const MapBlock& block, std::vector<MapFileName>& names) {
    for (const MapBlockItem& item : block.items) {
        if (const auto* face = std::get_if<MapFace>(&item)) {
            if (!face->texture.empty()) names.push_back({face->texture, face->textureLine, MapSlotWord(face->slot)});
            continue;
        }
        const MapObject& object = std::get<MapObject>(item);
        if (!object.texture.empty()) names.push_back({object.texture, object.textureLine, MapKindWord(object.kind)});
        if (!object.model.empty()) names.push_back({object.model, object.modelLine, MapKindWord(object.kind)});
    }
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

}  // namespace

std::vector<MapFileName> MapFileNames(const MapDescription& map) {
    std::vector<MapFileName> names;
    for (const MapEntry& entry : map.entries) {
        if (const auto* sky = std::get_if<MapSkybox>(&entry)) {
            for (size_t i = 0; i < sky->names.size(); ++i) names.push_back({sky->names[i], sky->lines[i], "skybox"});
        } else if (const auto* list = std::get_if<MapResources>(&entry)) {
            for (size_t i = 0; i < list->names.size(); ++i)
                names.push_back({list->names[i], list->lines[i], ResourceWord(list->kind)});
        } else if (const auto* block = std::get_if<MapBlock>(&entry)) {
            AddBlockNames(*block, names);
        }
    }
    return names;
}

std::string WhyNameLeavesDataFolder(const std::string& name) {
    // Both separators count: the Windows build reads either, and a map is
    // meant for both.
    const bool drive = name.size() >= 2 && name[1] == ':';
    if ((!name.empty() && IsSeparator(name[0])) || drive) return "it is an absolute path";
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = start;
        while (end < name.size() && !IsSeparator(name[end])) ++end;
        if (name.compare(start, end - start, "..") == 0 && end - start == 2) return "it has a '..' component";
        start = end + 1;
    }
    return std::string();
}
