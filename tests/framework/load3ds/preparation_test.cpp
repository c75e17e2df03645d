// Preparation after reading: smoothing-group normals, the split by
// material, placement from pivots and mesh matrices, and boxes.
#include <gtest/gtest.h>

#include <cmath>

#include "model_fixtures.h"

namespace ondra {
namespace {

using namespace test3ds;

// Two triangles folded along the shared edge (1,0,0)-(0,1,0): one lies in
// z = 0, the other rises to (1,1,1).
file3ds::Mesh Fold(std::vector<uint32_t> smoothing) {
    file3ds::Mesh mesh;
    mesh.name = "fold";
    mesh.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 1}};
    mesh.faces = {{0, 1, 2}, {1, 3, 2}};
    mesh.smoothing = std::move(smoothing);
    return mesh;
}

const ModelObject& LoadSingle(Model& model, const file3ds::Mesh& mesh, std::string* out = nullptr) {
    file3ds::Scene scene = BareScene();
    scene.meshes = {mesh};
    const Loaded loaded = LoadScene(model, scene);
    if (out) *out = loaded.out;
    return model.GetData().objects.at(0);
}

float Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

TEST(ModelNormals, WithoutGroupsEveryVertexHasOneAveragedNormal) {
    Model model;
    std::string out;
    const ModelObject& object = LoadSingle(model, Fold({}), &out);
    EXPECT_NE(std::string::npos, out.find("generated 4 normals\n"));
    EXPECT_EQ(std::string::npos, out.find("note: added"));
    ASSERT_EQ(4u, object.normals.size());
    for (const Face& f : object.faces)
        for (int k = 0; k < 3; ++k) EXPECT_EQ(f.vertex[k], f.normal[k]);
    EXPECT_FLOAT_EQ(1.0f, object.normals[0].z);  // only the flat face touches vertex 0
    // The shared edge averages both faces.
    const Vec3& shared = object.normals[1];
    EXPECT_LT(shared.x, 0.0f);  // the raised face leans towards -x, -y
    EXPECT_LT(shared.y, 0.0f);
    EXPECT_GT(shared.z, 0.0f);
    EXPECT_NEAR(1.0f, Dot(shared, shared), 1e-5f);
}

TEST(ModelNormals, SharedBitSharesDisjointBitsSplit) {
    Model shared;
    const ModelObject& one = LoadSingle(shared, Fold({1, 1}));
    EXPECT_EQ(4u, one.normals.size());
    EXPECT_EQ(one.faces[0].normal[1], one.faces[1].normal[0]);  // vertex 1

    Model split;
    const ModelObject& two = LoadSingle(split, Fold({1, 2}));
    EXPECT_EQ(6u, two.normals.size());
    EXPECT_NE(two.faces[0].normal[1], two.faces[1].normal[0]);
    EXPECT_FLOAT_EQ(1.0f, two.normals[two.faces[0].normal[1]].z);

    // A face in two groups takes the normals of its highest group; the
    // lower group's normals stay with the other face.
    Model both;
    const ModelObject& three = LoadSingle(both, Fold({1, 3}));
    EXPECT_EQ(7u, three.normals.size());
    EXPECT_EQ(4, three.faces[1].normal[0]);
    EXPECT_FLOAT_EQ(1.0f, three.normals[three.faces[0].normal[1]].z);
}

TEST(ModelNormals, FacesWithoutGroupsAmongGroupedOnesAreFlat) {
    Model model;
    std::string out;
    file3ds::Mesh mesh = Fold({0, 4});
    const ModelObject& object = LoadSingle(model, mesh, &out);
    EXPECT_NE(std::string::npos, out.find("note: added 3 normals\ngenerated 6 normals\n"));
    EXPECT_EQ(6u, object.normals.size());
    for (int k = 0; k < 3; ++k) EXPECT_FLOAT_EQ(1.0f, object.normals[object.faces[0].normal[k]].z);
}

TEST(ModelNormals, DegenerateFaceLeavesZeroNormal) {
    file3ds::Mesh mesh;
    mesh.name = "line";
    mesh.vertices = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}};
    mesh.faces = {{0, 1, 2}};
    Model model;
    const ModelObject& object = LoadSingle(model, mesh);
    for (const Vec3& n : object.normals) EXPECT_EQ(0.0f, Dot(n, n));
}

TEST(ModelSplit, MaterialsTwoZeroTwo) {
    file3ds::Scene scene = BareScene();
    scene.materials = {PlainMaterial("m0", 1, 0, 0), PlainMaterial("m1", 0, 1, 0), PlainMaterial("m2", 0, 0, 1)};
    scene.meshes = {Square("s0"), Square("s1"), Square("s2")};
    file3ds::Mesh strip;
    strip.name = "strip";
    strip.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, {2, 0, 0}};
    strip.texCoords = {{0, 0}, {1, 0}, {0, 1}, {1, 1}, {2, 0}};
    strip.faces = {{0, 1, 2}, {1, 3, 2}, {1, 4, 3}};
    strip.smoothing = {1, 1, 1};
    strip.materialGroups = {{"m2", {0}}, {"m0", {1}}, {"m2", {2}}};
    scene.meshes.push_back(strip);
    Model model;
    const Loaded loaded = LoadScene(model, scene);
    EXPECT_NE(std::string::npos,
              loaded.out.find("  Normals  = 17\nnote: model has sub-object textures\nobject 3 uses materials: 2 0\n"));

    const std::vector<ModelObject>& objects = model.GetData().objects;
    ASSERT_EQ(5u, objects.size());
    const ModelObject& kept = objects[3];
    const ModelObject& added = objects[4];
    EXPECT_EQ(2, kept.material);
    EXPECT_EQ(0, added.material);
    EXPECT_EQ("strip", added.name);
    EXPECT_FALSE(kept.multiMaterial);
    ASSERT_EQ(2u, kept.faces.size());
    ASSERT_EQ(1u, added.faces.size());
    // Faces 0 and 2 use vertices 0 1 2 and 1 4 3: five distinct, renumbered
    // in order of first use.
    EXPECT_EQ(5u, kept.vertices.size());
    EXPECT_EQ(3u, added.vertices.size());
    EXPECT_EQ(3u, added.normals.size());
    ASSERT_EQ(3u, added.texCoords.size());
    const Face& f = added.faces[0];
    EXPECT_EQ(1.0f, added.vertices[f.vertex[1]].x);  // source vertex 3 = (1,1,0)
    EXPECT_EQ(1.0f, added.vertices[f.vertex[1]].y);
    EXPECT_EQ(1.0f, added.texCoords[f.vertex[1]].v);
    EXPECT_EQ(2.0f, kept.vertices[kept.faces[1].vertex[1]].x);
    EXPECT_EQ(2.0f, kept.box.Max().x);
    EXPECT_EQ(1.0f, added.box.Max().x);
}

