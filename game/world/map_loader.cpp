// Building the world from a map description: faces, sky, caches and the
// objects of every block.
#include "game/world/map_loader.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "game/core/counted.h"
#include "game/level/level.h"
#include "game/level_file/map_file_names.h"
#include "game/level_file/map_reader.h"
#include "game/render/model_cache.h"
#include "game/render/texture_cache.h"
#include "game/run/printable.h"
#include "game/world/object_makers.h"
#include "game/world/world.h"

namespace {

class MapBuilder {
public:
    MapBuilder(const std::string& source, World& world, LampCounter& lamps)
        : source(source), world(world), level(world.level), textures(level.Textures()), models(world.models),
          lamps(lamps),
          setting{&models, textures, &world.collider, &level, &world.doors, world.player.get()} {}

    // In file order, so that models are cached before the objects that look
    // them up and a later "mapsize" drops the blocks before it.
    void Build(const MapDescription& map) {
        for (const MapEntry& entry : map.entries) std::visit([this](const auto& e) { Apply(e); }, entry);
    }

private:
    void Apply(const MapSize& size) { level.Resize(size.rows, size.columns); }
    void Apply(const MapBlockSize& size) { level.SetBlockSize(size.size); }

    void Apply(const MapSkybox& sky) {
        static unsigned int Skybox::*const kFaces[] = {&Skybox::west,  &Skybox::east,  &Skybox::top,
                                              &Skybox::bottom, &Skybox::north, &Skybox::south};
        for (size_t i = 0; i < sky.names.size() && i < 6; ++i) level.Sky().*kFaces[i] = Texture(sky.names[i]);
    }

    void Apply(const MapResources& list) {
        for (size_t i = 0; i < list.names.size(); ++i) {
            const std::string& name = list.names[i];
            // In the game, a model the map lists and cannot have ends it,
            // as map-check counts it an error: the map says it needs it.
            if (list.kind == MapResourceKind::kModels) {
                if (!models.LoadListed(name, source + ":" + std::to_string(list.lines[i])) && models.UsesListedOnly())
                    models.Lookup(name);
            } else if (textures) {
                textures->Load(name);
            }
        }
    }

    void Apply(const MapBlock& entry) {
        // Checked before anything of the block is made: its objects would
        // otherwise stand outside the compound, owned by no block.
        if (!level.Holds(entry.row, entry.column)) {
            std::fprintf(stderr, "%s: block %d %d lies outside the %d x %d map; it and its objects are skipped\n",
                         source.c_str(), entry.row, entry.column, level.Rows(), level.Columns());
            return;
        }
        auto block = std::make_unique<Block>(entry.row, entry.column);
        const MapBlockWalls walls(entry);
        for (size_t i = 0; i < entry.items.size(); ++i) {
            if (const auto* face = std::get_if<MapFace>(&entry.items[i]))
                Add(*block, *face);
            else
                Add(entry, walls, i);
        }
        level.PlaceBlock(std::move(block));
    }

    void Add(Block& block, const MapFace& face) {
        std::unique_ptr<BlockPart> part = TypedFace(face);
        // An unknown type word still leaves a face: it draws nothing, yet it
        // stops the player and carries wall-mounted things like a wall.
        if (!part) part = std::make_unique<BlockPart>();
        if (!face.texture.empty()) part->textureId = Texture(face.texture);
        FaceSlot(block, face.slot) = std::move(part);
    }

    // The face the type word names, if it is the word of the face's slot.
    std::unique_ptr<BlockPart> TypedFace(const MapFace& face) const {
        if (!MapFaceIsDrawn(face)) return nullptr;
        const FaceLists& lists = level.FaceListNames();
        switch (face.slot) {
            case MapFaceSlot::kCeiling: return std::make_unique<Ceiling>(static_cast<int>(lists.ceiling));
            case MapFaceSlot::kFloor: return std::make_unique<FloorTile>(static_cast<int>(lists.floor));
            default: return std::make_unique<Wall>(static_cast<int>(lists.wall));
        }
    }

