// Model: the public face of the 3DS model, and the whole-model parts of
// ModelEx that are neither reading nor drawing: reset, box, dump, rescale
// and the flattened mesh. Nothing here needs GL; drawing and releasing a
// context's GL objects are in model_draw.cpp.
#include "framework/load3ds/model.h"

#include <cstdio>
#include <new>

#include "framework/fatal.h"
#include "framework/load3ds/model_ex.h"

namespace ondra {

// ---- ModelEx ---------------------------------------------------------------

ModelEx::~ModelEx() {
    if (file) std::fclose(file);
    // The GL objects of other contexts cannot be deleted from here; only the
    // memory that names them is freed.
    for (int i = 0; i < contexts.Count(); ++i) {
        if (ModelGLData* record = contexts.RecordOf(contexts.ContextAt(i))) delete[] record->textures;
    }
}

void ModelEx::Reset() {
    objects.clear();
    materials.clear();
    objectIndex.clear();
    materialIndex.clear();
    pictures.Clear();
    if (file) std::fclose(file);
    file = nullptr;
    box.SetZero();
    ++generation;
    flatVertexCount = 0;
    flatFaceCount = 0;
    scale = 1.0f;
    flatPositions.clear();
    flatNormals.clear();
    flatTriangles.clear();
}

void ModelEx::ComputeBox() {
    box.SetZero();
    if (objects.empty()) return;
    box = objects[0].GetBox();
    for (size_t i = 1; i < objects.size(); ++i) box.Extend(objects[i].GetBox());
}

void ModelEx::PrintDump() const {
    std::printf("---- dump ----\n");
    std::printf("Objects:\n");
    long faces = 0, vertices = 0, normals = 0;
    for (const ModelObject& object : objects) {
        std::printf("  %s\n", object.name.c_str());
        std::printf("    verts=%d\n", static_cast<int>(object.vertices.size()));
        if (!object.texCoords.empty()) std::printf("    texuv=%d\n", static_cast<int>(object.texCoords.size()));
        faces += static_cast<long>(object.faces.size());
        vertices += static_cast<long>(object.vertices.size());
        normals += static_cast<long>(object.normals.size());
    }
    std::printf("Materials:\n");
    for (const Material& material : materials) std::printf("  %s\n", material.name.c_str());
    std::printf("Statistics:\n");
    std::printf("  Faces    = %ld\n", faces);
    std::printf("  Vertices = %ld\n", vertices);
    std::printf("  Normals  = %ld\n", normals);
}

void ModelEx::ComputeTotals() {
    flatVertexCount = 0;
    flatFaceCount = 0;
    for (const ModelObject& object : objects) {
        flatVertexCount += static_cast<int>(object.normals.size());
        flatFaceCount += static_cast<int>(object.faces.size());
    }
}

void ModelEx::BuildFlatMesh() {
    flatPositions.clear();
    flatNormals.clear();
    flatTriangles.clear();
    for (const ModelObject& object : objects) {
        flatNormals.insert(flatNormals.end(), object.normals.begin(), object.normals.end());
        const int base = static_cast<int>(flatPositions.size());
        flatPositions.resize(flatPositions.size() + object.normals.size());
        for (const Face& f : object.faces) {
            flatTriangles.push_back({base + f.normal[0], base + f.normal[1], base + f.normal[2]});
            for (int k = 0; k < 3; ++k)
                flatPositions[base + f.normal[k]] = object.placement.TransformPoint(object.vertices[f.vertex[k]]);
        }
    }
}

// ---- Model -----------------------------------------------------------------

Model::Model() : extra(new (std::nothrow) ModelEx) { ONDRA_ASSERT(extra!=NULL, "load3ds/model"); }

Model::~Model() {
    Clear();
    delete extra;
}

void Model::Clear() { extra->Reset(); }

bool Model::Load(const char* fileName) { return extra->Load(fileName); }

Vec3 Model::GetCentre() const { return extra->box.GetCentre(); }

Vec3 Model::GetSize() const { return extra->box.GetSize(); }

const BoundingBox& Model::GetBox() const { return extra->box; }

int Model::GetVertexCount() {
    if (extra->flatVertexCount == 0) extra->ComputeTotals();
    return extra->flatVertexCount;
}

Vec3 Model::GetVertex(int index) {
    if (extra->flatPositions.empty()) extra->BuildFlatMesh();
    if (index < 0 || index >= static_cast<int>(extra->flatPositions.size())) return {0.0f, 0.0f, 1.0f};
    return extra->flatPositions[index];
}

Vec3 Model::GetNormal(int index) {
    if (extra->flatNormals.empty()) extra->BuildFlatMesh();
    if (index < 0 || index >= static_cast<int>(extra->flatNormals.size())) return {0.0f, 0.0f, 1.0f};
    return extra->flatNormals[index];
}

int Model::GetFaceCount() {
    if (extra->flatFaceCount == 0) extra->ComputeTotals();
    return extra->flatFaceCount;
}

std::array<int, 3> Model::GetTriangle(int index) {
    if (extra->flatTriangles.empty()) extra->BuildFlatMesh();
    if (index < 0 || index >= static_cast<int>(extra->flatTriangles.size())) return {0, 0, 0};
    return extra->flatTriangles[index];
}

void Model::SetScale(float scale) {
    ModelEx& ex = *extra;
    if (ex.objects.empty() || ex.scale == 0.0f) return;
    const float factor = scale / ex.scale;
    auto scaled = [factor](Vec3& v) { v = {v.x * factor, v.y * factor, v.z * factor}; };
    for (ModelObject& object : ex.objects) {
        for (Vec3& v : object.VerticesForWriting()) scaled(v);
        object.ComputeBox();
    }
    for (Vec3& p : ex.flatPositions) scaled(p);
    ex.ComputeBox();
    ex.scale = scale;
    ++ex.generation;
}

float Model::GetScale() const { return extra->scale; }

}  // namespace ondra
