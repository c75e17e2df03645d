// genbase.3DS, gendead.3DS and gencore.3DS: the generator, drawn at scale
// 1.5 on the floor at a corner of four blocks, and its core floating 2.15
// above it and spinning about x. y is up and both are centred on the origin;
// the base stands on y = 0. Two thirds of a unit is one world unit, so the
// core's centre is at y = 1.43 above the base in model units.
#include "tools/assetgen/models.h"

#include "game/level_file/asset_names.h"
#include "tools/assetgen/asset_names.h"
#include "tools/assetgen/model_builder.h"
#include "tools/assetgen/part_placement.h"

namespace assetgen {
namespace {

const Transform kUp = Transform::RotateX(-90);  // local z becomes +y

void AddGeneratorMaterials(ModelBuilder& model, bool dead)
{
    model.AddMaterial({"Plinth", {1, 1, 1}, 0.6f, 0.3f, 20, 0, 0, names::kWallHazard});
    model.AddMaterial({"Housing", dead ? Rgb3{0.12f, 0.11f, 0.1f} : Rgb3{0.35f, 0.38f, 0.42f}, 0.6f, 0.6f, 50});
    model.AddMaterial({"Copper", dead ? Rgb3{0.2f, 0.12f, 0.08f} : Rgb3{0.8f, 0.45f, 0.2f}, 0.6f, 0.8f, 70});
    model.AddMaterial({"Emitter", dead ? Rgb3{0.15f, 0.15f, 0.18f} : Rgb3{0.4f, 0.8f, 1.0f}, 0.6f, 0.9f, 80,
                       dead ? 0.0f : 90.0f});
}

void BuildPlinth(MeshBuilder& base)
{
    base.UseMaterial("Plinth");
    base.UseTextureDensity(1.0f);
    base.Lathe(kUp, {{0.68f, 0.0f}, {0.68f, 0.08f}, {0.6f, 0.12f}}, 8, false, true);
}

void BuildIntactBase(MeshBuilder& base)
{
    BuildPlinth(base);
    base.UseMaterial("Housing");
    base.Lathe(kUp, {{0.42f, 0.12f}, {0.38f, 0.55f}, {0.28f, 0.7f}, {0.2f, 0.75f}}, 16, false, true);
    base.UseMaterial("Copper");
    for (int coil = 0; coil < 3; ++coil) {
        base.Torus(Transform::Translate(0, 0.25f + coil * 0.13f, 0) * kUp, 0.42f - coil * 0.012f, 0.045f, 20, 6);
    }
    // Four prongs bending in towards the core.
    for (int prong = 0; prong < 4; ++prong) {
        const Transform turn = Transform::RotateY(45.0f + prong * 90.0f);
        const Vector3 foot{0.5f, 0.1f, 0};
        const Vector3 knee{0.55f, 0.8f, 0};
        const Vector3 tip{0.32f, 1.15f, 0};
        base.UseMaterial("Housing");
        Limb(base, turn, foot, knee, 0.06f, 0.05f, 8);
        Limb(base, turn, knee, tip, 0.05f, 0.035f, 8);
        base.UseMaterial("Emitter");
        base.Sphere(turn * Transform::Translate(tip), {0.06f, 0.06f, 0.06f}, 8, 5);
    }
}

void BuildWreck(MeshBuilder& base)
{
    BuildPlinth(base);
    base.UseMaterial("Housing");
    // The housing split and slumped, the coils fallen, prongs snapped.
    base.Lathe(Transform::RotateZ(6) * kUp, {{0.42f, 0.12f}, {0.38f, 0.45f}, {0.3f, 0.5f}}, 16, false, true);
    base.UseMaterial("Copper");
    base.Torus(Transform::Translate(0.05f, 0.2f, 0) * Transform::RotateZ(12) * kUp, 0.44f, 0.045f, 20, 6);
    base.Torus(Transform::Translate(-0.25f, 0.16f, 0.35f) * Transform::RotateX(-80), 0.3f, 0.04f, 16, 6);
    for (int prong = 0; prong < 4; ++prong) {
        const Transform turn = Transform::RotateY(45.0f + prong * 90.0f);
        const Vector3 foot{0.5f, 0.1f, 0};
        const Vector3 broken{0.6f + 0.05f * prong, 0.35f + 0.1f * (prong % 2), 0.1f * (prong - 1.5f)};
        base.UseMaterial("Housing");
        Limb(base, turn, foot, broken, 0.06f, 0.05f, 8);
        // The snapped-off upper part lies on the floor.
        base.UseMaterial("Emitter");
        const Vector3 lying0{0.85f, 0.04f, -0.15f + 0.1f * prong};
        const Vector3 lying1{1.05f, 0.04f, 0.2f + 0.05f * prong};
        Limb(base, turn, lying0, lying1, 0.04f, 0.035f, 6);
    }
}

void BuildCore(MeshBuilder& core)
{
    core.UseMaterial("CoreGlow");
    core.Sphere(Transform(), {0.2f, 0.2f, 0.2f}, 14, 8);
    core.UseMaterial("CoreCage");
    // Rings around the spin axis (x) and across it, so the spin shows.
    core.Torus(Transform::RotateY(90), 0.3f, 0.025f, 20, 6);
    core.Torus(Transform(), 0.32f, 0.02f, 20, 6);
    core.Torus(Transform::RotateX(90), 0.32f, 0.02f, 20, 6);
    for (float x : {-0.38f, 0.38f}) {
        core.Cylinder(Transform::Translate(x, 0, 0) * Transform::RotateY(90), 0.05f, 0.08f, 10);  // axle stubs
    }
}

}  // namespace

void WriteGeneratorModels(OutputFolder& out)
{
    {
        ModelBuilder model;
        AddGeneratorMaterials(model, false);
        BuildIntactBase(model.AddMesh("Generator"));
        model.Save(out, game_assets::kGeneratorBase);
    }
    {
        ModelBuilder model;
        AddGeneratorMaterials(model, true);
        BuildWreck(model.AddMesh("Wreck"));
        model.Save(out, game_assets::kGeneratorWreck);
    }
    {
        ModelBuilder model;
        model.AddMaterial({"CoreGlow", {0.5f, 0.9f, 1.0f}, 0.6f, 0.9f, 90, 100});
        model.AddMaterial({"CoreCage", {0.7f, 0.72f, 0.78f}, 0.6f, 0.9f, 80, 20});
        BuildCore(model.AddMesh("Core"));
        model.Save(out, game_assets::kGeneratorCore);
    }
}

}  // namespace assetgen
