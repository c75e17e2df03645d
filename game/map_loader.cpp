// Building the world from a map description: faces, sky, caches and the
// objects of every block.
#include "game/map_loader.h"

#include <cstdio>
#include <fstream>
#include <memory>

#include "game/level.h"
#include "game/level_file/map_reader.h"
#include "game/model_cache.h"
#include "game/objects/automatic_door.h"
#include "game/objects/flashlight.h"
#include "game/objects/generator.h"
#include "game/objects/generator_core.h"
#include "game/objects/key.h"
#include "game/objects/light.h"
#include "game/objects/locked_door.h"
#include "game/objects/medikit.h"
#include "game/objects/vorlax.h"
#include "game/objects/vorlax_mesh.h"
#include "game/objects/weapon.h"
#include "game/player.h"
#include "game/texture_cache.h"

namespace {

constexpr float kLockedDoorRadius = 3.0f;
constexpr float kAutomaticDoorRadius = 1.5f;
constexpr float kLampHeight = 2.8f;
constexpr float kLampRadius = 9.0f;
constexpr float kKeyModelScale = 0.2f;
constexpr float kKeyRadius = 1.5f;
constexpr float kKeyHeight = 0.1f;
constexpr float kVorlaxHeight = 2.0f;
constexpr float kVorlaxRadius = 10.0f;
constexpr float kGeneratorRadius = 3.0f;
constexpr float kCoreRadius = 1.0f;

// How each kind of wall-mounted pickup is made and hung.
struct WallMount {
    const char* word;  // for messages
    float modelScale;
    float radius;
    float inset;  // from the wall into the block
    float height;
};
constexpr WallMount kWeaponMount{"WEAPON", 0.1f, 0.5f, 0.1f, 1.5f};
constexpr WallMount kFlashlightMount{"FLASHLIGHT", 0.5f, 1.5f, 0.6f, 0.2f};
constexpr WallMount kMedikitMount{"MEDIKIT", 0.4f, 0.5f, 0.1f, 1.5f};

// Hands the object to its group, which owns it from then on.
template <class Kind>
Kind* Attach(std::unique_ptr<Kind> object, CObject& group) {
    Kind* attached = object.release();
    attached->AttachTo(&group);
    return attached;
}

class MapBuilder {
public:
    MapBuilder(const std::string& source, Level& level, ModelCache& models, CObject& doors, CObject& lights,
               CObject& pickups, CObject& enemies, Player& player, LevelCollider& collider, LampCounter& lamps)
        : source(source), level(level), textures(level.Textures()), models(models), doors(doors), lights(lights),
          pickups(pickups), enemies(enemies), player(player), collider(collider), lamps(lamps) {}

    // In file order, so that models are cached before the objects that look
    // them up and a later "mapsize" drops the blocks before it.
    void Build(const MapDescription& map) {
        for (const MapEntry& entry : map.entries) std::visit([this](const auto& e) { Apply(e); }, entry);
    }

private:
    void Apply(const MapSize& size) { level.Resize(size.rows, size.columns); }
    void Apply(const MapBlockSize& size) { level.SetBlockSize(size.size); }

    void Apply(const MapSkybox& sky) {
        static int Skybox::*const kFaces[] = {&Skybox::west,  &Skybox::east,  &Skybox::top,
                                              &Skybox::bottom, &Skybox::north, &Skybox::south};
        for (size_t i = 0; i < sky.names.size() && i < 6; ++i) level.Sky().*kFaces[i] = Texture(sky.names[i]);
    }

    void Apply(const MapResources& list) {
        for (const std::string& name : list.names) {
            if (list.kind == MapResourceKind::kModels)
                models.Load(name);
            else if (textures)
                textures->Load(name);
        }
    }

    void Apply(const MapBlock& entry) {
        // Checked before anything of the block is made: its objects would
        // otherwise stand outside the compound, owned by no block.
        if (entry.row < 1 || entry.row > level.Rows() || entry.column < 1 || entry.column > level.Columns()) {
            std::fprintf(stderr, "%s: block %d %d lies outside the %d x %d map; it and its objects are skipped\n",
                         source.c_str(), entry.row, entry.column, level.Rows(), level.Columns());
            return;
        }
        auto block = std::make_unique<Block>(entry.row, entry.column);
        for (const MapBlockItem& item : entry.items) std::visit([&](const auto& i) { Add(*block, i); }, item);
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
        const FaceLists& lists = level.FaceListNames();
        switch (face.slot) {
            case MapFaceSlot::kCeiling:
                if (face.type == "NO_LIGHT") return std::make_unique<Ceiling>(static_cast<int>(lists.ceiling));
                return nullptr;
            case MapFaceSlot::kFloor:
                if (face.type == "NORMAL_FLOOR") return std::make_unique<FloorTile>(static_cast<int>(lists.floor));
                return nullptr;
            default:
                if (face.type == "WALL") return std::make_unique<Wall>(static_cast<int>(lists.wall));
                return nullptr;
        }
    }

