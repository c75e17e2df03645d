// The level file's grammar: reads map.txt's whitespace-separated tokens
// into a plain description of its entries, in file order. Nothing here
// touches GL, the caches or the world; level_rules.h says what the game
// makes of the entries, and the map loader builds from both.
//
// Any byte sequence is a valid input: unknown words are skipped, a list or
// section cut off by the end of the file ends there, and the description
// never grows faster than the file, since each entry needs tokens of its own.
//
// Every token's line is kept (lines count from 1), and so is every token the
// grammar reads past without using, so that a checking tool can say where
// the file and the game part ways; the loader ignores both.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <variant>
#include <vector>

#include "game/level_file/object_kinds.h"

enum class MapFaceSlot { kWest, kEast, kNorth, kSouth, kCeiling, kFloor };

// "north { WALL wallpanel.jpg }". The type is empty when the file ended
// before it; a face without a texture name has an empty texture.
struct MapFace {
    MapFaceSlot slot = MapFaceSlot::kNorth;
    std::string type;
    std::string texture;
    int line = 0;         // of the slot word
    int textureLine = 0;  // of the texture name; 0 without one
};

// One entry of a "liveobjects" section. Only the fields of its kind are read
// (MapObjectFields): keyId, side and texture (empty for none), model.
struct MapObject {
    MapObjectKind kind = MapObjectKind::kLight;
    int keyId = 0;
    std::string side;
    std::string texture;
    std::string model;
    int line = 0;  // of the kind word
    // Of the side word, the texture and the key's model; 0 for a field the
    // object has not.
    int sideLine = 0;
    int textureLine = 0;
    int modelLine = 0;
};

using MapBlockItem = std::variant<MapFace, MapObject>;

// "block R C { ... }": faces and objects in the order the file gives them,
// which matters: a wall-mounted pickup hangs on the walls read before it.
struct MapBlock {
    int row = 0;
    int column = 0;
    std::vector<MapBlockItem> items;
    int line = 0;  // of the word "block"
};

struct MapSize {
    int rows = 0;
    int columns = 0;
    int line = 0;  // of the keyword
};

struct MapBlockSize {
    int size = 0;
    int line = 0;  // of the keyword
};

// Sky texture names in the order west, east, top, bottom, north, south; a
// file that ends early gives fewer than six.
struct MapSkybox {
    std::vector<std::string> names;
    std::vector<int> lines;  // of each name
    int line = 0;            // of the keyword
};

enum class MapResourceKind { kModels, kHud, kFx };

struct MapResources {
    MapResourceKind kind = MapResourceKind::kModels;
    std::vector<std::string> names;
    std::vector<int> lines;  // of each name
    int line = 0;            // of the keyword
};

using MapEntry = std::variant<MapSize, MapBlockSize, MapSkybox, MapResources, MapBlock>;

// Why the grammar read past a token without using it.
enum class MapSkipReason {
    kUnknownWord,         // no entry starts with it where it stands
    kIgnoredEntry,        // "textures": read, with the word after it, and nothing loaded
    kNotAnOpeningBrace,   // stands where a "{" is read and discarded
    kNotAClosingBrace,    // stands where a "}" is read and discarded
    kNotANumber,          // read as a number, but not all of it is one ("2x" reads as 2)
    kOutOfRange,          // a whole number beyond the int range, read as the nearest end of it
};

struct MapSkippedToken {
    std::string text;
    int line = 0;
    int index = 0;  // the token's place in the file, from 0: runs of skipped words follow each other
    MapSkipReason why = MapSkipReason::kUnknownWord;
};

struct MapDescription {
    std::vector<MapEntry> entries;
    // In file order. A token that is read as a number but is not one is
    // still used (as its leading digits); every other one was skipped.
    std::vector<MapSkippedToken> skipped;
    // The line of the keyword of the top-level entry the end of the file
    // cut off; 0 when every entry was complete.
    int unfinishedLine = 0;
    // A read error (not the end of the file) stopped the reading; the
    // entries hold what came before it.
    bool readError = false;
    // How many tokens were cut to kMaxMapTokenLength.
    int shortenedTokens = 0;
};

// Longer tokens are cut to this many characters, so that a file without
// whitespace cannot make one token of any size. No keyword or usable file
// name is that long.
constexpr std::size_t kMaxMapTokenLength = 4096;

MapDescription ReadMap(std::istream& in);

// The number at the start of the token, as atoi reads it ("12ab" is 12,
// "ab" is 0), but held to the int range instead of overflowing.
int MapNumber(const std::string& token);
// Whether the number at the start of the token lies in the int range, so
// that MapNumber gives it unchanged.
bool FitsInInt(const std::string& token);

// The word that names a face slot ("west", ..., "ceiling", "floor").
const char* MapSlotWord(MapFaceSlot slot);
