// Key models: one per key the map places (red and blue). Drawn at scale 0.2
// with the origin 0.1 above the floor and turned -90 degrees about x, so z
// is up, the key lies flat and its underside is at z = -0.5; five units are
// one world unit. A glowing gem in the bow shows the key in the dark.
#include "tools/assetgen/models.h"

#include "tools/assetgen/asset_names.h"
#include "tools/assetgen/model_builder.h"

namespace assetgen {
namespace {

constexpr float kUnderside = -0.5f;

void BuildKey(MeshBuilder& key)
{
    const float thickness = 0.12f;
    const float z = kUnderside + thickness;
    key.UseMaterial("KeyMetal");
    key.Torus(Transform::Translate(-1.3f, 0, z), 0.7f, thickness, 20, 8);       // the bow
    key.Box(Transform::Translate(0.6f, 0, z), {1.3f, 0.14f, thickness});         // the shank
    key.Box(Transform::Translate(1.4f, -0.35f, z), {0.12f, 0.25f, thickness});  // bit teeth
    key.Box(Transform::Translate(1.75f, -0.3f, z), {0.1f, 0.2f, thickness});
    key.Box(Transform::Translate(1.05f, -0.28f, z), {0.08f, 0.16f, thickness});
    key.UseMaterial("KeyGem");
    key.Sphere(Transform::Translate(-1.3f, 0, kUnderside + 0.16f), {0.38f, 0.38f, 0.16f}, 12, 6);
}

void WriteKey(OutputFolder& out, const char* fileName, Rgb3 gem)
{
    ModelBuilder model;
    model.AddMaterial({"KeyMetal", {0.85f, 0.72f, 0.35f}, 0.6f, 0.9f, 80, 25});
    model.AddMaterial({"KeyGem", gem, 0.6f, 0.9f, 90, 100});
    BuildKey(model.AddMesh("Key"));
    model.Save(out, fileName);
}

}  // namespace

void WriteKeyModels(OutputFolder& out)
{
    WriteKey(out, names::kRedKey, {1.0f, 0.12f, 0.1f});
    WriteKey(out, names::kBlueKey, {0.15f, 0.4f, 1.0f});
}

}  // namespace assetgen