    void Add(Block& block, const MapObject& object) {
        const int row = block.row;
        const int column = block.column;
        switch (object.kind) {
            case MapObjectKind::kLockedDoor:
            case MapObjectKind::kAutomaticDoor: AddDoor(block, object); break;
            case MapObjectKind::kLight:
                Attach(std::make_unique<Light>(lamps.Next(), MapBlockCentre(row, column, kLampHeight), kLampRadius),
                       lights);
                break;
            case MapObjectKind::kWeapon: AddWallPickup<Weapon>(block, kWeaponMount); break;
            case MapObjectKind::kFlashlight: AddWallPickup<Flashlight>(block, kFlashlightMount); break;
            case MapObjectKind::kMedikit: AddWallPickup<Medikit>(block, kMedikitMount); break;
            case MapObjectKind::kKey: {
                auto key = std::make_unique<Key>(&models, object.model, kKeyModelScale);
                key->radius = kKeyRadius;
                key->position = MapBlockCentre(row, column, kKeyHeight);
                key->keyId = object.keyId;
                Attach(std::move(key), pickups);
                break;
            }
            case MapObjectKind::kVorlax: {
                auto mesh = std::make_unique<VorlaxMesh>(&models, textures, &player);
                auto vorlax = std::make_unique<Vorlax>(textures, &collider, &level);
                vorlax->position = MapBlockCentre(row, column, kVorlaxHeight);
                vorlax->radius = kVorlaxRadius;
                mesh->position = vorlax->position;
                Attach(std::move(mesh), *vorlax);
                Attach(std::move(vorlax), enemies);
                break;
            }
            case MapObjectKind::kGenerator: {
                auto generator = std::make_unique<Generator>(&models, textures);
                auto core = std::make_unique<GeneratorCore>(&models, textures);
                generator->position = MapBlockCorner(row, column);
                generator->radius = kGeneratorRadius;
                core->position = generator->position;
                core->position.y = GeneratorCore::kHeight;
                core->radius = kCoreRadius;
                Attach(std::move(core), *generator);
                Attach(std::move(generator), enemies);
                break;
            }
        }
    }

    void AddDoor(const Block& block, const MapObject& object) {
        Facing side = kFacingNorth;
        if (!MapSideFacing(object.side, side)) {
            std::fprintf(stderr, "%s: block %d %d: a door on \"%.40s\", which is no side of a block; it is skipped\n",
                         source.c_str(), block.row, block.column, object.side.c_str());
            return;
        }
        const Vector3 at = MapDoorPosition(block.row, block.column, side);
        std::unique_ptr<Door> door;
        if (object.kind == MapObjectKind::kLockedDoor) {
            auto locked = std::make_unique<LockedDoor>(at, kLockedDoorRadius);
            locked->keyId = object.keyId;
            door = std::move(locked);
        } else {
            door = std::make_unique<AutomaticDoor>(at, kAutomaticDoorRadius);
        }
        door->state = Door::kClosed;
        door->orientation = side;
        // A missing image's -1 is kept as it comes, like a face's.
        if (!object.texture.empty()) door->texture = static_cast<unsigned int>(Texture(object.texture));
        Attach(std::move(door), doors);
    }

    // Checked before the pickup is made, since making it fetches its models.
    template <class Kind>
    void AddWallPickup(const Block& block, const WallMount& mount) {
        Facing wall = kFacingNorth;
        if (!MapFirstWall(block, wall)) {
            std::fprintf(stderr, "%s: block %d %d: a %s needs a wall read before it to hang on; it is skipped\n",
                         source.c_str(), block.row, block.column, mount.word);
            return;
        }
        auto pickup = std::make_unique<Kind>(&models, mount.modelScale);
        pickup->radius = mount.radius;
        pickup->position = MapWallMountPosition(block.row, block.column, wall, mount.inset, mount.height);
        pickup->orientation = wall;
        Attach(std::move(pickup), pickups);
    }

    // The image is loaded when its name is first read; a name that would not
    // load gives -1, which the cache reports. Without a texture cache
    // nothing is textured.
    int Texture(const std::string& name) {
        if (!textures) return 0;
        textures->Load(name);
        return textures->Lookup(name);
    }

    const std::string& source;
    Level& level;
    TextureCache* textures;
    ModelCache& models;
    CObject& doors;
    CObject& lights;
    CObject& pickups;
    CObject& enemies;
    Player& player;
    LevelCollider& collider;
    LampCounter& lamps;
};

}  // namespace

int LampCounter::Next() {
    const int index = next;
    next = (next + 1) % Light::kGlLights;
    return index;
}

LampCounter& LampCounter::ProgramWide() {
    static LampCounter counter;
    return counter;
}

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

bool LoadMap(const std::string& fileName, Level& level, ModelCache& models, CObject& doors, CObject& lights,
             CObject& pickups, CObject& enemies, Player& player, LevelCollider& collider, LampCounter& lamps) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in.is_open()) return false;
    const MapDescription map = ReadMap(in);
    if (map.shortenedTokens > 0)
        std::fprintf(stderr, "%s: %d words longer than %zu characters were cut short\n", fileName.c_str(),
                     map.shortenedTokens, kMaxMapTokenLength);
    MapBuilder(fileName, level, models, doors, lights, pickups, enemies, player, collider, lamps).Build(map);
    return !map.readError;
}
