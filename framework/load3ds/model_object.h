// ModelObject: one triangle mesh of a 3DS model (vertices, texture
// coordinates, faces with smoothing groups and materials) together with
// what preparation derives from it: placement matrix, box and normals.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/load3ds/bounding_box.h"
#include "framework/matrix.h"
#include "framework/vec3.h"

namespace ondra {

struct Face {
    int vertex[3] = {0, 0, 0};
    int normal[3] = {0, 0, 0};  // filled by GenerateNormals
    // Bit 2: edge from corner 0 to 1 visible, bit 1: 1 to 2, bit 0: 2 to 0.
    uint16_t edgeFlags = 0;
    uint32_t smoothing = 0;  // one bit per smoothing group
    int material = -1;
};

struct ModelObject {
    int material = -1;  // material of the whole object; -1 = none
    std::string name;
    Matrix meshMatrix;
    Vec3 pivot;
    Matrix placement;  // applied when drawing, see ComputePlacement
    float glPlacement[16] = {};
    std::vector<Vec3> vertices;
    std::vector<Vec3> normals;
    std::vector<Vec2> texCoords;  // by vertex index
    std::vector<Face> faces;
    BoundingBox box;
    bool boxValid = false;
    bool hasPivot = false;
    bool multiMaterial = false;  // some faces use another material

    // The vertex list for changing: the box must be recomputed afterwards.
    std::vector<Vec3>& VerticesForWriting() {
        boxValid = false;
        return vertices;
    }

    void SetPivot(const Vec3& p) {
        pivot = p;
        hasPivot = true;
    }

    // Faces naming vertices the object does not have cannot be drawn or
    // given normals; they are removed. Returns how many were.
    size_t DropFacesWithMissingVertices();

    // Placement matrix, box and normals, in that order.
    void Prepare();
    // Placement from the pivot: the object is moved so that the pivot,
    // given in the mesh matrix's frame, lands on the origin. False, leaving
    // the identity, when the mesh matrix cannot be inverted.
    bool ComputePlacement();
    void ComputeBox();
    const BoundingBox& GetBox() {
        if (!boxValid) ComputeBox();
        return box;
    }
    // Faces must name existing vertices (the reader drops the others).
    bool GenerateNormals();

    // Texture coordinate of a vertex; (0, 0) where the file gave fewer
    // coordinates than vertices.
    Vec2 TexCoordOf(int vertex) const {
        return static_cast<size_t>(vertex) < texCoords.size() ? texCoords[vertex] : Vec2{};
    }

    // GL geometry, one glBegin/glEnd block each, faces in order.
    void EmitPoints() const;
    void EmitEdges() const;
    void EmitSmooth() const;
    void EmitFull() const;
    void EmitTextured() const;
    void EmitPlain() const;
};

}  // namespace ondra
