// Strict token reader for map.txt.
#include "map_reader.h"

#include <cstdlib>
#include <sstream>

namespace maptest {
namespace {

class Tokens {
public:
    explicit Tokens(const std::string& text)
    {
        std::istringstream in(text);
        std::string token;
        while (in >> token) {
            tokens.push_back(token);
        }
    }
    bool AtEnd() const { return next >= tokens.size(); }
    bool Take(std::string& token)
    {
        if (AtEnd()) {
            return false;
        }
        token = tokens[next++];
        return true;
    }

private:
    std::vector<std::string> tokens;
    size_t next = 0;
};

bool ParseInt(const std::string& token, int& value)
{
    char* end = nullptr;
    const long parsed = std::strtol(token.c_str(), &end, 10);
    if (token.empty() || *end != '\0') {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

struct Reader {
    Tokens& in;
    std::string* error;

    bool Fail(const std::string& message)
    {
        if (error != nullptr) {
            *error = message;
        }
        return false;
    }

    bool Expect(const std::string& wanted)
    {
        std::string token;
        if (!in.Take(token) || token != wanted) {
            return Fail("expected '" + wanted + "', found '" + token + "'");
        }
        return true;
    }

    bool Number(int& value)
    {
        std::string token;
        if (!in.Take(token) || !ParseInt(token, value)) {
            return Fail("expected a number, found '" + token + "'");
        }
        return true;
    }

    // "{" names "}"
    bool List(std::vector<std::string>& names)
    {
        if (!Expect("{")) {
            return false;
        }
        std::string token;
        while (in.Take(token)) {
            if (token == "}") {
                return true;
            }
            names.push_back(token);
        }
        return Fail("list not closed");
    }

    bool Face(FaceEntry& face)
    {
        face = {};
        face.present = true;
        std::vector<std::string> words;
        if (!List(words)) {
            return false;
        }
        if (words.empty() || words.size() > 2) {
            return Fail("a face holds a type and at most one texture");
        }
        face.type = words[0];
        if (words.size() == 2) {
            face.texture = words[1];
        }
        return true;
    }

    bool Objects(MapFile& map, const MapBlock& block)
    {
        if (!Expect("{")) {
            return false;
        }
        std::string kind;
        while (in.Take(kind)) {
            if (kind == "}") {
                return true;
            }
            static const char* const kKinds[] = {"LOCK_DOOR", "AUTO_DOOR", "LIGHT",  "WEAPON",   "FLASHLIGHT",
                                                 "MEDIKIT",   "KEY",       "VORLAX", "GENERATOR"};
            bool known = false;
            for (const char* k : kKinds) {
                known = known || kind == k;
            }
            if (!known) {
                return Fail("unknown object '" + kind + "'");
            }
            MapObject object;
            object.kind = kind;
            object.row = block.row;
            object.column = block.column;
            object.order = static_cast<int>(map.objects.size());
            if (!List(object.args)) {
                return false;
            }
            map.objects.push_back(object);
        }
        return Fail("liveobjects not closed");
    }

    bool Block(MapFile& map)
    {
        MapBlock block;
        if (!Number(block.row) || !Number(block.column) || !Expect("{")) {
            return false;
        }
        if (map.blocks.count({block.row, block.column}) != 0) {
            return Fail("block written twice");
        }
        std::string entry;
        while (in.Take(entry)) {
            if (entry == "}") {
                map.blocks[{block.row, block.column}] = block;
                return true;
            }
            static const std::pair<const char*, Slot> kSlots[] = {{"north", kNorth}, {"south", kSouth},
                                                                  {"west", kWest},   {"east", kEast},
                                                                  {"ceiling", kCeiling}, {"floor", kFloor}};
            bool handled = false;
            for (const auto& [word, slot] : kSlots) {
                if (entry == word) {
                    if (block.faces[slot].present) {
                        return Fail("face written twice");
                    }
                    if (!Face(block.faces[slot])) {
                        return false;
                    }
                    handled = true;
                }
            }
            if (!handled && entry == "liveobjects") {
                if (!Objects(map, block)) {
                    return false;
                }
                handled = true;
            }
            if (!handled) {
                return Fail("unknown block entry '" + entry + "'");
            }
        }
        return Fail("block not closed");
    }
};

}  // namespace

const MapBlock* MapFile::Block(int row, int column) const
{
    const auto it = blocks.find({row, column});
    return it == blocks.end() ? nullptr : &it->second;
}

bool MapFile::IsOpen(int row, int column) const
{
    const MapBlock* block = Block(row, column);
    return block != nullptr && block->Open();
}

bool ParseMap(const std::string& text, MapFile& map, std::string* error)
{
    Tokens tokens(text);
    Reader reader{tokens, error};
    std::string keyword;
    bool seenBlock = false;
    while (tokens.Take(keyword)) {
        bool ok = true;
        if (keyword == "mapsize") {
            ok = reader.Number(map.rows) && reader.Number(map.columns);
        } else if (keyword == "blocksize") {
            ok = reader.Number(map.blockSize);
        } else if (keyword == "skybox") {
            ok = reader.List(map.skybox);
        } else if (keyword == "models") {
            ok = reader.List(map.models);
        } else if (keyword == "hud") {
            ok = reader.List(map.hud);
        } else if (keyword == "fx") {
            ok = reader.List(map.fx);
        } else if (keyword == "block") {
            seenBlock = true;
            ok = reader.Block(map);
        } else {
            return reader.Fail("unknown top-level entry '" + keyword + "'");
        }
        if (!ok) {
            return false;
        }
        if (keyword != "block" && seenBlock) {
            map.listsBeforeBlocks = false;
        }
    }
    return true;
}

}  // namespace maptest
