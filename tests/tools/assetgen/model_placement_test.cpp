// Places each generated model the way the game does (its scale, position and
// turns) and checks where it ends up in the world: on the floor, against
// its wall, inside its block and under the ceiling, the arms in the lower
// right of the view, the planet's ground level over the compound. Where
// and how large the map's objects stand is asked of the level's rules.
#include "tools/assetgen/transform.h"

#include "framework/load3ds/model.h"
#include "game/level_file/level_rules.h"
#include "game/level_file/object_kinds.h"
#include "game/render/camera.h"
#include "tests/support/in_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace assetgen {
namespace {

// Where the game stands an object of `kind` in the block of row 1, column
// 1: against `wall` when it hangs on one.
Transform StandingPlace(MapObjectKind kind, Facing wall = kFacingNorth)
{
    const MapStanding& standing = RulesOf(kind).standing;
    switch (standing.stand) {
    case MapStand::kOnWall:
        return Transform::Translate(MapWallMountPosition(1, 1, wall, standing.inset, standing.height));
    case MapStand::kCorner: return Transform::Translate(MapBlockCorner(2, 2));
    default: return Transform::Translate(MapBlockCentre(1, 1, standing.height));
    }
}

float ModelScale(MapObjectKind kind) { return RulesOf(kind).standing.modelScale; }

struct Box {
    Vector3 min{1e9f, 1e9f, 1e9f};
    Vector3 max{-1e9f, -1e9f, -1e9f};
};

struct PlacedMesh {
    std::vector<Vector3> vertices;
    std::vector<std::array<int, 3>> triangles;
};

// World positions of every vertex of the model drawn at `scale` under
// `place`, and its triangles.
PlacedMesh PlacedModel(const std::string& name, float scale, const Transform& place)
{
    ondra::Model model;
    bool loaded = false;
    {
        const ondra::test::InFolder inData(ONDRA_DATA_DIR);
        testing::internal::CaptureStdout();
        loaded = model.Load(name.c_str());
        testing::internal::GetCapturedStdout();
    }
    EXPECT_TRUE(loaded) << name;
    model.SetScale(scale);
    PlacedMesh mesh;
    for (int i = 0; i < model.GetVertexCount(); ++i) {
        const ondra::Vec3 v = model.GetVertex(i);
        mesh.vertices.push_back(place.Point({v.x, v.y, v.z}));
    }
    for (int i = 0; i < model.GetFaceCount(); ++i) {
        mesh.triangles.push_back(model.GetTriangle(i));
    }
    return mesh;
}

std::vector<Vector3> PlacedVertices(const std::string& name, float scale, const Transform& place)
{
    return PlacedModel(name, scale, place).vertices;
}

Box BoundsOf(const std::vector<Vector3>& points)
{
    Box box;
    for (const Vector3& p : points) {
        box.min = {std::min(box.min.x, p.x), std::min(box.min.y, p.y), std::min(box.min.z, p.z)};
        box.max = {std::max(box.max.x, p.x), std::max(box.max.y, p.y), std::max(box.max.z, p.z)};
    }
    return box;
}

// The block of row 1, column 1 spans x and z from 0 to 3, floor y = 0,
// ceiling y = 3; its north wall's surface is at z = 0.1.
void ExpectInsideBlock(const Box& box, const std::string& name)
{
    EXPECT_GE(box.min.x, 0.1f) << name;
    EXPECT_LE(box.max.x, 2.9f) << name;
    EXPECT_GE(box.min.z, 0.09f) << name << " reaches into the north wall";
    EXPECT_LE(box.max.z, 2.9f) << name;
    EXPECT_GE(box.min.y, -0.02f) << name << " sinks into the floor";
    EXPECT_LE(box.max.y, 2.95f) << name << " reaches into the ceiling";
}

TEST(GamePlacement, WeaponRackHangsOnTheWall)
{
    for (const char* name : RulesOf(MapObjectKind::kWeapon).models) {
        const Box box = BoundsOf(PlacedVertices(name, ModelScale(MapObjectKind::kWeapon),
                                                StandingPlace(MapObjectKind::kWeapon)));
        ExpectInsideBlock(box, name);
        EXPECT_NEAR(box.min.z, 0.1f, 0.02f) << name << " should touch the wall";
        EXPECT_LT(box.max.z, 0.6f) << name;
        EXPECT_GT(box.max.x - box.min.x, 1.0f) << name << " is too small to notice";
    }
}

TEST(GamePlacement, ToolBoxStandsOnTheFloorAgainstTheWall)
{
    const Transform place =
        StandingPlace(MapObjectKind::kFlashlight) * Transform::RotateZ(-90) * Transform::RotateY(-90);
    for (const char* name : RulesOf(MapObjectKind::kFlashlight).models) {
        const Box box = BoundsOf(PlacedVertices(name, ModelScale(MapObjectKind::kFlashlight), place));
        ExpectInsideBlock(box, name);
        EXPECT_NEAR(box.min.y, 0.0f, 0.02f) << name << " should stand on the floor";
        EXPECT_LT(box.min.z, 0.2f) << name << " should stand at the wall";
    }
}

TEST(GamePlacement, MedikitCabinetHangsOnTheWall)
{
    const Transform place = StandingPlace(MapObjectKind::kMedikit) * Transform::RotateX(-90);
    for (const char* name : RulesOf(MapObjectKind::kMedikit).models) {
        const Box box = BoundsOf(PlacedVertices(name, ModelScale(MapObjectKind::kMedikit), place));
        ExpectInsideBlock(box, name);
        EXPECT_NEAR(box.min.z, 0.1f, 0.02f) << name << " should touch the wall";
        EXPECT_GT(box.min.y, 0.8f) << name;
        EXPECT_LT(box.max.y, 2.2f) << name;
    }
}

// How far inside its block a point lies from the surface of `wall`.
float DistanceToWall(Vector3 point, Facing wall)
{
    const Vector3 onWall = MapWallMountPosition(1, 1, wall, 0.0f, point.y);
    const Vector3 inwards = MapWallMountPosition(1, 1, wall, 1.0f, point.y) - onWall;
    return Dot(point - onWall, inwards);
}

TEST(GamePlacement, WallPickupsHangOnWhicheverWallTheirBlockHas)
{
    for (const Facing wall : {kFacingWest, kFacingEast, kFacingNorth, kFacingSouth}) {
        const float turn = MapWallTurn(wall);
        struct Case {
            MapObjectKind kind;
            Transform standUp;  // the kind's own turns, ending with the wall's
        };
        const Case cases[] = {
            {MapObjectKind::kWeapon, Transform::RotateY(turn)},
            {MapObjectKind::kFlashlight, Transform::RotateZ(-90) * Transform::RotateY(-90) * Transform::RotateZ(turn)},
            {MapObjectKind::kMedikit, Transform::RotateX(-90) * Transform::RotateZ(turn)},
        };
        for (const Case& c : cases) {
            const char* name = RulesOf(c.kind).models.front();
            const Transform place = StandingPlace(c.kind, wall) * c.standUp;
            const std::vector<Vector3> points = PlacedVertices(name, ModelScale(c.kind), place);
            float nearest = 1e9f;
            for (const Vector3& p : points) {
                nearest = std::min(nearest, DistanceToWall(p, wall));
                ASSERT_TRUE(p.x > 0.0f && p.x < 3.0f && p.z > 0.0f && p.z < 3.0f && p.y > -0.02f && p.y < 3.0f)
                    << name << " on wall " << wall << " leaves its block at " << p.x << " " << p.y << " " << p.z;
            }
            EXPECT_GT(nearest, 0.0f) << name << " on wall " << wall;
            EXPECT_LT(nearest, 0.2f) << name << " on wall " << wall << " floats away from it";
        }
    }
}

TEST(GamePlacement, KeysLieFlatOnTheFloor)
{
    const Transform place = StandingPlace(MapObjectKind::kKey) * Transform::RotateX(-90);
    for (const char* name : {"keyred.3DS", "keyblue.3DS"}) {
        const Box box = BoundsOf(PlacedVertices(name, ModelScale(MapObjectKind::kKey), place));
        ExpectInsideBlock(box, name);
        EXPECT_NEAR(box.min.y, 0.0f, 0.02f) << name;
        EXPECT_LT(box.max.y, 0.2f) << name << " should lie flat";
    }
}

TEST(GamePlacement, CreatureStandsInItsBlockAndFallsOntoTheFloor)
{
    // The creature's frame turns towards the player; any heading must keep
    // it inside the block's height, and its front (+z) must hold the cannon.
    const Transform alive = StandingPlace(MapObjectKind::kVorlax) * Transform::RotateX(-90);
    const std::vector<Vector3> standing = PlacedVertices("vorlax.3DS", 0.07f, alive);
    const Box box = BoundsOf(standing);
    EXPECT_NEAR(box.min.y, 0.0f, 0.03f) << "feet should touch the floor";
    EXPECT_LT(box.max.y, 2.9f);
    EXPECT_GT(box.max.y, 2.0f) << "the creature should stand taller than its centre";
    EXPECT_GT(box.max.z - 1.5f, 1.5f - box.min.z) << "the creature should face +z";
    for (const Vector3& p : standing) {
        EXPECT_LT(std::hypot(p.x - 1.5f, p.z - 1.5f), 1.5f) << "the creature reaches out of its block when turned";
    }
    const Box dead = BoundsOf(PlacedVertices("deadvorl.3DS", 0.07f, Transform::Translate(1.5f, 0.5f, 1.5f) *
                                                                         Transform::RotateX(-90)));
    EXPECT_NEAR(dead.min.y, 0.0f, 0.05f) << "the dead creature should lie on the floor";
    EXPECT_LT(dead.max.y, 1.5f) << "the dead creature should lie low";
}

TEST(GamePlacement, GeneratorStandsOnTheFloorBelowItsCore)
{
    const Transform corner = StandingPlace(MapObjectKind::kGenerator);
    const Box base = BoundsOf(PlacedVertices("genbase.3DS", 1.5f, corner));
    const Box wreck = BoundsOf(PlacedVertices("gendead.3DS", 1.5f, corner));
    const std::vector<Vector3> core = PlacedVertices("gencore.3DS", 1.5f, Transform::Translate(3.0f, 2.15f, 3.0f));
    EXPECT_NEAR(base.min.y, 0.0f, 0.02f);
    EXPECT_NEAR(wreck.min.y, 0.0f, 0.02f);
    EXPECT_LT(wreck.max.y, base.max.y);
    float reach = 0.0f;
    for (const Vector3& p : core) {
        reach = std::max(reach, Length(p - Vector3{3.0f, 2.15f, 3.0f}));
    }
    EXPECT_LT(2.15f + reach, 2.95f) << "the spinning core would touch the ceiling";
    EXPECT_LT(base.max.y, 2.15f - 0.2f) << "the base reaches into the core";
    for (const Box& b : {base, wreck}) {
        EXPECT_LT(std::max({3.0f - b.min.x, b.max.x - 3.0f, 3.0f - b.min.z, b.max.z - 3.0f}), 2.0f)
            << "the generator should keep clear of the walls of the four blocks around it";
    }
}

TEST(GamePlacement, ArmsShowInTheLowerRightOfTheView)
{
    // The player at the origin looking along +x (yaw 0, pitch 0): the arms
    // hang from 0.25 below the eye. Project with the game's view.
    const float eyeHeight = 1.75f;
    const Transform place = Transform::Translate(0, eyeHeight - 0.25f, 0) * Transform::RotateX(-90) *
                            Transform::RotateZ(90);
    const float tanHalf = static_cast<float>(std::tan(kGameFieldOfView / 2.0 * kDegToRadDouble));
    for (const char* name : {"armgun.3DS", "armtorch.3DS"}) {
        int visible = 0, rightOrCentre = 0, lower = 0;
        for (const Vector3& p : PlacedVertices(name, 0.02f, place)) {
            const float depth = p.x;  // forward
            if (depth < 0.1f) {
                continue;  // in front of the near plane only
            }
            const float screenX = p.z / (depth * tanHalf);  // right is +z at yaw 0
            const float screenY = (p.y - eyeHeight) / (depth * tanHalf);
            if (std::fabs(screenX) <= 1.0f && std::fabs(screenY) <= 1.0f) {
                ++visible;
                rightOrCentre += screenX > -0.1f ? 1 : 0;
                lower += screenY < 0.0f ? 1 : 0;
            }
        }
        EXPECT_GT(visible, 50) << name << " is not in view";
        EXPECT_EQ(rightOrCentre, visible) << name << " shows left of the centre";
        EXPECT_EQ(lower, visible) << name << " shows above the centre";
    }
}

TEST(GamePlacement, PlanetSurfaceIsLevelOverTheCompoundWithATrenchAtTheRamp)
{
    const Transform place = Transform::Translate(-0.6f, 3.5f, 29.05f) * Transform::RotateX(-90);
    const PlacedMesh surface = PlacedModel("surface.3DS", 1.0f, place);
    int overCompound = 0;
    for (const Vector3& p : surface.vertices) {
        if (p.x > 0.01f && p.x < 42.0f && p.z > 0.01f && p.z < 42.0f) {
            ++overCompound;
            EXPECT_NEAR(p.y, 3.0f, 0.01f) << "ground over the compound at " << p.x << " " << p.z;
        }
        if (std::hypot(p.x + 15.0f, p.z - 50.0f) < 5.0f) {
            EXPECT_GE(p.y, 2.99f) << "the ground dips at the start point";
        }
        EXPECT_LT(std::hypot(p.x, p.z), 135.0f) << "surface outside the sky";
    }
    EXPECT_GT(overCompound, 10);
    // Upward-facing surfaces over the trench are the ramp only, falling from
    // height 3 at x = -6 to the compound's floor at x = 0.
    int rampFaces = 0;
    for (const auto& t : surface.triangles) {
        const Vector3 a = surface.vertices[t[0]];
        const Vector3 b = surface.vertices[t[1]];
        const Vector3 c = surface.vertices[t[2]];
        const Vector3 centre = (a + b + c) * (1.0f / 3.0f);
        const Vector3 normal = Normalized(Cross(b - a, c - a));
        if (centre.x > 0.0f && centre.x < 42.0f && centre.z > 0.0f && centre.z < 42.0f && std::fabs(normal.y) > 0.5f) {
            EXPECT_GT(normal.y, 0.0f) << "the ground over the compound faces down and would be culled";
        }
        if (centre.x > -6.0f && centre.x < 0.0f && centre.z > 0.0f && centre.z < 3.0f && std::fabs(normal.y) > 0.5f) {
            ++rampFaces;
            EXPECT_GT(normal.y, 0.0f) << "the ramp faces down";
            EXPECT_NEAR(centre.y, -centre.x / 2.0f, 0.05f) << "something covers the trench";
        }
    }
    EXPECT_GE(rampFaces, 2);
    const Box box = BoundsOf(surface.vertices);
    EXPECT_LT(box.min.x, -80.0f);
    EXPECT_GT(box.max.x, 80.0f);
    EXPECT_GT(box.max.y, 6.0f) << "no hills around the plain";
}

}  // namespace
}  // namespace assetgen
