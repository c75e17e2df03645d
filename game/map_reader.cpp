// Reading map.txt's tokens into a MapDescription, and the placement rules
// for doors, wall-mounted things and block centres.
#include "game/map_reader.h"

#include <climits>

#include "game/level.h"

namespace {

// The characters operator>> separates words by in the classic locale.
bool IsSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

class Tokens {
public:
    explicit Tokens(std::istream& in) : in(in) {}

    // The next run of non-space characters; false at the end of the input or
    // on a read error, and again on every later call, so no loop over tokens
    // can outlive its input.
    bool Next(std::string& token) {
        token.clear();
        // istream::get turns a read error into badbit instead of an exception.
        int c = in.get();
        while (c != EOF && IsSpace(c)) c = in.get();
        if (c == EOF) return false;
        bool shortened = false;
        while (c != EOF && !IsSpace(c)) {
            if (token.size() < kMaxMapTokenLength)
                token.push_back(static_cast<char>(c));
            else
                shortened = true;
            c = in.get();
        }
        if (shortened) ++shortenedTokens;
        return true;
    }

    bool Next(int& number) {
        std::string token;
        if (!Next(token)) return false;
        number = MapNumber(token);
        return true;
    }

    // Reads one token for its position in the grammar only: the braces
    // around lists and entries are not checked, just stepped over.
    void Skip() {
        std::string ignored;
        Next(ignored);
    }

    bool Failed() const { return in.bad(); }
    int ShortenedTokens() const { return shortenedTokens; }

private:
    std::istream& in;
    int shortenedTokens = 0;
};

bool FaceSlotOf(const std::string& word, MapFaceSlot& slot) {
    static const struct {
        const char* word;
        MapFaceSlot slot;
    } kSlots[] = {{"ceiling", MapFaceSlot::kCeiling}, {"floor", MapFaceSlot::kFloor},
                  {"east", MapFaceSlot::kEast},       {"west", MapFaceSlot::kWest},
                  {"south", MapFaceSlot::kSouth},     {"north", MapFaceSlot::kNorth}};
    for (const auto& entry : kSlots) {
        if (word == entry.word) {
            slot = entry.slot;
            return true;
        }
    }
    return false;
}

bool ObjectKindOf(const std::string& word, MapObjectKind& kind) {
    static const struct {
        const char* word;
        MapObjectKind kind;
    } kKinds[] = {{"LOCK_DOOR", MapObjectKind::kLockedDoor}, {"AUTO_DOOR", MapObjectKind::kAutomaticDoor},
                  {"LIGHT", MapObjectKind::kLight},          {"WEAPON", MapObjectKind::kWeapon},
                  {"FLASHLIGHT", MapObjectKind::kFlashlight}, {"MEDIKIT", MapObjectKind::kMedikit},
                  {"KEY", MapObjectKind::kKey},              {"VORLAX", MapObjectKind::kVorlax},
                  {"GENERATOR", MapObjectKind::kGenerator}};
    for (const auto& entry : kKinds) {
        if (word == entry.word) {
            kind = entry.kind;
            return true;
        }
    }
    return false;
}

bool ResourceKindOf(const std::string& word, MapResourceKind& kind) {
    if (word == "models") kind = MapResourceKind::kModels;
    else if (word == "hud") kind = MapResourceKind::kHud;
    else if (word == "fx") kind = MapResourceKind::kFx;
    else return false;
    return true;
}

class Parser {
public:
    explicit Parser(std::istream& in) : tokens(in) {}

    MapDescription Read() {
        MapDescription map;
        std::string word;
        MapResourceKind resources = MapResourceKind::kModels;
        while (tokens.Next(word)) {
            if (word == "mapsize") {
                MapSize size;
                if (tokens.Next(size.rows) && tokens.Next(size.columns)) map.entries.push_back(size);
            } else if (word == "blocksize") {
                MapBlockSize size;
                if (tokens.Next(size.size)) map.entries.push_back(size);
            } else if (word == "textures") {
                // Only the one word after it; the names that follow fall
                // through as unknown words, so nothing is loaded.
                tokens.Skip();
            } else if (word == "skybox") {
                MapSkybox sky;
                tokens.Skip();
                std::string name;
                while (sky.names.size() < 6 && tokens.Next(name)) sky.names.push_back(name);
                tokens.Skip();
                if (!sky.names.empty()) map.entries.push_back(std::move(sky));
            } else if (ResourceKindOf(word, resources)) {
                MapResources list{resources, {}};
                tokens.Skip();
                std::string name;
                while (tokens.Next(name) && name != "}") list.names.push_back(name);
                if (!list.names.empty()) map.entries.push_back(std::move(list));
            } else if (word == "block") {
                MapBlock block;
                if (tokens.Next(block.row) && tokens.Next(block.column)) {
                    ReadBlockItems(block);
                    map.entries.push_back(std::move(block));
                }
            }
        }
        map.readError = tokens.Failed();
        map.shortenedTokens = tokens.ShortenedTokens();
        return map;
    }

private:
    void ReadBlockItems(MapBlock& block) {
        tokens.Skip();
        std::string word;
        MapFaceSlot slot = MapFaceSlot::kNorth;
        while (tokens.Next(word) && word != "}") {
            if (FaceSlotOf(word, slot))
                block.items.push_back(ReadFace(slot));
            else if (word == "liveobjects")
                ReadObjects(block.items);
        }
    }

