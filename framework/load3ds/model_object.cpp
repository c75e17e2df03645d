// ModelObject preparation: face checks, placement matrix and box.
#include "framework/load3ds/model_object.h"

#include <algorithm>

#include "framework/load3ds/load_warnings.h"

namespace ondra {

size_t ModelObject::DropFacesWithMissingVertices() {
    const int vertexCount = static_cast<int>(vertices.size());
    auto missing = [vertexCount](const Face& f) {
        for (int v : f.vertex)
            if (v < 0 || v >= vertexCount) return true;
        return false;
    };
    const size_t before = faces.size();
    faces.erase(std::remove_if(faces.begin(), faces.end(), missing), faces.end());
    return before - faces.size();
}

void ModelObject::Prepare() {
    ComputePlacement();
    ComputeBox();
    GenerateNormals();
}

bool ModelObject::ComputePlacement() {
    placement.SetIdentity();
    bool placed = true;
    if (hasPivot) {
        try {
            Matrix a = meshMatrix.Inverse();
            a.Translate({-pivot.x, -pivot.y, -pivot.z});
            placement = meshMatrix * a;
        } catch (const char*) {
            ModelWarning("object \"%s\" has a singular mesh matrix; its pivot is ignored",
                         name.c_str());
            placed = false;
        }
    }
    placement.ToColumnMajor(glPlacement);
    return placed;
}

void ModelObject::ComputeBox() {
    box.SetZero();
    if (!vertices.empty()) {
        const Vec3 first = placement.TransformPoint(vertices[0]);
        box.Set(first, first);
        for (size_t i = 1; i < vertices.size(); ++i) box.Extend(placement.TransformPoint(vertices[i]));
    }
    boxValid = true;
}

}  // namespace ondra
