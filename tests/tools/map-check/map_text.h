// Small maps for the map-check tests: a first line that names every file
// the game looks up (so that a small map has nothing to say about them),
// and one-line blocks.
#pragma once

#include <string>
#include <vector>

#include "tools/map-check/map_check.h"

namespace mapcheck::test {

// Line 1 of every test map: block size, sky, the models every object and
// the arms need (but for keyblue.3DS, which tests list themselves), the
// HUD and effect images. All of them lie in the generated data folder.
extern const char* const kHeader;

// A block on one line with a ceiling, a floor and a wall on each side
// named by `walls` ("n", "s", "w", "e" in any order), then `extra` inside
// the block's braces.
std::string Room(int row, int column, const std::string& walls, const std::string& extra = "");
// "liveobjects { ... }".
std::string Objects(const std::string& objects);

// The header, then `text` from line 2 on.
std::string WithHeader(const std::string& text);

// A `size` x `size` map of empty cells (the player may walk there) with
// `doors` closets in rows 3, 5, ... and every other column, each shut by a
// locked door on its south side, for a map-check that must stay fast on
// large maps. Door N needs key N. In a chain, key 1 lies in the entrance
// and closet N holds key N + 1, so each door opens only after the one
// before it; otherwise every closet holds the key to its own door. Without
// the header line.
std::string LockedDoorMap(int size, int doors, bool chain);

// Checks the map text with the generated data folder and gives the lines
// map-check prints for it as "map.txt:LINE: ...", sorted as it prints
// them, without the summary.
std::vector<std::string> CheckLines(const std::string& text, const std::string& dataDir = ONDRA_DATA_DIR);

}  // namespace mapcheck::test
