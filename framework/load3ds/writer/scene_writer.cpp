// Encoding of a file3ds::Scene into 3D Studio chunks, in the order 3D
// Studio itself writes them: version, mesh data (materials, then objects),
// keyframer.
#include "framework/load3ds/writer/scene_writer.h"

#include <cmath>
#include <cstdio>
#include <memory>

#include "framework/load3ds/chunk_ids.h"
#include "framework/load3ds/writer/chunk_writer.h"

namespace ondra {
namespace file3ds {
namespace {

namespace id = chunk3ds;

constexpr size_t kMaxCount = 0xFFFF;

class SceneEncoder {
public:
    explicit SceneEncoder(std::string* error) : error_(error) {}

    bool Encode(const Scene& scene) {
        if (!CheckScene(scene)) return false;
        out_.Begin(id::kMain);
        if (scene.version) {
            out_.Begin(id::kVersion);
            out_.Dword(*scene.version);
            out_.End();
        }
        WriteMeshData(scene);
        if (!scene.nodes.empty() || !scene.keyframerExtra.empty()) WriteKeyframer(scene);
        WriteRaw(scene.rootExtra);
        out_.End();
        return true;
    }

    std::vector<uint8_t> Take() { return out_.Take(); }

private:
    bool Fail(const std::string& reason) {
        if (error_) *error_ = reason;
        return false;
    }

    static bool HasNul(const std::string& text) { return text.find('\0') != std::string::npos; }

    bool CheckScene(const Scene& scene) {
        for (const Material& m : scene.materials) {
            if (HasNul(m.name)) return Fail("material name holds a NUL");
            if (m.texture && HasNul(m.texture->fileName)) return Fail("texture name holds a NUL");
        }
        for (const Mesh& mesh : scene.meshes) {
            const std::string where = "mesh \"" + mesh.name + "\": ";
            if (HasNul(mesh.name)) return Fail("mesh name holds a NUL");
            if (mesh.vertices.size() > kMaxCount) return Fail(where + "more than 65535 vertices");
            if (mesh.faces.size() > kMaxCount) return Fail(where + "more than 65535 faces");
            if (mesh.texCoords.size() > kMaxCount)
                return Fail(where + "more than 65535 texture coordinates");
            if (!mesh.smoothing.empty() && mesh.smoothing.size() != mesh.faces.size())
                return Fail(where + "smoothing list and face list differ in length");
            for (const MaterialGroup& group : mesh.materialGroups) {
                if (HasNul(group.material)) return Fail(where + "group material name holds a NUL");
                if (group.faces.size() > kMaxCount)
                    return Fail(where + "material group with more than 65535 faces");
            }
        }
        for (const Node& node : scene.nodes)
            if (HasNul(node.objectName)) return Fail("node name holds a NUL");
        return true;
    }

    void WriteRaw(const std::vector<RawChunk>& chunks) {
        for (const RawChunk& chunk : chunks) out_.Chunk(chunk.id, chunk.payload);
    }

    static uint8_t ToByte(float channel) {
        const float clamped = std::fmin(std::fmax(channel, 0.0f), 1.0f);
        return static_cast<uint8_t>(std::lround(clamped * 255.0f));
    }

    void WriteColorBytes(const Rgb& c) {
        out_.Begin(id::kColorBytes);
        out_.Byte(ToByte(c.r));
        out_.Byte(ToByte(c.g));
        out_.Byte(ToByte(c.b));
        out_.End();
    }

    void WriteColorFloats(const Rgb& c) {
        out_.Begin(id::kColorFloat);
        out_.Float(c.r);
        out_.Float(c.g);
        out_.Float(c.b);
        out_.End();
    }

    void WriteColor(uint16_t chunkId, const std::optional<Color>& color) {
        if (!color) return;
        out_.Begin(chunkId);
        switch (color->form) {
            case ColorForm::kBytes: WriteColorBytes(color->value); break;
            case ColorForm::kFloats: WriteColorFloats(color->value); break;
            case ColorForm::kBytesAndFloats:
                WriteColorBytes(color->value);
                WriteColorFloats(color->value);
                break;
            case ColorForm::kFloatsAndBytes:
                WriteColorFloats(color->value);
                WriteColorBytes(color->value);
                break;
        }
        out_.End();
    }

    void WritePercent(uint16_t chunkId, const std::optional<Percent>& percent) {
        if (!percent) return;
        out_.Begin(chunkId);
        if (percent->form == PercentForm::kInteger) {
            out_.Begin(id::kPercentInt);
            out_.Word(static_cast<uint16_t>(std::lround(std::fmin(std::fmax(percent->percent, 0.0f), 65535.0f))));
        } else {
            out_.Begin(id::kPercentFloat);
            out_.Float(percent->percent);
        }
        out_.End();
        out_.End();
    }