TEST(ModelSplit, ShortTextureListStaysAlignedWithVertices) {
    file3ds::Scene scene = BareScene();
    scene.materials = {PlainMaterial("a", 1, 0, 0)};
    file3ds::Mesh mesh = Square("sq");
    mesh.texCoords = {{0.5f, 0.5f}, {1, 0}};  // vertices 2 and 3 have none
    mesh.materialGroups = {{"a", {1}}};
    scene.meshes = {mesh};
    Model model;
    LoadScene(model, scene);
    const std::vector<ModelObject>& objects = model.GetData().objects;
    ASSERT_EQ(2u, objects.size());
    for (const ModelObject& piece : objects) {
        ASSERT_EQ(piece.vertices.size(), piece.texCoords.size());
        for (size_t v = 0; v < piece.vertices.size(); ++v) {
            const Vec3& p = piece.vertices[v];
            const Vec2 expected = p.x == 0 && p.y == 0 ? Vec2{0.5f, 0.5f}
                                  : p.x == 1 && p.y == 0 ? Vec2{1, 0}
                                                         : Vec2{0, 0};
            EXPECT_EQ(expected.u, piece.texCoords[v].u);
            EXPECT_EQ(expected.v, piece.texCoords[v].v);
        }
    }
}

TEST(ModelPlacement, PivotMovesThroughTheMeshMatrix) {
    file3ds::Scene scene = BareScene();
    file3ds::Mesh moved = Square("moved");
    moved.matrix = file3ds::MeshMatrix{1, 0, 0, 0, 1, 0, 0, 0, 1, 10, 20, 30};
    file3ds::Mesh turned = Square("turned");
    // Local x along world y, local y along -x: a quarter turn about z.
    turned.matrix = file3ds::MeshMatrix{0, 1, 0, -1, 0, 0, 0, 0, 1, 5, 0, 0};
    scene.meshes = {moved, turned, Square("free")};
    file3ds::Node a;
    a.objectName = "moved";
    a.pivot = Vec3{1, 2, 3};
    file3ds::Node b;
    b.objectName = "turned";
    b.pivot = Vec3{1, 0, 0};
    scene.nodes = {a, b};
    Model model;
    LoadScene(model, scene);
    const std::vector<ModelObject>& objects = model.GetData().objects;

    EXPECT_EQ(10.0f, objects[0].meshMatrix[0][3]);
    EXPECT_EQ(1.0f, objects[1].meshMatrix[1][0]);
    // A pure translation cancels out: the pivot shift remains.
    EXPECT_NEAR(-1.0f, objects[0].placement[0][3], 1e-5f);
    EXPECT_NEAR(-2.0f, objects[0].placement[1][3], 1e-5f);
    EXPECT_NEAR(-3.0f, objects[0].placement[2][3], 1e-5f);
    // The pivot turns with the mesh axes.
    EXPECT_NEAR(0.0f, objects[1].placement[0][3], 1e-5f);
    EXPECT_NEAR(-1.0f, objects[1].placement[1][3], 1e-5f);
    EXPECT_NEAR(-1.0f, objects[1].glPlacement[13], 1e-5f);
    EXPECT_EQ(1.0f, objects[2].glPlacement[0]);
    EXPECT_EQ(0.0f, objects[2].glPlacement[12]);

    // Boxes hold placed vertices; the model box spans them all.
    EXPECT_NEAR(-1.0f, objects[0].box.Min().x, 1e-5f);
    EXPECT_NEAR(-3.0f, objects[0].box.Max().z, 1e-5f);
    EXPECT_NEAR(-3.0f, model.GetBox().Min().z, 1e-5f);
    EXPECT_NEAR(1.0f, model.GetBox().Max().y, 1e-5f);
}

TEST(ModelPlacement, SingularMeshMatrixKeepsIdentity) {
    file3ds::Scene scene = BareScene();
    file3ds::Mesh flat = Square("flat");
    flat.matrix = file3ds::MeshMatrix{1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
    scene.meshes = {flat};
    file3ds::Node node;
    node.objectName = "flat";
    node.pivot = Vec3{1, 1, 1};
    scene.nodes = {node};
    Model model;
    testing::internal::CaptureStderr();
    const Loaded loaded = LoadScene(model, scene);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(loaded.ok);
    EXPECT_NE(std::string::npos, errors.find("singular mesh matrix"));
    const ModelObject& object = model.GetData().objects[0];
    EXPECT_TRUE(object.placement.Equals(Matrix()));
    EXPECT_EQ(1.0f, model.GetSize().x);
}

}  // namespace
}  // namespace ondra
