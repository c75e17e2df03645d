// armgun.3DS and armtorch.3DS: the player's arms, drawn at scale 0.02 from a
// point 0.25 below the eye, turned with the view. In the model frame z is
// up, -y points where the player looks and -x to the right; the eye sits at
// z = 12.5 (0.25 / 0.02). Everything the player should see lies between 5
// units (the near plane) and 40 units ahead, inside the lower right part of
// the 55-degree view; the forearms run out of view at the bottom.
#include "tools/assetgen/models.h"

#include "game/level_file/asset_names.h"
#include "tools/assetgen/model_builder.h"
#include "tools/assetgen/part_placement.h"

namespace assetgen {
namespace {

void AddArmMaterials(ModelBuilder& model)
{
    model.AddMaterial({"GunMetal", {0.22f, 0.24f, 0.27f}, 0.6f, 0.7f, 60});
    model.AddMaterial({"GunTrim", {0.85f, 0.45f, 0.1f}, 0.6f, 0.5f, 40});
    model.AddMaterial({"EnergyCell", {0.3f, 0.7f, 1.0f}, 0.6f, 0.8f, 70, 80});
    model.AddMaterial({"Glove", {0.32f, 0.22f, 0.14f}, 0.6f, 0.2f, 15});
    model.AddMaterial({"Sleeve", {0.22f, 0.3f, 0.2f}, 0.6f, 0.1f, 10});
}

// A gloved hand closed around a grip, and the forearm back out of view.
void AddArm(MeshBuilder& arm, Vector3 hand, Vector3 elbow)
{
    const Transform none;
    arm.UseMaterial("Glove");
    arm.Sphere(Transform::Translate(hand), {2.0f, 2.6f, 1.9f}, 12, 8);
    arm.Sphere(Transform::Translate(hand + Vector3{0, -1.8f, 0.6f}), {1.6f, 1.2f, 1.2f}, 10, 6);  // knuckles
    arm.UseMaterial("Sleeve");
    Limb(arm, none, hand + Vector3{0, 1.5f, -0.8f}, elbow, 1.8f, 2.6f, 12);
    arm.Torus(Between(none, hand + Vector3{0, 1.6f, -0.9f}, hand + Vector3{0, 2.4f, -1.3f}), 1.9f, 0.45f, 12, 6);  // cuff
}

void BuildGun(MeshBuilder& gun)
{
    const float x = -7.0f;
    gun.UseMaterial("GunMetal");
    gun.Box(Transform::Translate(x, -23.0f, 4.0f), {1.2f, 6.5f, 1.5f});               // receiver
    gun.Cylinder(Transform::Translate(x, -21.0f, 5.5f) * Transform::RotateX(90), 0.7f, 4.5f, 10);  // sight tube
    gun.Box(Transform::Translate(x, -18.0f, 1.3f) * Transform::RotateX(-15), {0.9f, 1.2f, 2.2f});  // grip
    gun.Cylinder(Transform::Translate(x, -34.0f, 4.6f) * Transform::RotateX(90), 0.8f, 5.0f, 14);  // barrel
    gun.UseMaterial("GunTrim");
    gun.Torus(Transform::Translate(x, -38.6f, 4.6f) * Transform::RotateX(90), 1.0f, 0.3f, 14, 6);  // muzzle
    gun.Box(Transform::Translate(x, -27.0f, 2.4f), {1.3f, 2.0f, 0.35f});             // trim band
    gun.UseMaterial("EnergyCell");
    // The charge cell on the inner side, where the player sees it glow.
    gun.Cylinder(Transform::Translate(x + 1.5f, -23.0f, 4.2f) * Transform::RotateX(90), 0.6f, 3.5f, 12);
}

void BuildTorch(MeshBuilder& torch)
{
    const float x = -2.0f;
    const float z = 1.8f;
    torch.UseMaterial("GunMetal");
    torch.Lathe(Transform::Translate(x, -19.0f, z) * Transform::RotateX(90),
                {{1.0f, 0.0f}, {1.05f, 8.0f}, {1.6f, 10.0f}, {1.6f, 12.0f}}, 14, true, false);
    torch.UseMaterial("GunTrim");
    torch.Torus(Transform::Translate(x, -25.0f, z) * Transform::RotateX(90), 1.1f, 0.25f, 12, 6);  // switch ring
    torch.UseMaterial("Lens");
    torch.Cylinder(Transform::Translate(x, -31.05f, z) * Transform::RotateX(90), 1.45f, 0.1f, 14);
}

}  // namespace

void WriteArmModels(OutputFolder& out)
{
    {
        ModelBuilder model;
        AddArmMaterials(model);
        BuildGun(model.AddMesh("Gun"));
        MeshBuilder& arm = model.AddMesh("RightArm");
        AddArm(arm, {-7.0f, -17.5f, 0.3f}, {-13.0f, -3.0f, -9.0f});
        model.Save(out, game_assets::kGunArm);
    }
    {
        ModelBuilder model;
        AddArmMaterials(model);
        model.AddMaterial({"Lens", {1.0f, 0.95f, 0.75f}, 0.6f, 0.9f, 80, 100});
        BuildTorch(model.AddMesh("Flashlight"));
        MeshBuilder& arm = model.AddMesh("LeftArm");
        AddArm(arm, {-2.0f, -21.0f, 1.4f}, {3.0f, -4.0f, -12.0f});
        model.Save(out, game_assets::kTorchArm);
    }
}

}  // namespace assetgen
