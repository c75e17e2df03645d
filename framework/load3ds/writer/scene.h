// The description of a 3D Studio file for the 3DS writer: materials, named
// triangle meshes and keyframer object nodes, with every optional chunk the
// model reader understands. Fill a Scene and hand it to file3ds::Encode or
// file3ds::Save (scene_writer.h).
//
// Only what is set is written: optional fields that hold no value and empty
// lists produce no chunk, so tests can leave chunks out on purpose.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/vec3.h"

namespace ondra {
namespace file3ds {

// A chunk written as given, for ids the description has no field for.
// The payload may itself hold sub-chunks made with ChunkWriter.
struct RawChunk {
    uint16_t id = 0;
    std::vector<uint8_t> payload{};
};

// Colour channels from 0 to 1.
struct Rgb {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};

// Which colour sub-chunks carry a material colour, in file order. Readers
// usually take the first one; 3D Studio itself writes bytes then floats.
enum class ColorForm {
    kBytes,            // 0x0011: three bytes, value * 255 rounded
    kFloats,           // 0x0010: three floats
    kBytesAndFloats,   // 0x0011 then 0x0010
    kFloatsAndBytes,   // 0x0010 then 0x0011
};

struct Color {
    Rgb value{};
    ColorForm form = ColorForm::kBytes;
};

enum class PercentForm {
    kInteger,  // 0x0030: a 16-bit whole percentage
    kFloat,    // 0x0031: a float percentage
};

// A percentage as stored in the file: 0 to 100, not a fraction.
struct Percent {
    float percent = 0.0f;
    PercentForm form = PercentForm::kInteger;
};

struct TextureMap {
    std::string fileName{};                  // 0xA300
    std::optional<uint16_t> strength{};      // 0x0030, whole percent
    std::optional<uint16_t> tiling{};        // 0xA351, tiling flags
    std::optional<float> blur{};             // 0xA353
    std::optional<float> uScale{};           // 0xA354
    std::optional<float> vScale{};           // 0xA356
    std::optional<float> uOffset{};          // 0xA358
    std::optional<float> vOffset{};          // 0xA35A
    std::optional<float> angle{};            // 0xA35C, degrees
    std::vector<RawChunk> extra{};           // written after the fields above
};

struct Material {
    std::string name{};                          // 0xA000
    std::optional<Color> ambient{};              // 0xA010
    std::optional<Color> diffuse{};              // 0xA020
    std::optional<Color> specular{};             // 0xA030
    std::optional<Percent> shininess{};          // 0xA040
    std::optional<Percent> shininessStrength{};  // 0xA041
    std::optional<Percent> transparency{};       // 0xA050
    std::optional<Percent> selfIllum{};          // 0xA084
    bool twoSided = false;                     // 0xA081
    std::optional<uint16_t> shading{};           // 0xA100 (3 = Phong)
    std::optional<TextureMap> texture{};         // 0xA200
    std::vector<RawChunk> extra{};               // written after the fields above
};

// Edge flags: bit 2 shows the edge a-b, bit 1 b-c, bit 0 c-a.
constexpr uint16_t kAllEdges = 0x7;

struct Face {
    uint16_t a = 0;
    uint16_t b = 0;
    uint16_t c = 0;
    uint16_t flags = kAllEdges;
};

// Faces (indices into Mesh::faces) drawn with the named material.
struct MaterialGroup {
    std::string material{};
    std::vector<uint16_t> faces{};
};

// The 3x4 mesh matrix: columns are the local x, y and z axes and the origin.
using MeshMatrix = std::array<float, 12>;
constexpr MeshMatrix kIdentityMeshMatrix = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};

struct Mesh {
    std::string name{};                     // the named object (0x4000)
    std::vector<Vec3> vertices{};           // 0x4110, written when not empty
    // 0x4120, written when there are faces or material groups, smoothing
    // groups or face extras to carry.
    std::vector<Face> faces{};
    std::vector<MaterialGroup> materialGroups{};  // 0x4130 each, inside 0x4120
    std::vector<uint32_t> smoothing{};      // 0x4150 inside 0x4120, one per face
    std::vector<Vec2> texCoords{};          // 0x4140, written when not empty
    std::optional<MeshMatrix> matrix{};     // 0x4160
    std::optional<uint8_t> color{};         // 0x4165
    std::vector<RawChunk> faceExtra{};      // more sub-chunks inside 0x4120
    std::vector<RawChunk> extra{};          // more chunks inside 0x4100
};

struct PositionKey {
    uint32_t frame = 0;
    Vec3 value{};
};

struct RotationKey {
    uint32_t frame = 0;
    float angle = 0.0f;  // radians, as 3D Studio stores it
    Vec3 axis{0.0f, 0.0f, 1.0f};
};

struct ScaleKey {
    uint32_t frame = 0;
    Vec3 value{1.0f, 1.0f, 1.0f};
};

// A keyframer object node (0xB002). Its header (0xB010) names the mesh it
// animates; an empty `objectName` writes no header at all.
struct Node {
    std::string objectName{};
    uint16_t flags1 = 0;
    uint16_t flags2 = 0;
    uint16_t parent = 0xFFFF;             // 0xFFFF: no parent
    std::optional<uint16_t> nodeId{};       // 0xB030, written first
    std::optional<Vec3> pivot{};            // 0xB013
    std::vector<PositionKey> position{};    // 0xB020, written when not empty
    std::vector<RotationKey> rotation{};    // 0xB021
    std::vector<ScaleKey> scale{};          // 0xB022
    bool pivotBeforeHeader = false;       // writes the pivot ahead of 0xB010
    std::vector<RawChunk> extra{};          // written last inside the node
};

struct Scene {
    std::optional<uint32_t> version = 3;       // 0x0002
    std::optional<uint32_t> meshVersion = 3;   // 0x3D3E
    std::optional<float> masterScale = 1.0f;   // 0x0100
    std::vector<Material> materials{};           // written before the meshes
    std::vector<Mesh> meshes{};
    std::vector<Node> nodes{};                   // inside 0xB000 when not empty
    std::vector<RawChunk> rootExtra{};           // after everything in 0x4D4D
    std::vector<RawChunk> meshDataExtra{};       // after the meshes in 0x3D3D
    std::vector<RawChunk> keyframerExtra{};      // after the nodes in 0xB000
};

}  // namespace file3ds
}  // namespace ondra
