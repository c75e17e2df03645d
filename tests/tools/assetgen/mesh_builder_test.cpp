// MeshBuilder's primitives: every triangle must face away from the solid it
// bounds (the game culls back faces), also under a mirroring placement, and
// curved surfaces must share their vertices so the reader smooths them.
#include "tools/assetgen/mesh_builder.h"

#include <gtest/gtest.h>

#include <set>

namespace assetgen {
namespace {

// Checks that each face's normal points away from `centre`, the centre of a
// convex solid (for a torus: away from its tube's core circle).
template <typename Outward>
void ExpectOutward(const ondra::file3ds::Mesh& mesh, Outward outward)
{
    ASSERT_FALSE(mesh.faces.empty());
    for (size_t i = 0; i < mesh.faces.size(); ++i) {
        const auto& f = mesh.faces[i];
        const Vector3 a{mesh.vertices[f.a].x, mesh.vertices[f.a].y, mesh.vertices[f.a].z};
        const Vector3 b{mesh.vertices[f.b].x, mesh.vertices[f.b].y, mesh.vertices[f.b].z};
        const Vector3 c{mesh.vertices[f.c].x, mesh.vertices[f.c].y, mesh.vertices[f.c].z};
        const Vector3 normal = Cross(b - a, c - a);
        if (Length(normal) < 1e-6f) {
            continue;  // the degenerate slivers at a sphere's poles
        }
        const Vector3 middle = (a + b + c) * (1.0f / 3.0f);
        EXPECT_GT(Dot(normal, outward(middle)), 0.0f) << "face " << i << " faces inward";
    }
}

Vector3 From(Vector3 centre, Vector3 p) { return p - centre; }

TEST(MeshBuilder, BoxesFaceOutwardEvenWhenMirrored)
{
    for (const Transform& place : {Transform::Translate(1, 2, 3) * Transform::RotateY(30),
                                   Transform::Translate(1, 2, 3) * Transform::Scale(-1, 1, 1)}) {
        MeshBuilder mesh("box");
        mesh.UseMaterial("m");
        mesh.Box(place, {1.0f, 0.5f, 2.0f});
        EXPECT_EQ(mesh.TriangleCount(), 12);
        ExpectOutward(mesh.ToMesh(), [](Vector3 p) { return From({1, 2, 3}, p); });
    }
}

TEST(MeshBuilder, LathedSolidsFaceOutwardWithTheirCaps)
{
    MeshBuilder cylinder("cylinder");
    cylinder.UseMaterial("m");
    cylinder.Cylinder(Transform::AlignZ({1, 1, 0}), 0.5f, 2.0f, 12);
    ExpectOutward(cylinder.ToMesh(), [](Vector3 p) { return p; });

    MeshBuilder sphere("sphere");
    sphere.UseMaterial("m");
    sphere.Sphere(Transform::Translate(0, 0, 5), {1.0f, 2.0f, 0.5f}, 10, 6);
    ExpectOutward(sphere.ToMesh(), [](Vector3 p) { return From({0, 0, 5}, p); });

    MeshBuilder cone("cone");
    cone.UseMaterial("m");
    cone.Cone(Transform::RotateX(90), 1.0f, 0.2f, 1.0f, 8);
    ExpectOutward(cone.ToMesh(), [](Vector3 p) { return p; });
}

TEST(MeshBuilder, TorusAndPrismFaceOutward)
{
    MeshBuilder torus("torus");
    torus.UseMaterial("m");
    torus.Torus(Transform(), 2.0f, 0.5f, 16, 8);
    ExpectOutward(torus.ToMesh(), [](Vector3 p) {
        const Vector3 core = Normalized({p.x, p.y, 0}) * 2.0f;  // nearest point of the tube's core circle
        return p - core;
    });

    MeshBuilder prism("prism");
    prism.UseMaterial("m");
    prism.Prism(Transform(), {{-1, -1}, {1, -1}, {1.5f, 0.5f}, {0, 1.5f}, {-1.2f, 0.3f}}, 0.3f);
    ExpectOutward(prism.ToMesh(), [](Vector3 p) { return Vector3{p.x - 0.06f, p.y - 0.06f, p.z}; });
}

TEST(MeshBuilder, CurvedSurfacesShareVerticesAndCarryASmoothingGroup)
{
    MeshBuilder mesh("parts");
    mesh.UseMaterial("flat");
    mesh.Box(Transform(), {1, 1, 1});
    mesh.UseMaterial("round");
    mesh.Lathe(Transform(), {{1.0f, 0.0f}, {1.0f, 1.0f}, {0.5f, 2.0f}}, 8, false, false);
    const ondra::file3ds::Mesh built = mesh.ToMesh();
    ASSERT_EQ(built.smoothing.size(), built.faces.size());
    std::set<uint16_t> lathedCorners;
    int lathed = 0;
    for (size_t i = 0; i < built.faces.size(); ++i) {
        if (i < 12) {
            EXPECT_EQ(built.smoothing[i], 0u) << "box faces stay crisp";
        } else {
            EXPECT_NE(built.smoothing[i], 0u) << "lathed faces are smoothed";
            lathedCorners.insert({built.faces[i].a, built.faces[i].b, built.faces[i].c});
            ++lathed;
        }
    }
    EXPECT_EQ(lathed, 2 * 2 * 8);
    EXPECT_EQ(lathedCorners.size(), 3u * 9u) << "rings share their vertices (the seam is doubled for texturing)";
    // One material group per material, covering every face once.
    ASSERT_EQ(built.materialGroups.size(), 2u);
    EXPECT_EQ(built.materialGroups[0].material, "flat");
    EXPECT_EQ(built.materialGroups[0].faces.size() + built.materialGroups[1].faces.size(), built.faces.size());
    EXPECT_EQ(built.texCoords.size(), built.vertices.size());
}

TEST(Transform, ComposesRightToLeftAndDetectsMirrors)
{
    const Transform t = Transform::Translate(1, 0, 0) * Transform::RotateZ(90);
    const Vector3 p = t.Point({1, 0, 0});  // rotated to (0, 1, 0), then moved
    EXPECT_NEAR(p.x, 1.0f, 1e-5f);
    EXPECT_NEAR(p.y, 1.0f, 1e-5f);
    EXPECT_FALSE(t.Mirrors());
    EXPECT_TRUE(Transform::Scale(1, -1, 1).Mirrors());
    const Vector3 axis = Normalized({1, 2, 3});
    const Vector3 mapped = Transform::AlignZ(axis).Direction({0, 0, 1});
    EXPECT_NEAR(Dot(mapped, axis), 1.0f, 1e-5f);
    EXPECT_FALSE(Transform::AlignZ({0, 0, -1}).Mirrors());
}

}  // namespace
}  // namespace assetgen
