// MeshBuilder: builds one named triangle mesh of a model out of primitive
// parts (boxes, lathed tubes, spheres, tori, prisms), each placed by a
// Transform, with a material per part and smoothing groups on curved
// surfaces. Triangles wind counter-clockwise seen from outside.
#pragma once

#include "tools/assetgen/transform.h"
#include "tools/assetgen/vector_math.h"

#include "framework/load3ds/writer/scene.h"

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

// A ring of a lathed surface: radius at height z along the local z axis.
struct ProfilePoint {
    float radius;
    float z;
};

struct Point2 {
    float x;
    float y;
};

class MeshBuilder {
public:
    explicit MeshBuilder(std::string name);

    const std::string& Name() const { return name; }

    // Material of the triangles added from now on.
    void UseMaterial(const std::string& material);
    // Texture repeats per model unit for the primitives' coordinates.
    void UseTextureDensity(float repeatsPerUnit) { uvDensity = repeatsPerUnit; }

    int Vertex(Vector3 p, float u = 0.0f, float v = 0.0f);
    // Counter-clockwise seen from the side the face shows; smoothing 0 = flat.
    void Triangle(int a, int b, int c, uint32_t smoothing = 0);
    void Quad(int a, int b, int c, int d, uint32_t smoothing = 0);

    // A box centred on the origin with the given half sizes.
    void Box(const Transform& t, Vector3 half);
    // A surface of revolution about local z through the profile points, with
    // flat caps on the first and last ring when asked (and radius > 0).
    void Lathe(const Transform& t, const std::vector<ProfilePoint>& profile, int segments, bool capStart,
               bool capEnd);
    void Cylinder(const Transform& t, float radius, float halfLength, int segments, bool caps = true);
    void Cone(const Transform& t, float radiusStart, float radiusEnd, float halfLength, int segments);
    void Sphere(const Transform& t, Vector3 radii, int segments, int rings);
    void Torus(const Transform& t, float majorRadius, float minorRadius, int segments, int sides);
    // A convex polygon (counter-clockwise in x-y) extruded along z over
    // [-halfDepth, halfDepth].
    void Prism(const Transform& t, const std::vector<Point2>& polygon, float halfDepth);

    int TriangleCount() const { return static_cast<int>(faces.size()); }
    // Moves every vertex by offset (used to make room for a pivot shift).
    void Offset(Vector3 offset);

    ondra::file3ds::Mesh ToMesh() const;

private:
    struct BuiltFace {
        int a, b, c;
        int material;
        uint32_t smoothing;
    };
    void Emit(const Transform& t, int a, int b, int c, uint32_t smoothing);

    std::string name;
    std::vector<Vector3> positions;
    std::vector<ondra::Vec2> uvs;
    std::vector<BuiltFace> faces;
    std::vector<std::string> materials;
    int currentMaterial = -1;
    float uvDensity = 1.0f;
};

}  // namespace assetgen
