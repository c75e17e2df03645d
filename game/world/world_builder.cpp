// Building the world: the map, the arms, the groups' spheres, the surface.
#include "game/world/world_builder.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/platform/regular_file.h"
#include "framework/load3ds/model.h"
#include "game/level_file/level_rules.h"
#include "game/render/skybox.h"
#include "game/render/surface_plain.h"
#include "game/world/map_loader.h"
#include "game/world/world.h"

namespace {

// Each group's sphere must hold the whole level, or nothing in the part
// left out could ever touch the player. Columns run along x, rows along z;
// the larger side sets the radius.
void SizeGroups(World& w) {
    const float rows = static_cast<float>(w.level.Rows());
    const float columns = static_cast<float>(w.level.Columns());
    for (CObject* group : {&w.doors, &w.lights, &w.pickups, &w.playerGroup, &w.enemies}) {
        group->radius = kMapBlockUnits * std::max(rows, columns);
        group->position = Vector3(kMapBlockUnits * columns / 2.0f, 1.5f, kMapBlockUnits * rows / 2.0f);
    }
}

// The surface is drawn translated to kSurfaceOffset and turned -90 degrees
// about x, which takes a model point (x, y, z) to (x, z, -y).
void LoadSurface(World& w) {
    w.planetSurface = std::make_unique<ondra::Model>();
    w.hasSurface = w.planetSurface->Load(game_assets::kSurface);
    if (!w.hasSurface) std::printf("PlanetSurface model could not be loaded!\n");
    const ondra::Vec3 centre = w.planetSurface->GetCentre();
    const ondra::Vec3 size = w.planetSurface->GetSize();
    const Vector3 placedCentre = World::kSurfaceOffset + Vector3(centre.x, centre.z, -centre.y);
    const Vector3 half(size.x / 2.0f, size.z / 2.0f, size.y / 2.0f);
    w.surfaceBox = Box3{placedCentre - half, placedCentre + half};
}

// Outdoors the player walks on the surface's plain, at the height the eye
// keeps there: beyond it the hills rise over the eye, and a player walking
// on would stand inside them and see through their backs. A surface or sky
// that ends sooner (another surface in the data) bounds it kEdgeMargin in
// from its edge: the sky cube's faces stand round the origin, and from
// beyond one the view is black. Inside the level its walls bound the walk.
void BoundWalking(World& w) {
    constexpr float kEdgeMargin = 5.0f;
    const float sky = Skybox::kHalfSide - kEdgeMargin;
    Box3 area{Vector3(std::max(surface_plain::kMinX, -sky), 0.0f, std::max(surface_plain::kMinZ, -sky)),
              Vector3(std::min(surface_plain::kMaxX, sky), 0.0f, std::min(surface_plain::kMaxZ, sky))};
    if (w.hasSurface) {
        area.min.x = std::max(area.min.x, w.surfaceBox.min.x + kEdgeMargin);
        area.min.z = std::max(area.min.z, w.surfaceBox.min.z + kEdgeMargin);
        area.max.x = std::min(area.max.x, w.surfaceBox.max.x - kEdgeMargin);
        area.max.z = std::min(area.max.z, w.surfaceBox.max.z - kEdgeMargin);
    }
    w.player->SetWalkArea(area);
}

// The map could not be read at all (or not to its end): says why. A map
// that cannot be opened leaves nothing to play, and the game ends as for
// any data it cannot use.
void ReportUnreadMap(const std::string& mapFile) {
    std::FILE* file = ondra::platform::OpenRegularFile(mapFile.c_str());
    if (file) {
        std::fclose(file);
        std::fprintf(stderr, "compound: %s: a read error stopped the reading of the map; the rest of it is missing\n",
                     mapFile.c_str());
        return;
    }
    const int reason = errno;
    const std::string why = reason == EISDIR   ? "it is a directory, not a map file"
                            : reason == EINVAL ? "it is not a regular file"
                                               : std::strerror(reason);
    std::fprintf(stderr, "compound: cannot read the map %s: %s\n", mapFile.c_str(), why.c_str());
    std::fflush(stdout);
    std::exit(1);
}

}  // namespace

void BuildWorld(World& w, const std::string& mapFile) {
    w.level.BuildFaceLists(1.0f);
    // The map's objects use only the models its "models" entries load, as
    // map-check requires: the game and the check agree on what a map needs.
    w.models.UseListedOnly();
    if (!LoadMap(mapFile, w)) ReportUnreadMap(mapFile);
    w.models.SetUser("the player");
    for (const char* arm : game_assets::kArmModels) w.models.Lookup(arm)->SetScale(Player::kArmModelScale);
    w.models.SetUser(std::string());
    SizeGroups(w);
    LoadSurface(w);
    BoundWalking(w);
    w.player->AttachTo(&w.playerGroup);
}
