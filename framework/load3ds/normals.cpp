// Vertex normals from smoothing groups: faces that share a vertex and a
// smoothing group share that vertex's normal; faces without any group are
// shaded flat, unless no face has a group at all, in which case the whole
// object is shaded smooth.
#include <cmath>
#include <cstdio>

#include "framework/load3ds/model_object.h"

namespace ondra {
namespace {

Vec3 Sub(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Gives every corner a normal index, sharing one among the faces of each
// smoothing group that meet at a vertex. Returns the number of normals.
int AssignNormalIndices(std::vector<Face>& faces, size_t vertexCount, std::vector<int>& slot) {
    uint32_t used = 0;
    for (Face& f : faces) {
        used |= f.smoothing;
        f.normal[0] = f.normal[1] = f.normal[2] = -1;
    }
    int next = 0;
    slot.assign(vertexCount, -1);
    for (int bit = 0; bit < 32; ++bit) {
        const uint32_t mask = 1u << bit;
        if (!(used & mask)) continue;
        std::fill(slot.begin(), slot.end(), -1);
        for (Face& f : faces) {
            if (!(f.smoothing & mask)) continue;
            for (int k = 0; k < 3; ++k) {
                int& normal = slot[f.vertex[k]];
                if (normal < 0) normal = next++;
                f.normal[k] = normal;
            }
        }
    }

    if (next == 0) {
        for (Face& f : faces)
            for (int k = 0; k < 3; ++k) f.normal[k] = f.vertex[k];
        return static_cast<int>(vertexCount);
    }

    const int before = next;
    for (Face& f : faces)
        for (int& normal : f.normal)
            if (normal < 0) normal = next++;
    if (next > before) std::printf("note: added %ld normals\n", static_cast<long>(next - before));
    return next;
}

}  // namespace

bool ModelObject::GenerateNormals() {
    std::vector<int> count;
    const int normalCount = AssignNormalIndices(faces, vertices.size(), count);

    normals.assign(normalCount, Vec3{});
    count.assign(normalCount, 0);
    for (const Face& f : faces) {
        const Vec3& a = vertices[f.vertex[0]];
        const Vec3& b = vertices[f.vertex[1]];
        const Vec3& c = vertices[f.vertex[2]];
        // Counter-clockwise is the front; the length is twice the area, so
        // large faces weigh more in the shared normals.
        const Vec3 n = Cross(Sub(c, b), Sub(a, c));
        for (int index : f.normal) {
            Vec3& sum = normals[index];
            sum = {sum.x + n.x, sum.y + n.y, sum.z + n.z};
            ++count[index];
        }
    }
    for (int i = 0; i < normalCount; ++i) {
        Vec3& n = normals[i];
        if (count[i] != 0) n = {n.x / count[i], n.y / count[i], n.z / count[i]};
        const float length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
        if (length > 0.0f) n = {n.x / length, n.y / length, n.z / length};
    }
    std::printf("generated %ld normals\n", static_cast<long>(normals.size()));
    return true;
}

}  // namespace ondra
