// armgun.3DS and armtorch.3DS: the player's arms, drawn at scale 0.02 from a
// point 0.25 below the eye, turned with the view. In the model frame z is
// up, -y points where the player looks and -x to the right; the eye sits at
// z = 12.5 (0.25 / 0.02). Everything the player should see lies between 5
// units (the near plane) and 40 units ahead, inside the lower right part of
// the 55-degree view; the forearms run out of view at the bottom.
#include "models.h"

#include "model_builder.h"
#include "part_placement.h"

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
void AddArm(MeshBuilder& arm, V3 hand, V3 elbow)
{
    const Transform none;
    arm.UseMaterial("Glove");
    arm.Sphere(Transform::Translate(hand), {2.0f, 2.6f, 1.9f}, 12, 8);
    arm.Sphere(Transform::Translate(hand + V3{0, -1.8f, 0.6f}), {1.6f, 1.2f, 1.2f}, 10, 6);  // knuckles
    arm.UseMaterial("Sleeve");
    Limb(arm, none, hand + V3{0, 1.5f, -0.8f}, elbow, 1.8f, 2.6f, 12);
    arm.Torus(Between(none, hand + V3{0, 1.6f, -0.9f}, hand + V3{0, 2.4f, -1.3f}), 1.9f, 0.45f, 12, 6);  // cuff
}

void BuildGun(MeshBuilder& gun)
{
    const float x = -6.5f;
    gun.UseMaterial("GunMetal");
    gun.Box(Transform::Translate(x, -22.0f, 4.5f), {1.6f, 7.0f, 2.0f});              // receiver
    gun.Box(Transform::Translate(x, -20.0f, 6.9f), {0.9f, 4.0f, 0.5f});              // top rail
    gun.Box(Transform::Translate(x, -16.5f, 1.5f) * Transform::RotateX(-15), {1.0f, 1.4f, 2.6f});  // grip
    gun.Cylinder(Transform::Translate(x, -33.0f, 5.2f) * Transform::RotateX(90), 0.9f, 5.0f, 14);  // barrel
    gun.UseMaterial("GunTrim");
    gun.Torus(Transform::Translate(x, -37.6f, 5.2f) * Transform::RotateX(90), 1.1f, 0.35f, 14, 6);  // muzzle
    gun.Box(Transform::Translate(x, -26.0f, 2.3f), {1.7f, 2.5f, 0.4f});              // trim band
    gun.UseMaterial("EnergyCell");
    gun.Cylinder(Transform::Translate(x - 1.8f, -22.0f, 4.6f) * Transform::RotateX(90), 0.7f, 4.0f, 12);
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
        AddArm(arm, {-6.5f, -16.0f, 0.5f}, {-13.0f, -3.0f, -9.0f});
        model.Save(out, "armgun.3DS");
    }
    {
        ModelBuilder model;
        AddArmMaterials(model);
        model.AddMaterial({"Lens", {1.0f, 0.95f, 0.75f}, 0.6f, 0.9f, 80, 100});
        BuildTorch(model.AddMesh("Flashlight"));
        MeshBuilder& arm = model.AddMesh("LeftArm");
        AddArm(arm, {-2.0f, -21.0f, 1.4f}, {3.0f, -4.0f, -12.0f});
        model.Save(out, "armtorch.3DS");
    }
}

}  // namespace assetgen
