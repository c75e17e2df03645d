// Reading map.txt's tokens into a MapDescription, and the placement rules
// for doors, wall-mounted things and block centres.
#include "game/level_file/map_reader.h"

#include <climits>


namespace {

// The characters operator>> separates words by in the classic locale.
bool IsSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Whether the whole token is a decimal integer, as MapNumber reads it.
bool IsWholeNumber(const std::string& token) {
    size_t i = token.size() > 0 && (token[0] == '+' || token[0] == '-') ? 1 : 0;
    if (i >= token.size()) return false;
    for (; i < token.size(); ++i)
        if (token[i] < '0' || token[i] > '9') return false;
    return true;
}

class Tokens {
public:
    explicit Tokens(std::istream& in) : in(in) {}

    // The next run of non-space characters; false at the end of the input or
    // on a read error, and again on every later call, so no loop over tokens
    // can outlive its input. A UTF-8 byte-order mark, which some editors put
    // at the start of every file, is no part of the first word.
    bool Next(std::string& token) {
        const bool first = count == 0;
        if (!ReadToken(token)) return false;
        if (!first || token.compare(0, 3, "\xEF\xBB\xBF") != 0) return true;
        token.erase(0, 3);
        if (!token.empty()) return true;
        count = 0;  // the mark stood alone: the word after it is the first
        return ReadToken(token);
    }

    bool Next(int& number) {
        std::string token;
        if (!Next(token)) return false;
        number = MapNumber(token);
        if (!IsWholeNumber(token))
            Note(token, MapSkipReason::kNotANumber);
        else if (!FitsInInt(token))
            Note(token, MapSkipReason::kOutOfRange);
        return true;
    }

    // The next token and its line.
    bool Next(std::string& token, int& at) {
        if (!Next(token)) return false;
        at = tokenLine;
        return true;
    }

    // Reads one token for its position in the grammar only: the braces
    // around lists and entries are not checked, just stepped over; a token
    // that is not the brace is noted.
    void Skip(const char* brace) {
        std::string token;
        if (Next(token) && token != brace)
            Note(token, brace[0] == '{' ? MapSkipReason::kNotAnOpeningBrace : MapSkipReason::kNotAClosingBrace);
    }

    // The token just read was passed over for this reason.
    void Note(const std::string& token, MapSkipReason why) { skipped.push_back({token, tokenLine, tokenIndex, why}); }

    bool Failed() const { return in.bad(); }
    // A read found no token left.
    bool Exhausted() const { return exhausted; }
    int ShortenedTokens() const { return shortenedTokens; }
    int Line() const { return tokenLine; }
    std::vector<MapSkippedToken> TakeSkipped() { return std::move(skipped); }

private:
    // The next run of non-space characters, as it stands in the file.
    bool ReadToken(std::string& token) {
        token.clear();
        // istream::get turns a read error into badbit instead of an exception.
        int c = in.get();
        while (c != EOF && IsSpace(c)) {
            if (c == '\n') ++line;
            c = in.get();
        }
        if (c == EOF) {
            exhausted = true;
            return false;
        }
        tokenLine = line;
        tokenIndex = count++;
        bool shortened = false;
        while (c != EOF && !IsSpace(c)) {
            if (token.size() < kMaxMapTokenLength)
                token.push_back(static_cast<char>(c));
            else
                shortened = true;
            c = in.get();
        }
        // The space that ended the token is consumed with it.
        if (c == '\n') ++line;
        if (shortened) ++shortenedTokens;
        return true;
    }

