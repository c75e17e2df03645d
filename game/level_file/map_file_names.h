// The file names a map gives, and which of them the game must not read: a
// map may come from anyone, and its names are looked up in the data folder
// only, never anywhere else the player's files lie.
#pragma once

#include <string>
#include <vector>

#include "game/level_file/map_reader.h"

struct MapFileName {
    std::string name;
    int line = 0;
    std::string entry;  // what gave it: "skybox", "models", "north", "KEY", ...
};

// Every file name the map's entries give, in file order.
std::vector<MapFileName> MapFileNames(const MapDescription& map);

// Why the game refuses to read the file a map names, or empty when the name
// stays inside the data folder: "it is an absolute path" (/etc/x, \x,
// C:x) or "it has a '..' component".
std::string WhyNameLeavesDataFolder(const std::string& name);
