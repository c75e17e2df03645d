// medikit.3DS and emptykit.3DS: a first-aid cabinet on the wall, drawn at
// scale 0.4 with its centre 1.5 above the floor and its back 0.1 from the
// wall. z is up and the cabinet faces -y, so its back lies on y = 0; 2.5
// units are one world unit. The full cabinet is closed and shows its red
// cross; the empty one stands open.
#include "tools/assetgen/models.h"

#include "game/level_file/asset_names.h"
#include "tools/assetgen/asset_names.h"
#include "tools/assetgen/model_builder.h"

namespace assetgen {
namespace {

constexpr float kHalfWidth = 0.85f;
constexpr float kHalfHeight = 0.65f;
constexpr float kDepth = 0.4f;
constexpr float kWall = 0.04f;

void AddKitMaterials(ModelBuilder& model)
{
    model.AddMaterial({"CabinetWhite", {0.9f, 0.9f, 0.88f}, 0.6f, 0.4f, 30});
    model.AddMaterial({"CabinetInside", {0.35f, 0.37f, 0.38f}, 0.6f, 0.1f, 10});
    model.AddMaterial({"CrossLabel", {1, 1, 1}, 0.6f, 0.3f, 20, 0, 0, names::kMedikitLabel});
    model.AddMaterial({"CrossLamp", {1.0f, 0.15f, 0.12f}, 0.6f, 0.4f, 40, 80});
}

void BuildCabinet(MeshBuilder& cabinet)
{
    cabinet.UseMaterial("CabinetWhite");
    const float midY = -kDepth / 2;
    cabinet.Box(Transform::Translate(0, -kWall / 2, 0), {kHalfWidth, kWall / 2, kHalfHeight});  // back
    for (float x : {-kHalfWidth + kWall / 2, kHalfWidth - kWall / 2}) {
        cabinet.Box(Transform::Translate(x, midY, 0), {kWall / 2, kDepth / 2, kHalfHeight});
    }
    for (float z : {-kHalfHeight + kWall / 2, kHalfHeight - kWall / 2}) {
        cabinet.Box(Transform::Translate(0, midY, z), {kHalfWidth, kDepth / 2, kWall / 2});
    }
    cabinet.UseMaterial("CabinetInside");
    cabinet.Box(Transform::Translate(0, -kWall - 0.005f, 0), {kHalfWidth - kWall, 0.005f, kHalfHeight - kWall});
    cabinet.Box(Transform::Translate(0, midY, -0.05f), {kHalfWidth - kWall, kDepth / 2 - kWall, 0.015f});  // shelf
    // A warning lamp on top.
    cabinet.UseMaterial("CrossLamp");
    cabinet.Sphere(Transform::Translate(0, midY, kHalfHeight), {0.08f, 0.08f, 0.06f}, 10, 5);
}

// The door, hinged on the cabinet's left edge (x = -kHalfWidth) and opened
// by `openDegrees`; its front carries the cross label.
void BuildDoor(MeshBuilder& door, float openDegrees)
{
    const Transform hinge = Transform::Translate(-kHalfWidth, -kDepth, 0) * Transform::RotateZ(-openDegrees);
    door.UseMaterial("CabinetWhite");
    door.Box(hinge * Transform::Translate(kHalfWidth, -0.02f, 0), {kHalfWidth, 0.02f, kHalfHeight});
    door.UseMaterial("CrossLabel");
    const float inset = 0.12f;
    auto at = [&](float x, float z) { return hinge.Point({x, -0.041f, z}); };
    const int a = door.Vertex(at(inset, -kHalfHeight + inset), 0, 0);
    const int b = door.Vertex(at(2 * kHalfWidth - inset, -kHalfHeight + inset), 1, 0);
    const int c = door.Vertex(at(2 * kHalfWidth - inset, kHalfHeight - inset), 1, 1);
    const int d = door.Vertex(at(inset, kHalfHeight - inset), 0, 1);
    door.Quad(a, b, c, d);  // faces -y, out of the cabinet
    door.UseMaterial("CabinetInside");
    door.Box(hinge * Transform::Translate(2 * kHalfWidth - 0.08f, -0.07f, 0), {0.02f, 0.03f, 0.12f});  // handle
}

}  // namespace

void WriteMedikitModels(OutputFolder& out)
{
    {
        ModelBuilder model;
        AddKitMaterials(model);
        BuildCabinet(model.AddMesh("Cabinet"));
        BuildDoor(model.AddMesh("Door"), 0.0f);
        model.Save(out, game_assets::kMedikit);
    }
    {
        ModelBuilder model;
        AddKitMaterials(model);
        BuildCabinet(model.AddMesh("Cabinet"));
        BuildDoor(model.AddMesh("Door"), 105.0f);
        model.Save(out, game_assets::kEmptyMedikit);
    }
}

}  // namespace assetgen
