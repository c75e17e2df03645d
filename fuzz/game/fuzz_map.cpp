// libFuzzer target for the level file: ReadMap on arbitrary bytes, then the
// placement rules (PlaceMapObject) for every object it gives back, and the
// lines and skipped tokens it records.
//
// The world builder is left out on purpose: it needs a GL context, loads
// whatever files a map names (any path, devices included), and an object
// whose models are missing ends the program by design. Everything that
// decides what the builder is asked to do is in the description.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "game/level_file/level_rules.h"
#include "game/level_file/map_reader.h"

namespace {

void CheckFinite(const Vector3& v) {
    if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z)) __builtin_trap();
}

void CheckName(const std::string& name) {
    if (name.size() > kMaxMapTokenLength) __builtin_trap();
}

// Lines count from 1 and no further than the input has lines; in file
// order they never go back.
struct LineOrder {
    int lastLine = 1;
    int maxLine = 1;
    void Check(int line) {
        if (line < lastLine || line > maxLine) __builtin_trap();
        lastLine = line;
    }
};

// Places every object the block lists, as the builder is told to, and
// returns how many items it held.
size_t PlaceBlock(const MapBlock& entry, LampCounter& lamps) {
    const MapBlockWalls walls(entry);
    for (size_t i = 0; i < entry.items.size(); ++i) {
        if (const auto* face = std::get_if<MapFace>(&entry.items[i])) {
            CheckName(face->type);
            CheckName(face->texture);
            continue;
        }
        const MapObject& object = std::get<MapObject>(entry.items[i]);
        CheckName(object.side);
        CheckName(object.texture);
        CheckName(object.model);
        MapPlacement placed;
        if (PlaceMapObject(entry, walls, i, lamps.Peek(), placed) != MapPlacementResult::kPlaced) continue;
        if (RulesOf(object.kind).standing.lamp && placed.lamp != lamps.Next()) __builtin_trap();
        CheckFinite(placed.position);
        if (!std::isfinite(placed.radius) || placed.radius <= 0.0f) __builtin_trap();
    }
    return entry.items.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const MapDescription map = ReadMap(in);
    if (map.readError) __builtin_trap();  // memory cannot fail to read

    LineOrder entryLines;
    for (size_t i = 0; i < size; ++i) entryLines.maxLine += data[i] == '\n' ? 1 : 0;
    LineOrder skippedLines = entryLines;
    int lastIndex = -1;
    for (const MapSkippedToken& token : map.skipped) {
        skippedLines.Check(token.line);
        if (token.index <= lastIndex) __builtin_trap();
        lastIndex = token.index;
        CheckName(token.text);
    }
    if (map.unfinishedLine < 0 || map.unfinishedLine > entryLines.maxLine) __builtin_trap();

    // Every entry, item and skipped word takes at least one word of its
    // own, so the description can never outgrow the input.
    size_t parts = map.entries.size() + map.skipped.size();
    LampCounter lamps;
    for (const MapEntry& entry : map.entries) {
        std::visit([&](const auto& e) { entryLines.Check(e.line); }, entry);
        if (const auto* block = std::get_if<MapBlock>(&entry)) parts += PlaceBlock(*block, lamps);
        if (const auto* sky = std::get_if<MapSkybox>(&entry)) {
            if (sky->names.size() > 6) __builtin_trap();
            for (const std::string& name : sky->names) CheckName(name);
        }
        if (const auto* list = std::get_if<MapResources>(&entry)) {
            parts += list->names.size();
            for (const std::string& name : list->names) CheckName(name);
        }
    }
    if (parts > size) __builtin_trap();
    return 0;
}
