// Scene assembly and 3DS output.
#include "tools/assetgen/model_builder.h"

#include "framework/load3ds/writer/scene_writer.h"

#include <cstdio>

namespace assetgen {
namespace {

ondra::file3ds::Color Colour(float r, float g, float b)
{
    return {{r, g, b}, ondra::file3ds::ColorForm::kBytes};
}

ondra::file3ds::Percent Percent(float value) { return {value, ondra::file3ds::PercentForm::kInteger}; }

}  // namespace

void ModelBuilder::AddMaterial(const MaterialLook& look) { materials.push_back(look); }

MeshBuilder& ModelBuilder::AddMesh(const std::string& name)
{
    meshes.emplace_back(name);
    return meshes.back();
}

void ModelBuilder::SetPivot(const std::string& meshName, Vector3 pivot) { pivots.emplace_back(meshName, pivot); }

int ModelBuilder::TriangleCount() const
{
    int total = 0;
    for (const MeshBuilder& mesh : meshes) {
        total += mesh.TriangleCount();
    }
    return total;
}

ondra::file3ds::Scene ModelBuilder::ToScene() const
{
    ondra::file3ds::Scene scene;
    for (const MaterialLook& look : materials) {
        ondra::file3ds::Material m;
        m.name = look.name;
        const Rgb3& d = look.diffuse;
        m.ambient = Colour(d.r * look.ambientShare, d.g * look.ambientShare, d.b * look.ambientShare);
        m.diffuse = Colour(d.r, d.g, d.b);
        m.specular = Colour(look.specular, look.specular, look.specular);
        m.shininess = Percent(look.shininess);
        if (look.transparency > 0.0f) {
            m.transparency = Percent(look.transparency);
        }
        if (look.selfIllum > 0.0f) {
            m.selfIllum = Percent(look.selfIllum);
        }
        m.twoSided = look.twoSided;
        m.shading = 3;
        if (!look.texture.empty()) {
            ondra::file3ds::TextureMap map;
            map.fileName = look.texture;
            map.strength = 100;
            m.texture = map;
        }
        scene.materials.push_back(m);
    }
    uint16_t nodeId = 0;
    for (const MeshBuilder& builder : meshes) {
        MeshBuilder shifted = builder;
        ondra::file3ds::Node node;
        node.objectName = builder.Name();
        node.nodeId = nodeId++;
        for (const auto& [name, pivot] : pivots) {
            if (name == builder.Name()) {
                shifted.Offset(pivot);
                node.pivot = ondra::Vec3{pivot.x, pivot.y, pivot.z};
            }
        }
        scene.meshes.push_back(shifted.ToMesh());
        scene.nodes.push_back(node);
    }
    return scene;
}

void ModelBuilder::Save(OutputFolder& out, const std::string& fileName) const
{
    const ondra::file3ds::Scene scene = ToScene();
    std::string error;
    if (!ondra::file3ds::Validate(scene, &error)) {
        std::fprintf(stderr, "assetgen: %s is malformed: %s\n", fileName.c_str(), error.c_str());
        out.Report(fileName, false);
        return;
    }
    if (TriangleCount() > kTriangleBudget) {
        std::fprintf(stderr, "assetgen: %s has %d triangles, over the budget of %d\n", fileName.c_str(),
                     TriangleCount(), kTriangleBudget);
        out.Report(fileName, false);
        return;
    }
    const bool saved = ondra::file3ds::Save(scene, out.PathOf(fileName), &error);
    if (!saved) {
        std::fprintf(stderr, "assetgen: %s: %s\n", fileName.c_str(), error.c_str());
    }
    out.Report(fileName, saved);
}

}  // namespace assetgen