    void WriteFloatChunk(uint16_t chunkId, const std::optional<float>& value) {
        if (!value) return;
        out_.Begin(chunkId);
        out_.Float(*value);
        out_.End();
    }

    void WriteWordChunk(uint16_t chunkId, const std::optional<uint16_t>& value) {
        if (!value) return;
        out_.Begin(chunkId);
        out_.Word(*value);
        out_.End();
    }

    void WriteTextureMap(const TextureMap& map) {
        out_.Begin(id::kMatTextureMap);
        WriteWordChunk(id::kPercentInt, map.strength);
        out_.Begin(id::kMapFileName);
        out_.String(map.fileName);
        out_.End();
        WriteWordChunk(id::kMapTiling, map.tiling);
        WriteFloatChunk(id::kMapBlur, map.blur);
        WriteFloatChunk(id::kMapUScale, map.uScale);
        WriteFloatChunk(id::kMapVScale, map.vScale);
        WriteFloatChunk(id::kMapUOffset, map.uOffset);
        WriteFloatChunk(id::kMapVOffset, map.vOffset);
        WriteFloatChunk(id::kMapAngle, map.angle);
        WriteRaw(map.extra);
        out_.End();
    }

    void WriteMaterial(const Material& m) {
        out_.Begin(id::kMaterial);
        out_.Begin(id::kMatName);
        out_.String(m.name);
        out_.End();
        WriteColor(id::kMatAmbient, m.ambient);
        WriteColor(id::kMatDiffuse, m.diffuse);
        WriteColor(id::kMatSpecular, m.specular);
        WritePercent(id::kMatShininess, m.shininess);
        WritePercent(id::kMatShininessStrength, m.shininessStrength);
        WritePercent(id::kMatTransparency, m.transparency);
        WritePercent(id::kMatSelfIllum, m.selfIllum);
        if (m.twoSided) {
            out_.Begin(id::kMatTwoSided);
            out_.End();
        }
        WriteWordChunk(id::kMatShading, m.shading);
        if (m.texture) WriteTextureMap(*m.texture);
        WriteRaw(m.extra);
        out_.End();
    }

    void WriteVertices(const Mesh& mesh) {
        out_.Begin(id::kVertexList);
        out_.Word(static_cast<uint16_t>(mesh.vertices.size()));
        for (const Vec3& v : mesh.vertices) {
            out_.Float(v.x);
            out_.Float(v.y);
            out_.Float(v.z);
        }
        out_.End();
    }

    void WriteFaces(const Mesh& mesh) {
        out_.Begin(id::kFaceList);
        out_.Word(static_cast<uint16_t>(mesh.faces.size()));
        for (const Face& f : mesh.faces) {
            out_.Word(f.a);
            out_.Word(f.b);
            out_.Word(f.c);
            out_.Word(f.flags);
        }
        for (const MaterialGroup& group : mesh.materialGroups) {
            out_.Begin(id::kFaceMaterial);
            out_.String(group.material);
            out_.Word(static_cast<uint16_t>(group.faces.size()));
            for (uint16_t face : group.faces) out_.Word(face);
            out_.End();
        }
        if (!mesh.smoothing.empty()) {
            out_.Begin(id::kSmoothGroups);
            for (uint32_t groups : mesh.smoothing) out_.Dword(groups);
            out_.End();
        }
        WriteRaw(mesh.faceExtra);
        out_.End();
    }

    void WriteTexCoords(const Mesh& mesh) {
        out_.Begin(id::kTexCoords);
        out_.Word(static_cast<uint16_t>(mesh.texCoords.size()));
        for (const Vec2& t : mesh.texCoords) {
            out_.Float(t.u);
            out_.Float(t.v);
        }
        out_.End();
    }

    void WriteMesh(const Mesh& mesh) {
        out_.Begin(id::kNamedObject);
        out_.String(mesh.name);
        out_.Begin(id::kTriangleMesh);
        if (!mesh.vertices.empty()) WriteVertices(mesh);
        if (!mesh.texCoords.empty()) WriteTexCoords(mesh);
        const bool hasFaceData = !mesh.faces.empty() || !mesh.materialGroups.empty() ||
                                 !mesh.smoothing.empty() || !mesh.faceExtra.empty();
        if (hasFaceData) WriteFaces(mesh);
        if (mesh.matrix) {
            out_.Begin(id::kMeshMatrix);
            for (float f : *mesh.matrix) out_.Float(f);
            out_.End();
        }
        if (mesh.color) {
            out_.Begin(id::kMeshColor);
            out_.Byte(*mesh.color);
            out_.End();
        }
        WriteRaw(mesh.extra);
        out_.End();
        out_.End();
    }

    void WriteMeshData(const Scene& scene) {
        out_.Begin(id::kMeshData);
        if (scene.meshVersion) {
            out_.Begin(id::kMeshVersion);
            out_.Dword(*scene.meshVersion);
            out_.End();
        }
        for (const Material& m : scene.materials) WriteMaterial(m);
        if (scene.masterScale) WriteFloatChunk(id::kMasterScale, scene.masterScale);
        for (const Mesh& mesh : scene.meshes) WriteMesh(mesh);
        WriteRaw(scene.meshDataExtra);
        out_.End();
    }

