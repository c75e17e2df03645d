// vorlax.3DS and deadvorl.3DS: the creature, drawn at scale 0.07 around a
// point 2.0 above the floor (0.5 once dead). z is up and it faces -y; the
// feet stand on z = -28.6 and the dead body lies on z = -7.1 (the floor in
// each case); 14.3 units are one world unit. It holds its cannon in both
// claws with the muzzle where the game shows the muzzle flash, one unit in
// front and 0.5 below its centre: (0, -14.3, -7.1).
#include "tools/assetgen/models.h"

#include "game/level_file/asset_names.h"
#include "tools/assetgen/asset_names.h"
#include "tools/assetgen/model_builder.h"
#include "tools/assetgen/part_placement.h"

namespace assetgen {
namespace {

constexpr float kFeet = -28.6f;
constexpr float kDeadFloor = -7.1f;
const Vector3 kMuzzle{0, -14.3f, -7.1f};

void AddVorlaxMaterials(ModelBuilder& model, bool dead)
{
    model.AddMaterial({"Hide", {1, 1, 1}, 0.6f, 0.4f, 30, 0, 0, names::kVorlaxSkin, true});
    model.AddMaterial({"Claw", {0.2f, 0.18f, 0.15f}, 0.6f, 0.6f, 50});
    model.AddMaterial({"Cannon", {0.35f, 0.3f, 0.38f}, 0.6f, 0.7f, 60});
    model.AddMaterial({"Eyes", dead ? Rgb3{0.2f, 0.18f, 0.05f} : Rgb3{1.0f, 0.85f, 0.1f}, 0.6f, 0.9f, 90,
                       dead ? 0.0f : 100.0f});
    model.AddMaterial({"Muzzle", {1.0f, 0.3f, 0.15f}, 0.6f, 0.6f, 50, dead ? 0.0f : 70.0f});
}

// The creature standing, built in its own frame and placed by `frame`.
void BuildBody(MeshBuilder& body, const Transform& f)
{
    body.UseTextureDensity(0.15f);
    body.UseMaterial("Hide");
    // Legs: thigh, shin (bent back) and a long foot.
    for (float side : {-1.0f, 1.0f}) {
        const Vector3 hip{side * 4.0f, 1.0f, -12.0f};
        const Vector3 knee{side * 5.0f, -3.0f, -19.5f};
        const Vector3 ankle{side * 5.0f, 2.0f, -26.5f};
        Limb(body, f, hip, knee, 2.8f, 2.0f, 10);
        Limb(body, f, knee, ankle, 1.9f, 1.2f, 10);
        body.Sphere(f * Transform::Translate(knee), {2.1f, 2.1f, 2.1f}, 8, 5);
        body.UseMaterial("Claw");
        body.Box(f * Transform::Translate(ankle.x, ankle.y - 2.0f, kFeet + 0.8f), {1.6f, 3.2f, 0.8f});
        for (float toe : {-1.0f, 0.0f, 1.0f}) {
            body.Cone(f * Transform::Translate(ankle.x + toe * 1.0f, ankle.y - 6.0f, kFeet + 0.6f) *
                          Transform::RotateX(90),
                      0.5f, 0.05f, 1.0f, 6);
        }
        body.UseMaterial("Hide");
    }
    body.Sphere(f * Transform::Translate(0, 0.5f, -11.0f), {6.0f, 4.5f, 3.5f}, 12, 6);  // pelvis
    // Hunched torso, leaning forward.
    body.Sphere(f * Transform::Translate(0, -1.0f, -3.0f) * Transform::RotateX(-18), {6.5f, 5.0f, 8.5f}, 14, 8);
    // Head on a short neck, jutting forward.
    Limb(body, f, {0, -2.0f, 3.0f}, {0, -5.0f, 4.5f}, 2.6f, 2.2f, 10);
    body.Sphere(f * Transform::Translate(0, -6.5f, 5.0f) * Transform::RotateX(10), {3.6f, 4.2f, 3.0f}, 12, 8);
    // Mandibles.
    for (float side : {-1.0f, 1.0f}) {
        Limb(body, f, {side * 1.8f, -9.0f, 3.6f}, {side * 1.0f, -12.0f, 2.0f}, 0.7f, 0.2f, 6);
    }
    // Dorsal spines.
    body.UseMaterial("Claw");
    for (int spine = 0; spine < 4; ++spine) {
        const Vector3 root{0, 3.5f, 2.0f - spine * 4.0f};
        body.Cone(Between(f, root, root + Vector3{0, 3.0f, 1.5f}), 1.0f, 0.1f, HalfLength(root, root + Vector3{0, 3.0f, 1.5f}), 6);
    }
    // Arms reaching forward to the cannon.
    body.UseMaterial("Hide");
    for (float side : {-1.0f, 1.0f}) {
        const Vector3 shoulder{side * 6.0f, -2.0f, 1.0f};
        const Vector3 elbow{side * 7.5f, -6.0f, -6.0f};
        const Vector3 claw{side * 2.2f, -9.5f, -7.5f};
        body.Sphere(f * Transform::Translate(shoulder), {2.4f, 2.4f, 2.4f}, 8, 5);
        Limb(body, f, shoulder, elbow, 1.9f, 1.5f, 8);
        Limb(body, f, elbow, claw, 1.5f, 1.1f, 8);
    }
    // Eyes.
    body.UseMaterial("Eyes");
    for (float side : {-1.0f, 1.0f}) {
        body.Sphere(f * Transform::Translate(side * 1.7f, -10.0f, 5.8f), {0.9f, 0.9f, 0.9f}, 10, 6);
    }
}

void BuildCannon(MeshBuilder& cannon, const Transform& f)
{
    cannon.UseMaterial("Cannon");
    cannon.Lathe(f * Transform::Translate(0, -6.0f, kMuzzle.z) * Transform::RotateX(90),
                 {{1.2f, 0.0f}, {1.9f, 2.0f}, {1.9f, 5.0f}, {1.3f, 6.5f}, {1.3f, 8.0f}}, 14, true, false);
    cannon.UseMaterial("Muzzle");
    cannon.Torus(f * Transform::Translate(kMuzzle.x, kMuzzle.y + 0.3f, kMuzzle.z) * Transform::RotateX(90), 1.2f,
                 0.35f, 14, 6);
}

}  // namespace

void WriteVorlaxModels(OutputFolder& out)
{
    {
        ModelBuilder model;
        AddVorlaxMaterials(model, false);
        BuildBody(model.AddMesh("Body"), Transform());
        BuildCannon(model.AddMesh("Cannon"), Transform());
        model.Save(out, game_assets::kVorlax);
    }
    {
        // Fallen on its face: the standing body turned +90 degrees about x
        // (its front, y = -15, goes down), lowered onto the floor and slid so
        // the body lies centred on the origin where the flames rise.
        ModelBuilder model;
        AddVorlaxMaterials(model, true);
        const Transform fallen =
            Transform::Translate(0, -11.0f, kDeadFloor + 12.0f) * Transform::RotateZ(12) * Transform::RotateX(90);
        BuildBody(model.AddMesh("Body"), fallen);
        // The cannon dropped beside the body.
        BuildCannon(model.AddMesh("Cannon"),
                    Transform::Translate(8.0f, 6.0f, kDeadFloor + 1.9f - kMuzzle.z) * Transform::RotateZ(70));
        model.Save(out, game_assets::kDeadVorlax);
    }
}

}  // namespace assetgen
