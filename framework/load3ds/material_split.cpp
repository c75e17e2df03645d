// Splitting objects whose faces use several materials into one object per
// material, so that each object is drawn with one material state. The
// first material keeps the object's slot; the others are appended.
#include <cstdio>
#include <unordered_map>

#include "framework/load3ds/model_ex.h"

namespace ondra {
namespace {

// Old-to-new index map that is reset for each piece by changing the stamp
// rather than by clearing it, so splitting into many pieces stays linear.
class IndexMap {
public:
    explicit IndexMap(size_t size) : stamp_(size, -1), value_(size, 0) {}
    // The new index of `old`, or -1 when it has none in piece `piece` yet.
    int Get(size_t old, int piece) const { return stamp_[old] == piece ? value_[old] : -1; }
    void Set(size_t old, int piece, int value) {
        stamp_[old] = piece;
        value_[old] = value;
    }

private:
    std::vector<int> stamp_;
    std::vector<int> value_;
};

// Builds `target` from the faces `faceList` of `source`, all of material
// `material`, with only the vertices and normals those faces use.
bool BuildPiece(ModelObject& target, const ModelObject& source, const std::vector<size_t>& faceList,
                int material, int piece, IndexMap& vertexMap, IndexMap& normalMap) {
    target = ModelObject();
    // Texture coordinates stay aligned with the vertices: a vertex the
    // source gave no coordinate gets (0, 0).
    const bool textured = !source.texCoords.empty();
    target.faces.reserve(faceList.size());
    for (size_t faceIndex : faceList) {
        Face face = source.faces[faceIndex];
        for (int k = 0; k < 3; ++k) {
            const int v = face.vertex[k];
            int mapped = vertexMap.Get(v, piece);
            if (mapped < 0) {
                target.vertices.push_back(source.vertices[v]);
                if (textured) target.texCoords.push_back(source.TexCoordOf(v));
                mapped = static_cast<int>(target.vertices.size()) - 1;
                vertexMap.Set(v, piece, mapped);
            }
            face.vertex[k] = mapped;

            const int n = face.normal[k];
            mapped = normalMap.Get(n, piece);
            if (mapped < 0) {
                target.normals.push_back(source.normals[n]);
                mapped = static_cast<int>(target.normals.size()) - 1;
                normalMap.Set(n, piece, mapped);
            }
            face.normal[k] = mapped;
        }
        target.faces.push_back(face);
    }
    target.material = material;
    target.name = source.name;
    target.meshMatrix = source.meshMatrix;
    target.placement = source.placement;
    target.pivot = source.pivot;
    target.hasPivot = source.hasPivot;
    std::copy(std::begin(source.glPlacement), std::end(source.glPlacement), target.glPlacement);
    target.multiMaterial = false;
    target.ComputeBox();
    return !target.faces.empty();
}

}  // namespace

bool ModelEx::SplitByMaterial() {
    const size_t originalCount = objects.size();
    for (size_t i = 0; i < originalCount; ++i) {
        if (!objects[i].multiMaterial) continue;

        // Materials in order of first use, with the faces of each.
        std::vector<int> ids;
        std::vector<std::vector<size_t>> facesOf;
        std::unordered_map<int, size_t> slotOf;
        const std::vector<Face>& faces = objects[i].faces;
        for (size_t f = 0; f < faces.size(); ++f) {
            auto [it, added] = slotOf.emplace(faces[f].material, ids.size());
            if (added) {
                ids.push_back(faces[f].material);
                facesOf.emplace_back();
            }
            facesOf[it->second].push_back(f);
        }

        std::printf("object %d uses materials:", static_cast<int>(i));
        for (int id : ids) std::printf(" %d", id);
        std::printf("\n");

        const ModelObject source = std::move(objects[i]);
        IndexMap vertexMap(source.vertices.size());
        IndexMap normalMap(source.normals.size());
        if (ids.empty()) {
            // No faces at all: nothing to split, only the flag to clear.
            objects[i] = source;
            objects[i].multiMaterial = false;
            continue;
        }
        for (size_t piece = 0; piece < ids.size(); ++piece) {
            if (piece > 0) objects.emplace_back();
            ModelObject& target = piece == 0 ? objects[i] : objects.back();
            BuildPiece(target, source, facesOf[piece], ids[piece], static_cast<int>(piece), vertexMap,
                       normalMap);
        }
    }
    return true;
}

}  // namespace ondra