    // Track header: flags, 8 unused bytes, key count.
    void WriteTrackHeader(size_t keys) {
        out_.Word(0);
        out_.Dword(0);
        out_.Dword(0);
        out_.Dword(static_cast<uint32_t>(keys));
    }

    // Key header: frame number and spline flags (no spline data follows).
    void WriteKeyHeader(uint32_t frame) {
        out_.Dword(frame);
        out_.Word(0);
    }

    void WriteVec3(const Vec3& v) {
        out_.Float(v.x);
        out_.Float(v.y);
        out_.Float(v.z);
    }

    void WriteNodeHeader(const Node& node) {
        out_.Begin(id::kNodeHeader);
        out_.String(node.objectName);
        out_.Word(node.flags1);
        out_.Word(node.flags2);
        out_.Word(node.parent);
        out_.End();
    }

    void WritePivot(const Node& node) {
        if (!node.pivot) return;
        out_.Begin(id::kPivot);
        WriteVec3(*node.pivot);
        out_.End();
    }

    void WriteNode(const Node& node) {
        out_.Begin(id::kObjectNode);
        WriteWordChunk(id::kNodeId, node.nodeId);
        if (node.pivotBeforeHeader) WritePivot(node);
        if (!node.objectName.empty()) WriteNodeHeader(node);
        if (!node.pivotBeforeHeader) WritePivot(node);
        if (!node.position.empty()) {
            out_.Begin(id::kPositionTrack);
            WriteTrackHeader(node.position.size());
            for (const PositionKey& key : node.position) {
                WriteKeyHeader(key.frame);
                WriteVec3(key.value);
            }
            out_.End();
        }
        if (!node.rotation.empty()) {
            out_.Begin(id::kRotationTrack);
            WriteTrackHeader(node.rotation.size());
            for (const RotationKey& key : node.rotation) {
                WriteKeyHeader(key.frame);
                out_.Float(key.angle);
                WriteVec3(key.axis);
            }
            out_.End();
        }
        if (!node.scale.empty()) {
            out_.Begin(id::kScaleTrack);
            WriteTrackHeader(node.scale.size());
            for (const ScaleKey& key : node.scale) {
                WriteKeyHeader(key.frame);
                WriteVec3(key.value);
            }
            out_.End();
        }
        WriteRaw(node.extra);
        out_.End();
    }

    void WriteKeyframer(const Scene& scene) {
        out_.Begin(id::kKeyframer);
        for (const Node& node : scene.nodes) WriteNode(node);
        WriteRaw(scene.keyframerExtra);
        out_.End();
    }

    std::string* error_;
    ChunkWriter out_;
};

}  // namespace

bool Encode(const Scene& scene, std::vector<uint8_t>& out, std::string* error) {
    SceneEncoder encoder(error);
    if (!encoder.Encode(scene)) return false;
    out = encoder.Take();
    return true;
}

bool Save(const Scene& scene, const std::string& path, std::string* error) {
    std::vector<uint8_t> bytes;
    if (!Encode(scene, bytes, error)) return false;
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file) {
        if (error) *error = "cannot create " + path;
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    const bool closed = std::fclose(file.release()) == 0;
    if (!written || !closed) {
        if (error) *error = "cannot write " + path;
        return false;
    }
    return true;
}

bool Validate(const Scene& scene, std::string* error) {
    auto fail = [error](const std::string& reason) {
        if (error) *error = reason;
        return false;
    };
    for (const Mesh& mesh : scene.meshes) {
        const std::string where = "mesh \"" + mesh.name + "\": ";
        const size_t vertexCount = mesh.vertices.size();
        for (size_t i = 0; i < mesh.faces.size(); ++i) {
            const Face& f = mesh.faces[i];
            if (f.a >= vertexCount || f.b >= vertexCount || f.c >= vertexCount)
                return fail(where + "face " + std::to_string(i) + " names a missing vertex");
        }
        for (const MaterialGroup& group : mesh.materialGroups) {
            bool known = false;
            for (const Material& m : scene.materials) known = known || m.name == group.material;
            if (!known) return fail(where + "unknown material \"" + group.material + "\"");
            for (uint16_t face : group.faces)
                if (face >= mesh.faces.size())
                    return fail(where + "material group names a missing face");
        }
        if (!mesh.texCoords.empty() && mesh.texCoords.size() < vertexCount)
            return fail(where + "fewer texture coordinates than vertices");
        if (!mesh.smoothing.empty() && mesh.smoothing.size() != mesh.faces.size())
            return fail(where + "smoothing list and face list differ in length");
    }
    return true;
}

}  // namespace file3ds
}  // namespace ondra
