// surface.3DS: the planet's ground around the compound. The game draws it
// translated by (-0.6, 3.5, 29.05) and turned -90 degrees about x, so a
// world point (x, height, z) is the model point (x + 0.6, 29.05 - z,
// height - 3.5). Everything here is built in world coordinates and moved
// into the model frame by kWorldToModel.
//
// The ground is level at height 3 over the compound's roof and the walk
// from the start point to the entrance, and rolls into rocky hills further
// out. A trench cuts the ramp down to the entrance, and two beacon masts
// with a gantry mark it from afar.
#include "tools/assetgen/models.h"

#include "game/level_file/asset_names.h"
#include "game/render/surface_plain.h"
#include "tools/assetgen/asset_names.h"
#include "tools/assetgen/model_builder.h"
#include "tools/assetgen/noise.h"
#include "tools/assetgen/random.h"

#include <algorithm>
#include <cmath>

namespace assetgen {
namespace {

const Transform kWorldToModel = Transform::Translate(0.6f, 29.05f, -3.5f) * Transform::RotateX(90.0f);

constexpr float kGroundHeight = 3.0f;
constexpr float kExtent = 90.0f;
// The level ground: the compound (x, z in 0..42), the ramp and the walk
// from the start point (-15, 50), where the game keeps the player.
constexpr float kFlatMinX = surface_plain::kMinX, kFlatMaxX = surface_plain::kMaxX;
constexpr float kFlatMinZ = surface_plain::kMinZ, kFlatMaxZ = surface_plain::kMaxZ;
// The trench of the ramp.
constexpr float kTrenchMinX = -6.0f, kTrenchMaxX = 0.0f, kTrenchMinZ = 0.0f, kTrenchMaxZ = 3.0f;

float Smoothstep(float a, float b, float x)
{
    const float t = std::clamp((x - a) / (b - a), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

float DistanceFromFlat(float x, float z)
{
    const float dx = std::max({kFlatMinX - x, 0.0f, x - kFlatMaxX});
    const float dz = std::max({kFlatMinZ - z, 0.0f, z - kFlatMaxZ});
    return std::hypot(dx, dz);
}

float GroundHeight(float x, float z)
{
    const float d = DistanceFromFlat(x, z);
    const float hills = Fbm3(x * 0.025f, z * 0.025f, 0.5f, 4, 701);
    const float bumps = Fbm3(x * 0.3f, z * 0.3f, 1.5f, 2, 702);
    return kGroundHeight + Smoothstep(0.0f, 30.0f, d) * (hills - 0.3f) * 16.0f +
           Smoothstep(0.0f, 4.0f, d) * (bumps - 0.5f) * 0.8f;
}

// Grid lines every `step`, plus the given lines, so the flat area's and the
// trench's edges fall on grid lines.
std::vector<float> GridLines(float step, std::vector<float> required)
{
    std::vector<float> lines = required;
    for (float v = -kExtent; v <= kExtent + 0.01f; v += step) {
        bool nearRequired = false;
        for (float r : required) {
            nearRequired = nearRequired || std::fabs(v - r) < step * 0.4f;
        }
        if (!nearRequired) {
            lines.push_back(v);
        }
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

Vector3 ToModel(float x, float height, float z) { return kWorldToModel.Point({x, height, z}); }

// Adds a world-space quad wound so that it faces `outward`.
void FacingQuad(MeshBuilder& mesh, Vector3 a, Vector3 b, Vector3 c, Vector3 d, Vector3 outward, float uvScale)
{
    const Vector3 normal = Cross(b - a, c - b);
    if (Dot(normal, outward) < 0.0f) {
        std::swap(b, d);
    }
    auto vertex = [&](Vector3 p) {
        const Vector3 m = kWorldToModel.Point(p);
        // Project the texture along the face's dominant axis.
        const float u = std::fabs(outward.x) > 0.5f ? p.z : p.x;
        const float v = std::fabs(outward.y) > 0.5f ? p.z : p.y;
        return mesh.Vertex(m, u * uvScale, v * uvScale);
    };
    mesh.Quad(vertex(a), vertex(b), vertex(c), vertex(d));
}

void BuildGround(MeshBuilder& ground)
{
    const std::vector<float> xs = GridLines(6.0f, {kFlatMinX, kTrenchMinX, kTrenchMaxX, 42.0f, kFlatMaxX});
    const std::vector<float> zs = GridLines(6.0f, {kFlatMinZ, kTrenchMinZ, kTrenchMaxZ, 42.0f, kFlatMaxZ});
    const int columns = static_cast<int>(xs.size());
    std::vector<int> index(xs.size() * zs.size());
    std::vector<float> heights(index.size());
    for (size_t j = 0; j < zs.size(); ++j) {
        for (size_t i = 0; i < xs.size(); ++i) {
            const float h = GroundHeight(xs[i], zs[j]);
            heights[j * columns + i] = h;
            index[j * columns + i] = ground.Vertex(ToModel(xs[i], h, zs[j]), xs[i] / 8.0f, zs[j] / 8.0f);
        }
    }
    for (size_t j = 0; j + 1 < zs.size(); ++j) {
        for (size_t i = 0; i + 1 < xs.size(); ++i) {
            const float cx = (xs[i] + xs[i + 1]) / 2;
            const float cz = (zs[j] + zs[j + 1]) / 2;
            if (cx > kTrenchMinX && cx < kTrenchMaxX && cz > kTrenchMinZ && cz < kTrenchMaxZ) {
                continue;  // the trench's hole
            }
            const int a = index[j * columns + i];
            const int b = index[j * columns + i + 1];
            const int c = index[(j + 1) * columns + i + 1];
            const int d = index[(j + 1) * columns + i];
            const float high = std::max({heights[j * columns + i], heights[j * columns + i + 1],
                                         heights[(j + 1) * columns + i], heights[(j + 1) * columns + i + 1]});
            // Hill tops are bare rock; the rest is dusty ground.
            ground.UseMaterial(high > 9.0f ? "HillRock" : "Ground");
            // World +z runs south and x east, so a, d, c, b turns
            // counter-clockwise seen from above.
            ground.Quad(a, d, c, b, 1);
        }
    }
}

void BuildTrench(MeshBuilder& trench)
{
    trench.UseMaterial("Concrete");
    const float top = kGroundHeight;
    // The ramp falls from the plain at x = -6 to the compound's floor at x = 0.
    FacingQuad(trench, {kTrenchMinX, top, kTrenchMinZ}, {kTrenchMaxX, 0, kTrenchMinZ}, {kTrenchMaxX, 0, kTrenchMaxZ},
               {kTrenchMinX, top, kTrenchMaxZ}, {0, 1, 0}, 0.25f);
    // Side walls down to below the ramp, with a low parapet above the plain.
    const float parapet = top + 0.5f;
    FacingQuad(trench, {kTrenchMinX, -0.2f, kTrenchMinZ}, {kTrenchMaxX, -0.2f, kTrenchMinZ},
               {kTrenchMaxX, parapet, kTrenchMinZ}, {kTrenchMinX, parapet, kTrenchMinZ}, {0, 0, 1}, 0.25f);
    FacingQuad(trench, {kTrenchMinX, -0.2f, kTrenchMaxZ}, {kTrenchMaxX, -0.2f, kTrenchMaxZ},
               {kTrenchMaxX, parapet, kTrenchMaxZ}, {kTrenchMinX, parapet, kTrenchMaxZ}, {0, 0, -1}, 0.25f);
    // Parapet tops and outer faces.
    for (float z : {kTrenchMinZ, kTrenchMaxZ}) {
        const float outside = z == kTrenchMinZ ? -0.3f : 0.3f;
        FacingQuad(trench, {kTrenchMinX, parapet, z}, {kTrenchMaxX, parapet, z}, {kTrenchMaxX, parapet, z + outside},
                   {kTrenchMinX, parapet, z + outside}, {0, 1, 0}, 0.25f);
        FacingQuad(trench, {kTrenchMinX, top - 0.1f, z + outside}, {kTrenchMaxX, top - 0.1f, z + outside},
                   {kTrenchMaxX, parapet, z + outside}, {kTrenchMinX, parapet, z + outside}, {0, 0, outside}, 0.25f);
    }
    // The compound's front above the entrance, where the roof meets the trench.
    FacingQuad(trench, {kTrenchMaxX, 3.0f, kTrenchMinZ}, {kTrenchMaxX, 3.0f, kTrenchMaxZ},
               {kTrenchMaxX, parapet, kTrenchMaxZ}, {kTrenchMaxX, parapet, kTrenchMinZ}, {-1, 0, 0}, 0.25f);
}

// Two masts with red beacons at the top of the ramp and a gantry between.
void BuildMarker(MeshBuilder& marker)
{
    const float x = kTrenchMinX - 0.8f;
    for (float z : {kTrenchMinZ - 0.8f, kTrenchMaxZ + 0.8f}) {
        marker.UseMaterial("MastSteel");
        marker.Cylinder(kWorldToModel * Transform::Translate(x, kGroundHeight + 3.5f, z) * Transform::RotateX(-90),
                        0.18f, 3.5f, 10);
        marker.Box(kWorldToModel * Transform::Translate(x, kGroundHeight + 0.15f, z), {0.5f, 0.15f, 0.5f});
        marker.UseMaterial("Beacon");
        marker.Sphere(kWorldToModel * Transform::Translate(x, kGroundHeight + 7.3f, z), {0.35f, 0.35f, 0.35f}, 10, 6);
    }
    marker.UseMaterial("MastSteel");
    marker.Box(kWorldToModel * Transform::Translate(x, kGroundHeight + 6.4f, 1.5f), {0.15f, 0.25f, 2.4f});
    // Guide lights from the start point towards the ramp.
    marker.UseMaterial("GuideLight");
    for (float z = 46.0f; z > 6.0f; z -= 8.0f) {
        marker.Box(kWorldToModel * Transform::Translate(-12.0f, kGroundHeight + 0.3f, z), {0.15f, 0.3f, 0.15f});
    }
    for (float px = -10.0f; px < -6.5f; px += 3.0f) {
        marker.Box(kWorldToModel * Transform::Translate(px, kGroundHeight + 0.3f, 4.5f), {0.15f, 0.3f, 0.15f});
    }
}

void BuildBoulders(MeshBuilder& rocks)
{
    rocks.UseMaterial("Boulder");
    Random random(711);
    int placed = 0;
    while (placed < 18) {
        const float x = random.Range(-80.0f, 80.0f);
        const float z = random.Range(-80.0f, 80.0f);
        if (DistanceFromFlat(x, z) < 3.0f) {
            continue;  // keep the walk clear
        }
        const float size = random.Range(0.8f, 3.0f);
        const Transform place = kWorldToModel * Transform::Translate(x, GroundHeight(x, z) + size * 0.2f, z) *
                                Transform::RotateY(random.Range(0.0f, 360.0f)) * Transform::RotateX(-90.0f);
        rocks.Sphere(place, {size * random.Range(0.8f, 1.4f), size * random.Range(0.7f, 1.2f), size * 0.6f}, 7, 4);
        ++placed;
    }
}

}  // namespace

void WriteSurfaceModel(OutputFolder& out)
{
    ModelBuilder model;
    model.AddMaterial({"Ground", {1, 1, 1}, 0.6f, 0.05f, 5, 0, 0, names::kGround});
    model.AddMaterial({"HillRock", {0.36f, 0.30f, 0.27f}, 0.6f, 0.1f, 10});
    model.AddMaterial({"Concrete", {1, 1, 1}, 0.6f, 0.1f, 10, 0, 0, names::kConcrete});
    model.AddMaterial({"MastSteel", {0.55f, 0.57f, 0.6f}, 0.6f, 0.6f, 50});
    model.AddMaterial({"Beacon", {1.0f, 0.15f, 0.1f}, 0.6f, 0.5f, 40, 100});
    model.AddMaterial({"GuideLight", {1.0f, 0.75f, 0.2f}, 0.6f, 0.3f, 30, 90});
    model.AddMaterial({"Boulder", {0.38f, 0.33f, 0.3f}, 0.6f, 0.05f, 5});
    BuildGround(model.AddMesh("Ground"));
    BuildTrench(model.AddMesh("Ramp"));
    BuildMarker(model.AddMesh("Beacons"));
    BuildBoulders(model.AddMesh("Boulders"));
    // The beacon gantry is built in place and keeps its pivot at the mast
    // feet, as a modeller would set it for turning the assembly.
    model.SetPivot("Beacons", ToModel(kTrenchMinX - 0.8f, kGroundHeight, 1.5f));
    model.Save(out, game_assets::kSurface);
}

}  // namespace assetgen