    void Add(const MapBlock& block, const MapBlockWalls& walls, size_t index) {
        const MapObject& object = std::get<MapObject>(block.items[index]);
        MapPlacement placed;
        switch (PlaceMapObject(block, walls, index, lamps.Peek(), placed)) {
            case MapPlacementResult::kPlaced: break;
            case MapPlacementResult::kNoSide:
                std::fprintf(stderr,
                             "%s: block %d %d: a door on \"%.40s\", which is no side of a block; it is skipped\n",
                             source.c_str(), block.row, block.column, object.side.c_str());
                return;
            case MapPlacementResult::kNoWall:
                std::fprintf(stderr, "%s: block %d %d: a %s needs a wall read before it to hang on; it is skipped\n",
                             source.c_str(), block.row, block.column, MapKindWord(object.kind));
                return;
        }
        Make(object, placed);
    }

    // The object's models are looked up as it is made: a missing one names
    // the entry that needed it.
    void Make(const MapObject& object, const MapPlacement& placed) {
        const int line = object.modelLine != 0 ? object.modelLine : object.line;
        models.SetUser(source + ":" + std::to_string(line) + ": " + MapKindWord(object.kind));
        MakeObject(object, placed);
        models.SetUser(std::string());
    }

    // The kind makes itself; the world's group of its kind owns it from
    // then on.
    void MakeObject(const MapObject& object, const MapPlacement& placed) {
        const ObjectMaker* maker = MakerOf(object.kind);
        if (!maker) return;
        std::unique_ptr<CObject> made = maker->make(object, placed, setting);
        if (RulesOf(object.kind).standing.lamp) lamps.Next();
        made.release()->AttachTo(&(world.*maker->group));
    }

    unsigned int Texture(const std::string& name) { return setting.Texture(name); }

    const std::string& source;
    World& world;
    Level& level;
    TextureCache* textures;
    ModelCache& models;
    LampCounter& lamps;
    const MapObjectSetting setting;
};

}  // namespace

std::unique_ptr<BlockPart>& FaceSlot(Block& block, MapFaceSlot slot) {
    switch (slot) {
        case MapFaceSlot::kWest: return block.west;
        case MapFaceSlot::kEast: return block.east;
        case MapFaceSlot::kSouth: return block.south;
        case MapFaceSlot::kCeiling: return block.ceiling;
        case MapFaceSlot::kFloor: return block.floor;
        case MapFaceSlot::kNorth: break;
    }
    return block.north;
}

namespace {

// A map may come from anyone: a name that leads out of the data folder
// (/etc/passwd, ../../secret) would have the game read any file the player
// can. The map is refused whole, as a model it needs would refuse it.
void RefuseNamesOutsideDataFolder(const std::string& fileName, const MapDescription& map) {
    for (const MapFileName& file : MapFileNames(map)) {
        const std::string why = WhyNameLeavesDataFolder(file.name);
        if (why.empty()) continue;
        std::fflush(stdout);
        std::fprintf(stderr, "compound: %s:%d: %s names %s, which the game does not read: %s; a map's files are "
                     "read from its data folder only\n", fileName.c_str(), file.line, file.entry.c_str(),
                     Printable(file.name).c_str(), why.c_str());
        std::exit(1);
    }
}

}  // namespace

bool LoadMap(const std::string& fileName, World& world, LampCounter& lamps) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in.is_open()) return false;
    const MapDescription map = ReadMap(in);
    if (map.shortenedTokens > 0)
        std::fprintf(stderr, "%s: %s longer than %zu characters %s cut short\n", fileName.c_str(),
                     Counted(map.shortenedTokens, "word").c_str(), kMaxMapTokenLength,
                     map.shortenedTokens == 1 ? "was" : "were");
    RefuseNamesOutsideDataFolder(fileName, map);
    MapBuilder(fileName, world, lamps).Build(map);
    return !map.readError;
}
