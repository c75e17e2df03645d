// Geometry queries over the flattened model, rescaling, and BoundingBox.
#include <gtest/gtest.h>

#include "model_fixtures.h"

namespace ondra {
namespace {

using namespace test3ds;

void ExpectVec(const Vec3& expected, const Vec3& actual) {
    EXPECT_FLOAT_EQ(expected.x, actual.x);
    EXPECT_FLOAT_EQ(expected.y, actual.y);
    EXPECT_FLOAT_EQ(expected.z, actual.z);
}

TEST(ModelQueries, EmptyModel) {
    Model model;
    EXPECT_EQ(0, model.GetVertexCount());
    EXPECT_EQ(0, model.GetFaceCount());
    ExpectVec({0, 0, 1}, model.GetVertex(0));
    ExpectVec({0, 0, 1}, model.GetNormal(0));
    EXPECT_EQ((std::array<int, 3>{0, 0, 0}), model.GetTriangle(0));
    ExpectVec({0, 0, 0}, model.GetCentre());
    ExpectVec({0, 0, 0}, model.GetSize());
    EXPECT_EQ(1.0f, model.GetScale());
}

TEST(ModelQueries, FlattenedMeshOfPlacedObjects) {
    file3ds::Scene scene = BareScene();
    file3ds::Mesh smooth = Square("smooth");
    file3ds::Mesh flat = Square("flat");
    flat.smoothing = {1, 2};  // no shared group: six normals
    scene.meshes = {smooth, flat};
    file3ds::Node node;
    node.objectName = "flat";
    node.pivot = Vec3{0, 0, -5};
    scene.nodes = {node};
    Model model;
    LoadScene(model, scene);

    EXPECT_EQ(4 + 6, model.GetVertexCount());
    EXPECT_EQ(4, model.GetFaceCount());
    ExpectVec({0, 0, 1}, model.GetVertex(-1));
    ExpectVec({0, 0, 1}, model.GetVertex(model.GetVertexCount()));
    ExpectVec({0, 0, 1}, model.GetNormal(-1));
    EXPECT_EQ((std::array<int, 3>{0, 0, 0}), model.GetTriangle(4));
    EXPECT_EQ((std::array<int, 3>{0, 0, 0}), model.GetTriangle(-1));

    // Without smoothing groups the flattened vertices are the vertices.
    EXPECT_EQ((std::array<int, 3>{0, 1, 2}), model.GetTriangle(0));
    ExpectVec({1, 1, 0}, model.GetVertex(2));
    ExpectVec({0, 0, 1}, model.GetNormal(3));
    // The second object starts at 4 and is moved by its pivot.
    EXPECT_EQ((std::array<int, 3>{4, 5, 6}), model.GetTriangle(2));
    EXPECT_EQ((std::array<int, 3>{7, 8, 9}), model.GetTriangle(3));
    ExpectVec({1, 1, 5}, model.GetVertex(6));
    ExpectVec({0, 1, 5}, model.GetVertex(9));
    ExpectVec({0.5f, 0.5f, 2.5f}, model.GetCentre());
    ExpectVec({1, 1, 5}, model.GetSize());
}

TEST(ModelQueries, SetScaleScalesGeometryAndBox) {
    file3ds::Scene scene = BareScene();
    scene.meshes = {Square("sq")};
    Model model;
    LoadScene(model, scene);
    const int generation = model.GetData().generation;
    ExpectVec({1, 1, 0}, model.GetVertex(2));  // builds the flattened mesh

    model.SetScale(2.0f);
    EXPECT_EQ(2.0f, model.GetScale());
    EXPECT_EQ(generation + 1, model.GetData().generation);
    ExpectVec({2, 2, 0}, model.GetVertex(2));
    ExpectVec({2, 2, 0}, model.GetSize());
    ExpectVec({0, 0, 1}, model.GetNormal(2));
    EXPECT_EQ(4, model.GetVertexCount());

    model.SetScale(0.5f);  // absolute, not relative
    ExpectVec({0.5f, 0.5f, 0}, model.GetVertex(2));

    model.SetScale(0.0f);
    ExpectVec({0, 0, 0}, model.GetSize());
    model.SetScale(3.0f);  // nothing comes back from scale 0
    EXPECT_EQ(0.0f, model.GetScale());
    ExpectVec({0, 0, 0}, model.GetVertex(2));
}

TEST(ModelQueries, ClearAndReloadReset) {
    file3ds::Scene scene = BareScene();
    scene.meshes = {Square("sq")};
    Model model;
    const int fresh = model.GetData().generation;
    EXPECT_EQ(2, fresh);
    LoadScene(model, scene);
    model.SetScale(4.0f);
    EXPECT_EQ(4, model.GetVertexCount());
    model.Clear();
    EXPECT_EQ(fresh + 3, model.GetData().generation);
    EXPECT_EQ(0, model.GetVertexCount());
    EXPECT_EQ(1.0f, model.GetScale());
    ExpectVec({0, 0, 0}, model.GetSize());
    model.SetScale(2.0f);  // no objects: nothing happens
    EXPECT_EQ(1.0f, model.GetScale());

    LoadScene(model, scene);
    ExpectVec({1, 1, 0}, model.GetSize());
}

TEST(BoundingBoxTest, CornersAndContainment) {
    BoundingBox box({1, 5, -1}, {0, 2, 3});
    ExpectVec({0, 2, -1}, box.Min());
    ExpectVec({1, 5, 3}, box.Max());
    EXPECT_TRUE(box.Contains(Vec3{0, 2, -1}));
    EXPECT_TRUE(box.Contains(Vec3{1, 5, 3}));
    EXPECT_FALSE(box.Contains(Vec3{1.01f, 3, 0}));
    EXPECT_TRUE(box.Contains(BoundingBox({0.5f, 3, 0}, {1, 4, 1})));
    EXPECT_FALSE(box.Contains(BoundingBox({0.5f, 3, 0}, {2, 4, 1})));

    box.Extend(Vec3{-1, 0, 0});
    ExpectVec({-1, 0, -1}, box.Min());
    box.Extend(BoundingBox({0, 0, 0}, {0, 0, 9}));
    ExpectVec({1, 5, 9}, box.Max());
    box.SetZero();
    ExpectVec({0, 0, 0}, box.GetSize());
}

TEST(BoundingBoxTest, OverlapAndSegments) {
    const BoundingBox unit({0, 0, 0}, {1, 1, 1});
    EXPECT_TRUE(unit.Overlaps(BoundingBox({1, 0, 0}, {2, 1, 1})));  // one face shared
    EXPECT_TRUE(unit.Overlaps(BoundingBox({0.5f, 0.5f, 0.5f}, {3, 3, 3})));
    EXPECT_FALSE(unit.Overlaps(BoundingBox({1.1f, 0, 0}, {2, 1, 1})));
    EXPECT_FALSE(unit.Overlaps(BoundingBox({0, 0, -2}, {1, 1, -0.5f})));

    EXPECT_TRUE(unit.TouchesSegment({0.5f, 0.5f, 0.5f}, {9, 9, 9}));
    EXPECT_TRUE(unit.TouchesSegment({-1, 0.5f, 0.5f}, {2, 0.5f, 0.5f}));  // midpoint inside
    // Through the box, but both ends and the midpoint lie outside.
    EXPECT_FALSE(unit.TouchesSegment({-3, 0.5f, 0.5f}, {1.5f, 0.5f, 0.5f}));
    EXPECT_FALSE(unit.TouchesSegment({0.5f, -5, 0.5f}, {0.5f, 2, 0.5f}));
}

TEST(BoundingBoxTest, CentreAndSize) {
    BoundingBox box({0, 0, 0}, {2, 4, 6});
    ExpectVec({1, 2, 3}, box.GetCentre());
    box.SetCentre({10, 10, 10});
    ExpectVec({9, 8, 7}, box.Min());
    ExpectVec({2, 4, 6}, box.GetSize());
    box.SetSize({1, 1, 1});
    ExpectVec({9.5f, 9.5f, 9.5f}, box.Min());
    ExpectVec({10, 10, 10}, box.GetCentre());
}

}  // namespace
}  // namespace ondra