    std::istream& in;
    int shortenedTokens = 0;
    int line = 1;       // where the reading stands
    int tokenLine = 1;  // of the last token read
    int tokenIndex = 0;
    int count = 0;
    bool exhausted = false;
    std::vector<MapSkippedToken> skipped;
};

constexpr MapFaceSlot kAllSlots[] = {MapFaceSlot::kWest,  MapFaceSlot::kEast,    MapFaceSlot::kNorth,
                                     MapFaceSlot::kSouth, MapFaceSlot::kCeiling, MapFaceSlot::kFloor};

bool FaceSlotOf(const std::string& word, MapFaceSlot& slot) {
    for (MapFaceSlot candidate : kAllSlots) {
        if (word == MapSlotWord(candidate)) {
            slot = candidate;
            return true;
        }
    }
    return false;
}

bool ObjectKindOf(const std::string& word, MapObjectKind& kind) {
    for (const MapObjectKindRules& candidate : MapObjectKinds()) {
        if (word == candidate.word) {
            kind = candidate.kind;
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
            const int line = tokens.Line();
            if (word == "mapsize") {
                MapSize size;
                size.line = line;
                if (tokens.Next(size.rows) && tokens.Next(size.columns)) map.entries.push_back(size);
            } else if (word == "blocksize") {
                MapBlockSize size;
                size.line = line;
                if (tokens.Next(size.size)) map.entries.push_back(size);
            } else if (word == "textures") {
                // Only the one word after it; the names that follow fall
                // through as unknown words, so nothing is loaded.
                tokens.Note(word, MapSkipReason::kIgnoredEntry);
                std::string ignored;
                tokens.Next(ignored);
            } else if (word == "skybox") {
                MapSkybox sky;
                sky.line = line;
                tokens.Skip("{");
                std::string name;
                int at = 0;
                while (sky.names.size() < 6 && tokens.Next(name, at)) {
                    sky.names.push_back(name);
                    sky.lines.push_back(at);
                }
                tokens.Skip("}");
                if (!sky.names.empty()) map.entries.push_back(std::move(sky));
            } else if (ResourceKindOf(word, resources)) {
                MapResources list{resources, {}, {}, line};
                tokens.Skip("{");
                std::string name;
                int at = 0;
                while (tokens.Next(name, at) && name != "}") {
                    list.names.push_back(name);
                    list.lines.push_back(at);
                }
                if (!list.names.empty()) map.entries.push_back(std::move(list));
            } else if (word == "block") {
                MapBlock block;
                block.line = line;
                if (tokens.Next(block.row) && tokens.Next(block.column)) {
                    ReadBlockItems(block);
                    map.entries.push_back(std::move(block));
                }
            } else {
                tokens.Note(word, MapSkipReason::kUnknownWord);
            }
            if (tokens.Exhausted() && map.unfinishedLine == 0) map.unfinishedLine = line;
        }
        map.readError = tokens.Failed();
        map.shortenedTokens = tokens.ShortenedTokens();
        map.skipped = tokens.TakeSkipped();
        return map;
    }

private:
    void ReadBlockItems(MapBlock& block) {
        tokens.Skip("{");
        std::string word;
        MapFaceSlot slot = MapFaceSlot::kNorth;
        while (tokens.Next(word) && word != "}") {
            if (FaceSlotOf(word, slot))
                // Made in place: gcc 12 at -O3 takes a temporary variant here
                // for one that may hold a MapObject with keyId unset.
                block.items.emplace_back(std::in_place_type<MapFace>, ReadFace(slot));
            else if (word == "liveobjects")
                ReadObjects(block.items);
            else
                tokens.Note(word, MapSkipReason::kUnknownWord);
        }
    }

    // "{" type [texture] "}": whatever follows the type is the closing brace
    // or a texture name, and after a texture name one more token closes.
    MapFace ReadFace(MapFaceSlot slot) {
        MapFace face;
        face.slot = slot;
        face.line = tokens.Line();
        tokens.Skip("{");
        if (!tokens.Next(face.type)) return face;
        std::string token;
        int at = 0;
        if (tokens.Next(token, at) && token != "}") {
            face.texture = token;
            face.textureLine = at;
            tokens.Skip("}");
        }
        return face;
    }

    void ReadObjects(std::vector<MapBlockItem>& items) {
        tokens.Skip("{");
        std::string word;
        MapObjectKind kind = MapObjectKind::kLight;
        while (tokens.Next(word) && word != "}") {
            if (!ObjectKindOf(word, kind)) {
                tokens.Note(word, MapSkipReason::kUnknownWord);
                continue;
            }
            MapObject object;
            object.kind = kind;
            object.line = tokens.Line();
            if (ReadObject(object)) items.push_back(std::move(object));
        }
    }

    // False when the file ends before the object's own fields. The object is
    // built before its closing brace is read, so one that lacks only that
    // brace is kept.
    bool ReadObject(MapObject& object) {
        std::string token;
        if (!tokens.Next(token)) return false;  // its "{"
        if (token != "{") tokens.Note(token, MapSkipReason::kNotAnOpeningBrace);
        const MapObjectFields fields = RulesOf(object.kind).fields;
        if (fields == MapObjectFields::kKeyAndSide || fields == MapObjectFields::kKeyAndModel)
            if (!tokens.Next(object.keyId)) return false;
        if (fields == MapObjectFields::kKeyAndModel) {
            if (!tokens.Next(object.model, object.modelLine)) return false;
            tokens.Skip("}");
            return true;
        }
        if (fields == MapObjectFields::kNone) {
            tokens.Skip("}");
            return true;
        }
        if (!tokens.Next(object.side, object.sideLine)) return false;
        int at = 0;
        if (tokens.Next(token, at) && token != "}") {
            object.texture = token;
            object.textureLine = at;
            tokens.Skip("}");
        }
        return true;
    }

    Tokens tokens;
};

}  // namespace

MapDescription ReadMap(std::istream& in) { return Parser(in).Read(); }

namespace {

// The number at the start of the token, as MapNumber reads it, but held
// only to one past the int range, so that a caller can tell it was cut.
long long LeadingNumber(const std::string& token) {
    size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
        negative = token[i] == '-';
        ++i;
    }
    // Accumulated as a magnitude held just past the int range at either
    // end, so it never overflows.
    constexpr long long kCap = static_cast<long long>(INT_MAX) + 2;
    long long magnitude = 0;
    for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (token[i] - '0');
        if (magnitude > kCap) magnitude = kCap;
    }
    return negative ? -magnitude : magnitude;
}

}  // namespace

int MapNumber(const std::string& token) {
    const long long value = LeadingNumber(token);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

bool FitsInInt(const std::string& token) {
    const long long value = LeadingNumber(token);
    return value >= INT_MIN && value <= INT_MAX;
}

const char* MapSlotWord(MapFaceSlot slot) {
    switch (slot) {
        case MapFaceSlot::kWest: return "west";
        case MapFaceSlot::kEast: return "east";
        case MapFaceSlot::kNorth: return "north";
        case MapFaceSlot::kSouth: return "south";
        case MapFaceSlot::kCeiling: return "ceiling";
        case MapFaceSlot::kFloor: return "floor";
    }
    return "north";
}
