// toolbox.3DS and emptybox.3DS: the open tool box holding the flashlight,
// drawn at scale 0.5 with its origin 0.2 above the floor and 0.6 from the
// wall. z is up and the box faces +x, so the floor is at z = -0.4 and the
// wall's surface at x = -1.0; two units are one world unit.
#include "tools/assetgen/models.h"

#include "game/level_file/asset_names.h"
#include "tools/assetgen/asset_names.h"
#include "tools/assetgen/model_builder.h"

namespace assetgen {
namespace {

constexpr float kFloor = -0.4f;
constexpr float kBack = -0.85f;
constexpr float kFront = 0.05f;
constexpr float kHalfWidth = 0.8f;
constexpr float kHeight = 0.45f;

void AddToolboxMaterials(ModelBuilder& model)
{
    model.AddMaterial({"BoxPaint", {1, 1, 1}, 0.6f, 0.3f, 25, 0, 0, names::kToolboxPaint});
    model.AddMaterial({"BoxInside", {0.15f, 0.15f, 0.16f}, 0.6f, 0.1f, 10});
    model.AddMaterial({"Steel", {0.6f, 0.62f, 0.65f}, 0.6f, 0.7f, 60});
    model.AddMaterial({"TorchBody", {0.95f, 0.8f, 0.15f}, 0.6f, 0.6f, 50});
    model.AddMaterial({"TorchLens", {1.0f, 0.95f, 0.75f}, 0.6f, 0.9f, 80, 100});
}

void BuildBox(MeshBuilder& box)
{
    const float midX = (kBack + kFront) / 2;
    const float halfDepth = (kFront - kBack) / 2;
    const float wall = 0.04f;
    box.UseTextureDensity(1.0f);
    box.UseMaterial("BoxPaint");
    box.Box(Transform::Translate(midX, 0, kFloor + wall / 2), {halfDepth, kHalfWidth, wall / 2});
    box.Box(Transform::Translate(kBack + wall / 2, 0, kFloor + kHeight / 2), {wall / 2, kHalfWidth, kHeight / 2});
    box.Box(Transform::Translate(kFront - wall / 2, 0, kFloor + kHeight / 2), {wall / 2, kHalfWidth, kHeight / 2});
    for (float y : {-kHalfWidth + wall / 2, kHalfWidth - wall / 2}) {
        box.Box(Transform::Translate(midX, y, kFloor + kHeight / 2), {halfDepth, wall / 2, kHeight / 2});
    }
    // The lid stands open against the wall.
    box.Box(Transform::Translate(kBack - 0.03f, 0, kFloor + kHeight + 0.42f) * Transform::RotateY(-4),
            {0.03f, kHalfWidth, 0.42f});
    box.UseMaterial("BoxInside");
    box.Box(Transform::Translate(midX, 0, kFloor + wall + 0.005f), {halfDepth - wall, kHalfWidth - wall, 0.005f});
    // Handle and latches.
    box.UseMaterial("Steel");
    box.Torus(Transform::Translate(kBack - 0.09f, 0, kFloor + kHeight + 0.6f) * Transform::RotateY(90), 0.16f, 0.025f,
              12, 6);
    for (float y : {-0.55f, 0.55f}) {
        box.Box(Transform::Translate(kFront + 0.01f, y, kFloor + kHeight - 0.06f), {0.02f, 0.06f, 0.05f});
    }
}

void BuildFlashlight(MeshBuilder& torch)
{
    const float x = (kBack + kFront) / 2;
    const float z = kFloor + 0.16f;
    torch.UseMaterial("TorchBody");
    torch.Lathe(Transform::Translate(x, -0.45f, z) * Transform::RotateX(-90),
                {{0.08f, 0.0f}, {0.085f, 0.6f}, {0.13f, 0.72f}, {0.13f, 0.85f}}, 14, true, false);
    torch.UseMaterial("TorchLens");
    torch.Cylinder(Transform::Translate(x, 0.405f, z) * Transform::RotateX(-90), 0.12f, 0.01f, 14);
    torch.UseMaterial("Steel");
    torch.Box(Transform::Translate(x, -0.1f, z + 0.085f), {0.02f, 0.05f, 0.01f});  // switch
}

void BuildWrench(MeshBuilder& wrench)
{
    wrench.UseMaterial("Steel");
    wrench.Box(Transform::Translate(-0.35f, 0.2f, kFloor + 0.06f) * Transform::RotateZ(25), {0.04f, 0.35f, 0.015f});
    wrench.Torus(Transform::Translate(-0.22f, 0.52f, kFloor + 0.06f), 0.07f, 0.02f, 10, 5);
}

}  // namespace

void WriteToolboxModels(OutputFolder& out)
{
    {
        ModelBuilder model;
        AddToolboxMaterials(model);
        BuildBox(model.AddMesh("Box"));
        BuildFlashlight(model.AddMesh("Flashlight"));
        BuildWrench(model.AddMesh("Wrench"));
        model.Save(out, game_assets::kToolBox);
    }
    {
        ModelBuilder model;
        AddToolboxMaterials(model);
        BuildBox(model.AddMesh("Box"));
        BuildWrench(model.AddMesh("Wrench"));
        model.Save(out, game_assets::kEmptyToolBox);
    }
}

}  // namespace assetgen
