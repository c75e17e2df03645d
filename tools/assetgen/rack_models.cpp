// rack.3DS and fullrack.3DS: the weapon rack on a wall, drawn at scale 0.1
// with its centre 1.5 above the floor and its back 0.1 from the wall (on the
// wall's surface). y is up, the rack faces +z and its back lies on z = 0;
// ten units are one world unit, so the board spans 1.6 x 1.2.
#include "tools/assetgen/models.h"

#include "game/level_file/asset_names.h"
#include "tools/assetgen/model_builder.h"

namespace assetgen {
namespace {

void AddRackMaterials(ModelBuilder& model)
{
    model.AddMaterial({"RackFrame", {0.3f, 0.32f, 0.35f}, 0.6f, 0.5f, 40});
    model.AddMaterial({"RackBoard", {0.15f, 0.2f, 0.28f}, 0.6f, 0.2f, 15});
    model.AddMaterial({"RackLamp", {0.2f, 1.0f, 0.35f}, 0.6f, 0.5f, 50, 90});
    model.AddMaterial({"GunMetal", {0.22f, 0.24f, 0.27f}, 0.6f, 0.7f, 60});
    model.AddMaterial({"GunTrim", {0.85f, 0.45f, 0.1f}, 0.6f, 0.5f, 40});
    model.AddMaterial({"EnergyCell", {0.3f, 0.7f, 1.0f}, 0.6f, 0.8f, 70, 80});
}

void BuildRack(MeshBuilder& rack)
{
    rack.UseMaterial("RackBoard");
    rack.Box(Transform::Translate(0, 0, 0.25f), {8.0f, 6.0f, 0.25f});
    rack.UseMaterial("RackFrame");
    rack.Box(Transform::Translate(0, 6.2f, 0.5f), {8.4f, 0.4f, 0.5f});
    rack.Box(Transform::Translate(0, -6.2f, 0.5f), {8.4f, 0.4f, 0.5f});
    rack.Box(Transform::Translate(-8.2f, 0, 0.5f), {0.4f, 5.8f, 0.5f});
    rack.Box(Transform::Translate(8.2f, 0, 0.5f), {0.4f, 5.8f, 0.5f});
    // Two hooks for the rifle and a shelf for the clips.
    for (float x : {-4.5f, 4.5f}) {
        rack.Box(Transform::Translate(x, 0.5f, 1.6f), {0.5f, 0.5f, 1.1f});
        rack.Box(Transform::Translate(x, 1.3f, 2.5f), {0.5f, 1.0f, 0.3f});
    }
    rack.Box(Transform::Translate(0, -4.0f, 1.4f), {6.0f, 0.3f, 1.1f});
    // A status lamp above the rifle.
    rack.UseMaterial("RackLamp");
    rack.Box(Transform::Translate(0, 4.6f, 0.6f), {2.5f, 0.35f, 0.15f});
}

void BuildRifle(MeshBuilder& rifle)
{
    // The same rifle the player carries, lying across the hooks.
    rifle.UseMaterial("GunMetal");
    rifle.Box(Transform::Translate(-1.5f, 1.5f, 2.0f), {5.5f, 1.1f, 0.6f});
    rifle.Box(Transform::Translate(-4.0f, 0.0f, 2.0f) * Transform::RotateZ(-15), {0.8f, 1.5f, 0.5f});
    rifle.Cylinder(Transform::Translate(6.0f, 1.8f, 2.0f) * Transform::RotateY(90), 0.5f, 1.8f, 12);
    rifle.UseMaterial("GunTrim");
    rifle.Torus(Transform::Translate(7.6f, 1.8f, 2.0f) * Transform::RotateY(90), 0.65f, 0.2f, 12, 6);
    rifle.UseMaterial("EnergyCell");
    rifle.Cylinder(Transform::Translate(-1.0f, 0.4f, 2.0f) * Transform::RotateY(90), 0.4f, 2.5f, 10);
    // Three spare clips on the shelf.
    for (int clip = 0; clip < 3; ++clip) {
        rifle.Box(Transform::Translate(-3.0f + clip * 3.0f, -2.9f, 1.4f), {0.9f, 0.8f, 0.5f});
    }
}

}  // namespace

void WriteRackModels(OutputFolder& out)
{
    {
        ModelBuilder model;
        AddRackMaterials(model);
        BuildRack(model.AddMesh("Rack"));
        model.Save(out, game_assets::kEmptyRack);
    }
    {
        ModelBuilder model;
        AddRackMaterials(model);
        BuildRack(model.AddMesh("Rack"));
        BuildRifle(model.AddMesh("Rifle"));
        model.Save(out, game_assets::kFullRack);
    }
}

}  // namespace assetgen
