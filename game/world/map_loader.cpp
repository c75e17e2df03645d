// Building the world from a map description: faces, sky, caches and the
// objects of every block.
#include "game/world/map_loader.h"

#include <cstdio>
#include <fstream>
#include <memory>

#include "game/level/level.h"
#include "game/level_file/map_reader.h"
#include "game/objects/automatic_door.h"
#include "game/objects/flashlight.h"
#include "game/objects/generator.h"
#include "game/objects/generator_core.h"
#include "game/objects/key.h"
#include "game/objects/light.h"
#include "game/objects/locked_door.h"
#include "game/objects/medikit.h"
#include "game/objects/player.h"
#include "game/objects/vorlax.h"
#include "game/objects/vorlax_mesh.h"
#include "game/objects/weapon.h"
#include "game/render/model_cache.h"
#include "game/render/texture_cache.h"
#include "game/world/world.h"

namespace {

constexpr float kCoreRadius = 1.0f;

// Hands the object to its group, which owns it from then on.
template <class Kind>
Kind* Attach(std::unique_ptr<Kind> object, CObject& group) {
    Kind* attached = object.release();
    attached->AttachTo(&group);
    return attached;
}

class MapBuilder {
public:
    MapBuilder(const std::string& source, World& world, LampCounter& lamps)
        : source(source), world(world), level(world.level), textures(level.Textures()), models(world.models),
          lamps(lamps) {}

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
            if (list.kind == MapResourceKind::kModels)
                models.LoadListed(name, source + ":" + std::to_string(list.lines[i]));
            else if (textures)
                textures->Load(name);
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
        for (size_t i = 0; i < entry.items.size(); ++i) {
            if (const auto* face = std::get_if<MapFace>(&entry.items[i]))
                Add(*block, *face);
            else
                Add(entry, i);
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

    void Add(const MapBlock& block, size_t index) {
        const MapObject& object = std::get<MapObject>(block.items[index]);
        MapPlacement placed;
        switch (PlaceMapObject(block, index, lamps.Peek(), placed)) {
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

    void MakeObject(const MapObject& object, const MapPlacement& placed) {
        switch (object.kind) {
            case MapObjectKind::kLockedDoor:
            case MapObjectKind::kAutomaticDoor: MakeDoor(object, placed); break;
            case MapObjectKind::kLight:
                lamps.Next();
                Attach(std::make_unique<Light>(placed.lamp, placed.position, placed.radius), world.lights);
                break;
            case MapObjectKind::kWeapon: MakeWallPickup<Weapon>(placed); break;
            case MapObjectKind::kFlashlight: MakeWallPickup<Flashlight>(placed); break;
            case MapObjectKind::kMedikit: MakeWallPickup<Medikit>(placed); break;
            case MapObjectKind::kKey: MakeKey(object, placed); break;
            case MapObjectKind::kVorlax: MakeVorlax(placed); break;
            case MapObjectKind::kGenerator: MakeGenerator(placed); break;
        }
    }

    void MakeDoor(const MapObject& object, const MapPlacement& placed) {
        std::unique_ptr<Door> door;
        if (object.kind == MapObjectKind::kLockedDoor) {
            auto locked = std::make_unique<LockedDoor>(placed.position, placed.radius);
            locked->keyId = object.keyId;
            door = std::move(locked);
        } else {
            door = std::make_unique<AutomaticDoor>(placed.position, placed.radius);
        }
        door->state = Door::kClosed;
        door->orientation = placed.facing;
        // A missing image's -1 is kept as it comes, like a face's.
        if (!object.texture.empty()) door->texture = Texture(object.texture);
        Attach(std::move(door), world.doors);
    }

    template <class Kind>
    void MakeWallPickup(const MapPlacement& placed) {
        auto pickup = std::make_unique<Kind>(&models, placed.modelScale);
        pickup->radius = placed.radius;
        pickup->position = placed.position;
        pickup->orientation = placed.facing;
        Attach(std::move(pickup), world.pickups);
    }

    void MakeKey(const MapObject& object, const MapPlacement& placed) {
        auto key = std::make_unique<Key>(&models, object.model, placed.modelScale);
        key->radius = placed.radius;
        key->position = placed.position;
        key->keyId = object.keyId;
        Attach(std::move(key), world.pickups);
    }

    void MakeVorlax(const MapPlacement& placed) {
        auto mesh = std::make_unique<VorlaxMesh>(&models, textures, world.player.get());
        auto vorlax = std::make_unique<Vorlax>(textures, &world.collider, &level);
        vorlax->SetDoors(&world.doors);
        vorlax->position = placed.position;
        vorlax->radius = placed.radius;
        mesh->position = vorlax->position;
        Attach(std::move(mesh), *vorlax);
        Attach(std::move(vorlax), world.enemies);
    }

    void MakeGenerator(const MapPlacement& placed) {
        auto generator = std::make_unique<Generator>(&models, textures);
        auto core = std::make_unique<GeneratorCore>(&models, textures);
        generator->position = placed.position;
        generator->radius = placed.radius;
        core->position = generator->position;
        core->position.y = GeneratorCore::kHeight;
        core->radius = kCoreRadius;
        Attach(std::move(core), *generator);
        Attach(std::move(generator), world.enemies);
    }

    // The image is loaded when its name is first read; a name that would not
    // load is reported by the cache and drawn untextured. Without a texture
    // cache nothing is textured.
    unsigned int Texture(const std::string& name) {
        if (!textures) return 0;
        textures->Load(name);
        return textures->TextureToBind(name);
    }

    const std::string& source;
    World& world;
    Level& level;
    TextureCache* textures;
    ModelCache& models;
    LampCounter& lamps;
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

bool LoadMap(const std::string& fileName, World& world, LampCounter& lamps) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in.is_open()) return false;
    const MapDescription map = ReadMap(in);
    if (map.shortenedTokens > 0)
        std::fprintf(stderr, "%s: %d words longer than %zu characters were cut short\n", fileName.c_str(),
                     map.shortenedTokens, kMaxMapTokenLength);
    MapBuilder(fileName, world, lamps).Build(map);
    return !map.readError;
}
