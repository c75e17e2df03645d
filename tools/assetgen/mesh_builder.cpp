// Primitive tessellation for MeshBuilder. Curved surfaces share vertices
// and carry smoothing group 1, flat faces get their own vertices, so the
// model reader's normals come out smooth or crisp where they should.
#include "tools/assetgen/mesh_builder.h"

#include <cmath>
#include <utility>

namespace assetgen {
namespace {

constexpr uint32_t kCurved = 1;
constexpr float kTwoPi = 6.28318530718f;

}  // namespace

MeshBuilder::MeshBuilder(std::string name) : name(std::move(name)) {}

void MeshBuilder::UseMaterial(const std::string& material)
{
    for (size_t i = 0; i < materials.size(); ++i) {
        if (materials[i] == material) {
            currentMaterial = static_cast<int>(i);
            return;
        }
    }
    materials.push_back(material);
    currentMaterial = static_cast<int>(materials.size()) - 1;
}

int MeshBuilder::Vertex(Vector3 p, float u, float v)
{
    positions.push_back(p);
    uvs.push_back({u, v});
    return static_cast<int>(positions.size()) - 1;
}

void MeshBuilder::Triangle(int a, int b, int c, uint32_t smoothing)
{
    faces.push_back({a, b, c, currentMaterial, smoothing});
}

void MeshBuilder::Quad(int a, int b, int c, int d, uint32_t smoothing)
{
    Triangle(a, b, c, smoothing);
    Triangle(a, c, d, smoothing);
}

void MeshBuilder::Emit(const Transform& t, int a, int b, int c, uint32_t smoothing)
{
    if (t.Mirrors()) {
        std::swap(b, c);
    }
    Triangle(a, b, c, smoothing);
}

void MeshBuilder::Box(const Transform& t, Vector3 half)
{
    // Each face: outward normal axis n, and the two axes spanning it so that
    // (s x r) = n keeps the quad counter-clockwise from outside.
    struct FaceAxes {
        Vector3 n, s, r;
    };
    const FaceAxes axes[6] = {
        {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},  {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
        {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}},  {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
        {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}},
    };
    auto scale = [&](Vector3 axis) { return Vector3{axis.x * half.x, axis.y * half.y, axis.z * half.z}; };
    for (const FaceAxes& f : axes) {
        const Vector3 centre = scale(f.n);
        const Vector3 s = scale(f.s);
        const Vector3 r = scale(f.r);
        const float su = Length(s) * 2.0f * uvDensity;
        const float rv = Length(r) * 2.0f * uvDensity;
        const int a = Vertex(t.Point(centre - s - r), 0, 0);
        const int b = Vertex(t.Point(centre + s - r), su, 0);
        const int c = Vertex(t.Point(centre + s + r), su, rv);
        const int d = Vertex(t.Point(centre - s + r), 0, rv);
        Emit(t, a, b, c, 0);
        Emit(t, a, c, d, 0);
    }
}

void MeshBuilder::Lathe(const Transform& t, const std::vector<ProfilePoint>& profile, int segments, bool capStart,
                        bool capEnd)
{
    if (profile.size() < 2 || segments < 3) {
        return;
    }
    const int columns = segments + 1;  // the seam is doubled for the texture
    const int first = static_cast<int>(positions.size());
    float pathLength = 0.0f;
    for (size_t ring = 0; ring < profile.size(); ++ring) {
        if (ring > 0) {
            pathLength += std::hypot(profile[ring].radius - profile[ring - 1].radius, profile[ring].z - profile[ring - 1].z);
        }
        for (int column = 0; column < columns; ++column) {
            const float angle = kTwoPi * column / segments;
            const Vector3 local{profile[ring].radius * std::cos(angle), profile[ring].radius * std::sin(angle), profile[ring].z};
            Vertex(t.Point(local), static_cast<float>(column) / segments * 2.0f, pathLength * uvDensity);
        }
    }
    for (size_t ring = 0; ring + 1 < profile.size(); ++ring) {
        for (int column = 0; column < segments; ++column) {
            const int a = first + static_cast<int>(ring) * columns + column;
            const int b = a + 1;
            const int c = b + columns;
            const int d = a + columns;
            Emit(t, a, b, c, kCurved);
            Emit(t, a, c, d, kCurved);
        }
    }
    auto cap = [&](const ProfilePoint& p, bool facingUp) {
        if (p.radius <= 0.0f) {
            return;
        }
        const int centre = Vertex(t.Point({0, 0, p.z}), 0.5f, 0.5f);
        const int ringStart = static_cast<int>(positions.size());
        for (int column = 0; column < segments; ++column) {
            const float angle = kTwoPi * column / segments;
            Vertex(t.Point({p.radius * std::cos(angle), p.radius * std::sin(angle), p.z}), 0.5f + 0.5f * std::cos(angle),
                   0.5f + 0.5f * std::sin(angle));
        }
        for (int column = 0; column < segments; ++column) {
            const int a = ringStart + column;
            const int b = ringStart + (column + 1) % segments;
            if (facingUp) {
                Emit(t, centre, a, b, 0);
            } else {
                Emit(t, centre, b, a, 0);
            }
        }
    };
    // The side faces point outward when z grows along the profile.
    const bool rising = profile.back().z >= profile.front().z;
    if (capStart) {
        cap(profile.front(), !rising);
    }
    if (capEnd) {
        cap(profile.back(), rising);
    }
}

void MeshBuilder::Cylinder(const Transform& t, float radius, float halfLength, int segments, bool caps)
{
    Lathe(t, {{radius, -halfLength}, {radius, halfLength}}, segments, caps, caps);
}

void MeshBuilder::Cone(const Transform& t, float radiusStart, float radiusEnd, float halfLength, int segments)
{
    Lathe(t, {{radiusStart, -halfLength}, {radiusEnd, halfLength}}, segments, true, true);
}

void MeshBuilder::Sphere(const Transform& t, Vector3 radii, int segments, int rings)
{
    std::vector<ProfilePoint> profile;
    for (int ring = 0; ring <= rings; ++ring) {
        const float angle = 3.14159265f * ring / rings - 1.5707963f;
        profile.push_back({std::cos(angle), std::sin(angle)});
    }
    Lathe(t * Transform::Scale(radii.x, radii.y, radii.z), profile, segments, false, false);
}

void MeshBuilder::Torus(const Transform& t, float majorRadius, float minorRadius, int segments, int sides)
{
    const int first = static_cast<int>(positions.size());
    for (int i = 0; i <= segments; ++i) {
        const float around = kTwoPi * i / segments;
        for (int j = 0; j <= sides; ++j) {
            const float tube = kTwoPi * j / sides;
            const float r = majorRadius + minorRadius * std::cos(tube);
            Vertex(t.Point({r * std::cos(around), r * std::sin(around), minorRadius * std::sin(tube)}),
                   static_cast<float>(i) / segments * 4.0f, static_cast<float>(j) / sides);
        }
    }
    for (int i = 0; i < segments; ++i) {
        for (int j = 0; j < sides; ++j) {
            const int a = first + i * (sides + 1) + j;
            const int b = a + (sides + 1);
            const int c = b + 1;
            const int d = a + 1;
            Emit(t, a, b, c, kCurved);
            Emit(t, a, c, d, kCurved);
        }
    }
}

void MeshBuilder::Prism(const Transform& t, const std::vector<Point2>& polygon, float halfDepth)
{
    const int n = static_cast<int>(polygon.size());
    if (n < 3) {
        return;
    }
    for (int side = 0; side < 2; ++side) {
        const float z = side == 0 ? halfDepth : -halfDepth;
        const int start = static_cast<int>(positions.size());
        for (const Point2& p : polygon) {
            Vertex(t.Point({p.x, p.y, z}), p.x * uvDensity, p.y * uvDensity);
        }
        for (int i = 1; i + 1 < n; ++i) {
            if (side == 0) {
                Emit(t, start, start + i, start + i + 1, 0);
            } else {
                Emit(t, start, start + i + 1, start + i, 0);
            }
        }
    }
    for (int i = 0; i < n; ++i) {
        const Point2& p = polygon[i];
        const Point2& q = polygon[(i + 1) % n];
        const float edge = std::hypot(q.x - p.x, q.y - p.y) * uvDensity;
        const float depth = 2.0f * halfDepth * uvDensity;
        const int a = Vertex(t.Point({p.x, p.y, -halfDepth}), 0, 0);
        const int b = Vertex(t.Point({q.x, q.y, -halfDepth}), edge, 0);
        const int c = Vertex(t.Point({q.x, q.y, halfDepth}), edge, depth);
        const int d = Vertex(t.Point({p.x, p.y, halfDepth}), 0, depth);
        Emit(t, a, b, c, 0);
        Emit(t, a, c, d, 0);
    }
}

void MeshBuilder::Offset(Vector3 offset)
{
    for (Vector3& p : positions) {
        p = p + offset;
    }
}

ondra::file3ds::Mesh MeshBuilder::ToMesh() const
{
    ondra::file3ds::Mesh mesh;
    mesh.name = name;
    for (const Vector3& p : positions) {
        mesh.vertices.push_back({p.x, p.y, p.z});
    }
    mesh.texCoords = uvs;
    for (const BuiltFace& f : faces) {
        mesh.faces.push_back({static_cast<uint16_t>(f.a), static_cast<uint16_t>(f.b), static_cast<uint16_t>(f.c),
                              ondra::file3ds::kAllEdges});
        mesh.smoothing.push_back(f.smoothing);
    }
    for (size_t m = 0; m < materials.size(); ++m) {
        ondra::file3ds::MaterialGroup group{materials[m], {}};
        for (size_t i = 0; i < faces.size(); ++i) {
            if (faces[i].material == static_cast<int>(m)) {
                group.faces.push_back(static_cast<uint16_t>(i));
            }
        }
        if (!group.faces.empty()) {
            mesh.materialGroups.push_back(std::move(group));
        }
    }
    mesh.matrix = ondra::file3ds::kIdentityMeshMatrix;
    return mesh;
}

}  // namespace assetgen
