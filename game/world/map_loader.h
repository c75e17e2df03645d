// LoadMap: builds the compound from the level file: the grid and its
// faces, the sky, the preloaded models and textures, and every door, lamp,
// pickup, creature and generator, each attached to its object group in the
// order the file lists them.
#pragma once

#include <memory>
#include <string>

#include "game/level_file/level_rules.h"

class Block;
class BlockPart;
struct World;

// Reads the file and builds what it describes into the world: its level,
// its caches (the level's texture cache for images) and its groups. The
// level's face lists must already be built, and a GL context current for
// the textures.
//
// False when the file cannot be opened or a read error stops it; what was
// read before an error is built all the same. Nothing is printed for that:
// the caller decides how to report it. Problems inside the file (a block
// outside the grid, a door on no side, a wall-mounted pickup in a block
// without walls) skip the entry with a warning on standard error.
//
// An object whose models cannot be had ends the program at the model lookup,
// as every lookup of a missing model does.
bool LoadMap(const std::string& fileName, World& world, LampCounter& lamps = LampCounter::ProgramWide());

// The place in the block that a face entry of that slot fills.
std::unique_ptr<BlockPart>& FaceSlot(Block& block, MapFaceSlot slot);
