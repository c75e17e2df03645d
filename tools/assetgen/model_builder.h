// ModelBuilder: collects the materials and meshes of one model and writes
// it as a 3D Studio file with the project's 3DS writer, adding a keyframer
// node per mesh (with its pivot where one is set).
#pragma once

#include "tools/assetgen/mesh_builder.h"
#include "tools/assetgen/output_folder.h"

#include "framework/load3ds/writer/scene.h"

#include <deque>
#include <string>
#include <utility>

namespace assetgen {

struct Rgb3 {
    float r, g, b;
};

struct MaterialLook {
    MaterialLook(std::string name, Rgb3 diffuse, float ambientShare = 0.6f, float specular = 0.3f,
                 float shininess = 20.0f, float selfIllum = 0.0f, float transparency = 0.0f,
                 std::string texture = "", bool twoSided = false)
        : name(std::move(name)), diffuse(diffuse), ambientShare(ambientShare), specular(specular),
          shininess(shininess), selfIllum(selfIllum), transparency(transparency), texture(std::move(texture)),
          twoSided(twoSided)
    {
    }

    std::string name;
    Rgb3 diffuse;
    float ambientShare;  // ambient = diffuse x share
    float specular;      // grey level of the specular colour
    float shininess;     // percent
    float selfIllum;     // percent
    float transparency;  // percent
    std::string texture; // file name, empty for none
    bool twoSided;
};

// Models stay below this many triangles so the game draws them cheaply.
inline constexpr int kTriangleBudget = 5000;

class ModelBuilder {
public:
    void AddMaterial(const MaterialLook& look);
    MeshBuilder& AddMesh(const std::string& name);
    // The keyframer pivot of a mesh. The reader draws a pivoted mesh shifted
    // by minus the pivot, so the mesh's vertices are stored shifted by plus
    // the pivot and the model still shows where it was built. Only models
    // drawn at scale 1 may use it: the reader does not scale the shift.
    void SetPivot(const std::string& meshName, Vector3 pivot);

    int TriangleCount() const;
    ondra::file3ds::Scene ToScene() const;
    // Validates, checks the triangle budget and writes the file.
    void Save(OutputFolder& out, const std::string& fileName) const;

private:
    std::vector<MaterialLook> materials;
    std::deque<MeshBuilder> meshes;
    std::vector<std::pair<std::string, Vector3>> pivots;
};

}  // namespace assetgen
