// BuildWorld: fills a world from its data folder once a GL context is
// current: the level's face lists, the map with every object it places, the
// player's arms, the groups' bounding spheres and the planet surface.
#pragma once

#include <string>

struct World;

// Reads `mapFile` (relative to the working directory, the data folder). A
// missing surface model is said on standard output and the world goes on
// without it. A map that cannot be opened is said on standard error and
// ends the program with exit status 1, as a missing model does.
void BuildWorld(World& world, const std::string& mapFile = "map.txt");