    // "{" type [texture] "}": whatever follows the type is the closing brace
    // or a texture name, and after a texture name one more token closes.
    MapFace ReadFace(MapFaceSlot slot) {
        MapFace face;
        face.slot = slot;
        tokens.Skip();
        if (!tokens.Next(face.type)) return face;
        std::string token;
        if (tokens.Next(token) && token != "}") {
            face.texture = token;
            tokens.Skip();
        }
        return face;
    }

    void ReadObjects(std::vector<MapBlockItem>& items) {
        tokens.Skip();
        std::string word;
        MapObjectKind kind = MapObjectKind::kLight;
        while (tokens.Next(word) && word != "}") {
            if (!ObjectKindOf(word, kind)) continue;
            MapObject object;
            object.kind = kind;
            if (ReadObject(object)) items.push_back(std::move(object));
        }
    }

    // False when the file ends before the object's own fields. The object is
    // built before its closing brace is read, so one that lacks only that
    // brace is kept.
    bool ReadObject(MapObject& object) {
        std::string token;
        if (!tokens.Next(token)) return false;  // its "{"
        switch (object.kind) {
            case MapObjectKind::kLockedDoor:
                if (!tokens.Next(object.keyId)) return false;
                [[fallthrough]];
            case MapObjectKind::kAutomaticDoor:
                if (!tokens.Next(object.side)) return false;
                if (tokens.Next(token) && token != "}") {
                    object.texture = token;
                    tokens.Skip();
                }
                return true;
            case MapObjectKind::kKey:
                if (!tokens.Next(object.keyId) || !tokens.Next(object.model)) return false;
                tokens.Skip();
                return true;
            default:
                tokens.Skip();
                return true;
        }
    }

    Tokens tokens;
};

// In float from the start: a row or column far outside any grid must not
// overflow on its way to a coordinate.
float WestEdge(int column) { return Level::kBlockUnits * (static_cast<float>(column) - 1.0f); }
float NorthEdge(int row) { return Level::kBlockUnits * (static_cast<float>(row) - 1.0f); }

constexpr float kHalfBlock = Level::kBlockUnits / 2.0f;
constexpr float kDoorHeight = 1.5f;

}  // namespace

MapDescription ReadMap(std::istream& in) { return Parser(in).Read(); }

int MapNumber(const std::string& token) {
    size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
        negative = token[i] == '-';
        ++i;
    }
    // Accumulated as a magnitude held just past INT_MAX, so it never
    // overflows and INT_MIN still fits.
    constexpr long long kCap = static_cast<long long>(INT_MAX) + 1;
    long long magnitude = 0;
    for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (token[i] - '0');
        if (magnitude > kCap) magnitude = kCap;
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value > INT_MAX) return INT_MAX;
    return static_cast<int>(value);
}

bool MapSideFacing(const std::string& side, Facing& facing) {
    if (side == "west") facing = kFacingWest;
    else if (side == "east") facing = kFacingEast;
    else if (side == "north") facing = kFacingNorth;
    else if (side == "south") facing = kFacingSouth;
    else return false;
    return true;
}

Vector3 MapDoorPosition(int row, int column, Facing side) {
    return MapWallMountPosition(row, column, side, 0.0f, kDoorHeight);
}

Vector3 MapWallMountPosition(int row, int column, Facing wall, float inset, float height) {
    const float west = WestEdge(column);
    const float north = NorthEdge(row);
    switch (wall) {
        case kFacingWest: return Vector3(west + inset, height, north + kHalfBlock);
        case kFacingEast: return Vector3(west + Level::kBlockUnits - inset, height, north + kHalfBlock);
        case kFacingSouth: return Vector3(west + kHalfBlock, height, north + Level::kBlockUnits - inset);
        case kFacingNorth: break;
    }
    return Vector3(west + kHalfBlock, height, north + inset);
}

Vector3 MapBlockCentre(int row, int column, float height) {
    return Vector3(WestEdge(column) + kHalfBlock, height, NorthEdge(row) + kHalfBlock);
}

Vector3 MapBlockCorner(int row, int column) { return Vector3(WestEdge(column), 0.0f, NorthEdge(row)); }

bool MapFirstWall(const Block& block, Facing& wall) {
    if (block.north) wall = kFacingNorth;
    else if (block.south) wall = kFacingSouth;
    else if (block.west) wall = kFacingWest;
    else if (block.east) wall = kFacingEast;
    else return false;
    return true;
}
