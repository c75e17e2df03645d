// MapCheck: reads a level file with the game's reader and says what in it
// the game will not do as the map says, each finding tied to a line:
//
// Errors (the level does not work as written):
// - a file the map names (sky, HUD or effect image, texture, model, key
//   model) that is missing or does not load with the game's readers;
// - a block outside the map size, or before any "mapsize"; a map size the
//   game refuses; no "mapsize" at all; a "blocksize" other than 3;
// - a door whose side word is no side; a wall-mounted pickup (weapon, tool
//   box, medikit) in a block without a wall read before it;
// - an object that needs a model no "models" entry has loaded before it
//   (a "models" entry that comes too late); arm models no entry loads;
// - an entrance (block 1 1, west side, where the ramp meets the compound)
//   closed by a wall, or no block there;
// - a locked door whose key cannot be reached from the entrance without
//   passing that door or another door whose key lies behind it.
//
// Warnings (it works, but probably not as meant):
// - words the reader skips: unknown words, the "textures" entry, tokens
//   where a brace belongs, numbers with tails; numbers beyond the int
//   range; a file that ends inside an entry; overlong words;
// - a block's outer side facing the outside of the map with no wall, an
//   empty cell on the map's edge, a side open onto rock, a wall that can be
//   seen from one side only (walls face into their block);
// - two blocks in one cell, a face given twice, a "mapsize" that drops
//   blocks, a face whose type word is not its slot's (not drawn, yet
//   solid), an untextured face or door, a floor without a ceiling and the
//   reverse;
// - a door on a side with no block beyond it, in a wall, or sharing its
//   side with another door; a key that opens no door; an object in a block
//   without a floor; a generator on a corner where walls meet; blocks no
//   way from the entrance leads to;
// - more than 50 textures for the game's texture cache; a texture the game
//   looks up by name that the map never loads; a sky of fewer than six
//   faces; a lamp sharing its GL light with another lamp in sight of it; a
//   model whose own textures do not load.
#pragma once

#include <istream>
#include <memory>
#include <string>

#include "game/level_file/level_rules.h"
#include "game/level_file/map_reader.h"
#include "tools/map-check/file_check.h"
#include "tools/map-check/findings.h"
#include "tools/map-check/map_model.h"

namespace mapcheck {

struct CheckOptions {
    // Where the map's file names are looked up, as the game looks them up
    // in its data folder.
    std::string dataDir = ".";
    // Whether to look at the files at all.
    bool checkFiles = true;
    // Results of earlier checks of the same folder to reuse; null for a
    // check of its own.
    FileCheck* files = nullptr;
};

// How many textures the game's texture cache holds.
constexpr int kTextureCacheSlots = kTextureSlots;

// The planet surface: loaded by the game from its data folder, not named
// in the map.
constexpr const char* kSurfaceModel = "surface.3DS";

class MapCheck {
public:
    // Reads the map and checks it.
    MapCheck(std::istream& in, const CheckOptions& options);
    MapCheck(const MapCheck&) = delete;
    MapCheck& operator=(const MapCheck&) = delete;

    const MapDescription& Description() const { return description; }
    const MapModel& Model() const { return model; }
    const Findings& Results() const { return findings; }
    int Errors() const { return findings.Count(Severity::kError); }
    int Warnings() const { return findings.Count(Severity::kWarning); }

private:
    MapDescription description;
    MapModel model;
    Findings findings;
};

// Reads and checks the file; null when it cannot be read, or is no regular
// file, with the reason in `whyNot`.
std::unique_ptr<MapCheck> CheckMapFile(const std::string& path, const CheckOptions& options,
                                       std::string* whyNot = nullptr);

// The folder a map's names are looked up in by default: the folder the map
// lies in, as the game finds its data where map.txt is.
std::string DataDirOf(const std::string& mapPath);

// Whether a straight line from the middle of one cell to the middle of the
// other passes no drawn wall (either block's wall on a side it crosses).
// Doors do not block it: they open.
bool InSight(const MapModel& model, int row0, int column0, int row1, int column1);

}  // namespace mapcheck
