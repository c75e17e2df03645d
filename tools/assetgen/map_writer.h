// map_writer: writes the compound as the level file map.txt: the header
// entries (size, block size, sky, models and images to preload) and one
// block entry per open block, plus invisible wall faces that seal the
// compound's footprint where rock meets the outside.
#pragma once

#include "tools/assetgen/compound_layout.h"

#include <string>
#include <vector>

namespace assetgen {

struct MapPreloads {
    std::vector<std::string> skybox;  // west, east, top, bottom, north, south
    std::vector<std::string> models;
    std::vector<std::string> hud;
    std::vector<std::string> fx;
};

std::string MapText(const CompoundLayout& layout, const MapPreloads& preloads);

}  // namespace assetgen
