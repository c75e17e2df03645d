// Reading a .3DS file into a ModelEx: the chunk walk and one parser per
// chunk that holds children. Every chunk met is traced on standard output;
// unknown chunks are skipped by their length.
//
// Damaged files are read as far as they make sense: a chunk reaching past
// its parent is cut at the parent's end, counts larger than their chunk
// are cut to the data present, faces naming missing vertices are dropped
// and group entries naming missing faces are ignored. Those repairs are
// reported on standard error, and so is the offset where a file that ends
// inside a chunk runs out.
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "framework/platform/regular_file.h"
#include "framework/load3ds/chunk_ids.h"
#include "framework/load3ds/load_warnings.h"
#include "framework/load3ds/texture_names.h"
#include "framework/load3ds/model_ex.h"

namespace ondra {
namespace {

namespace id = chunk3ds;

// Object nodes may nest; deeper nesting than this is skipped, so that a
// forged file cannot exhaust the stack.
constexpr int kMaxNodeDepth = 64;

// Cuts a count read from a chunk to the records of `recordSize` bytes the
// chunk still holds.
uint32_t FitCount(const Chunk& chunk, uint32_t count, uint32_t recordSize, const char* what) {
    const uint32_t room = chunk.Remaining() / recordSize;
    if (count <= room) return count;
    ModelWarning("%u %s announced, room for %u only", count, what, room);
    return room;
}

}  // namespace

bool ModelEx::NextChild(Chunk& parent, Chunk& child) {
    if (parent.consumed >= parent.length) return false;
    // A header that was read but fails is too short to be a chunk.
    const bool read = child.ReadHeader(file);
    if (!read && child.consumed != chunk3ds::kHeaderSize) return false;
    if (read && child.FitInto(parent)) return true;
    ModelWarning("damaged chunk 0x%04X at %08lX ends its parent", child.id, child.start);
    return false;
}

void ModelEx::FinishChild(Chunk& parent, Chunk& child) {
    NoteDataEnd(child);
    child.Skip(file);
    parent.consumed += child.length;
}

// Children are finished before their parents, so the first chunk found
// reaching past the end is the innermost one the data stops in.
void ModelEx::NoteDataEnd(const Chunk& chunk) {
    if (dataEndReported || chunk.start + static_cast<long>(chunk.length) <= fileSize) return;
    dataEndReported = true;
    ModelWarning("%s: data ends at offset %ld, inside chunk 0x%04X at offset %ld that claims %u bytes",
                 loadingName, fileSize, chunk.id, chunk.start, chunk.length);
}

bool ModelEx::Load(const char* fileName) {
    if (!fileName) return false;
    Reset();
    sourceName = fileName;
    file = platform::OpenRegularFile(fileName);
    if (!file) return false;

    Chunk chunk;
    const bool lengthHoldsHeader = chunk.ReadHeader(file);
    if (chunk.consumed != chunk3ds::kHeaderSize || chunk.id != id::kMain) {
        std::printf("3ds: bad file header\n");
        std::fclose(file);
        file = nullptr;
        return false;
    }
    // The header is there and names a model, so this is a 3DS file; a root
    // too short for its own header just holds nothing.
    if (!lengthHoldsHeader) chunk.length = 0;
    std::printf("3ds: file size = %ld\n", static_cast<long>(chunk.length));
    struct stat status;
    fileSize = fstat(fileno(file), &status) == 0 ? static_cast<long>(status.st_size)
                                                 : std::numeric_limits<long>::max();
    loadingName = fileName;
    dataEndReported = false;
    Parse(chunk);
    NoteDataEnd(chunk);
    std::fclose(file);
    file = nullptr;
    loadingName = nullptr;
    pictures.Clear();

    for (ModelObject& object : objects) object.Prepare();
    ComputeBox();
    PrintDump();

    bool multiMaterial = false;
    for (const ModelObject& object : objects) multiMaterial = multiMaterial || object.multiMaterial;
    if (multiMaterial) {
        std::printf("note: model has sub-object textures\n");
        SplitByMaterial();
    }
    return true;
}

void ModelEx::Parse(Chunk& chunk) {
    Chunk child;
    while (NextChild(chunk, child)) {
        switch (child.id) {
            case id::kVersion: std::printf("3ds: file version %d\n", child.ReadWord(file)); break;
            case id::kMeshData: ParseMData(child); break;
            case id::kKeyframer: ParseKFData(child); break;
            default: std::printf("Parse: 0x%04X\n", child.id); break;
        }
        FinishChild(chunk, child);
    }
}

void ModelEx::ParseMData(Chunk& chunk) {
    Chunk child;
    while (NextChild(chunk, child)) {
        switch (child.id) {
            case id::kMasterScale:
            case id::kBackground:
            case id::kViewport: break;
            case id::kMeshVersion: std::printf("3ds: mesh version %d\n", child.ReadWord(file)); break;
            case id::kNamedObject: ParseNamedObject(child); break;
            case id::kMaterial: ParseMatEntry(child); break;
            default: std::printf("ParseMData: 0x%04X\n", child.id); break;
        }
        FinishChild(chunk, child);
    }
}

void ModelEx::ParseNamedObject(Chunk& chunk) {
    const std::string name = chunk.ReadString(file);
    std::printf("3ds: named object = \"%s\"\n", name.c_str());
    Chunk child;
    while (NextChild(chunk, child)) {
        switch (child.id) {
            case id::kTriangleMesh: ParseNTriObject(child, name); break;
            case id::kLight:
            case id::kCamera: break;
            default: std::printf("ParseNamedObject: 0x%04X\n", child.id); break;
        }
        FinishChild(chunk, child);
    }
}

void ModelEx::ParseNTriObject(Chunk& chunk, const std::string& name) {
    AddObject(name);
    const size_t index = objects.size() - 1;
    Chunk child;
    while (NextChild(chunk, child)) {
        ModelObject& object = objects[index];
        switch (child.id) {
            case id::kVertexList: ParseVertexList(child, object); break;
            case id::kPointFlags: std::printf("3ds: ignoring POINT_FLAG_ARRAY\n"); break;
            case id::kFaceList: ParseFaceList(child, object); break;
            case id::kTexCoords: ParseTexCoords(child, object); break;
            case id::kMeshMatrix: {
                Matrix m;
                for (int column = 0; column < 4; ++column)
                    for (int row = 0; row < 3; ++row) m[row][column] = child.ReadFloat(file);
                object.meshMatrix = m;
                break;
            }
            case id::kMeshColor: SkipMeshColor(child); break;
            default: std::printf("ParseNTriObject: 0x%04X\n", child.id); break;
        }
        FinishChild(chunk, child);
    }
    const size_t dropped = objects[index].DropFacesWithMissingVertices();
    if (dropped != 0)
        ModelWarning("object \"%s\": dropped %zu faces naming missing vertices",
                     name.c_str(), dropped);
}

// A word counting the chunk's records, printed under `label`, then the
// records themselves, as many as the chunk holds room for; `count` is that
// number.
std::vector<uint8_t> ModelEx::ReadCountedRecords(Chunk& chunk, const char* label, const char* what,
                                                 uint32_t recordSize, uint32_t valueSize, uint32_t& count) {
    count = chunk.ReadWord(file);
    std::printf("3ds: %s = %d\n", label, static_cast<int>(count));
    count = FitCount(chunk, count, recordSize, what);
    return chunk.ReadRecords(file, count, recordSize, valueSize);
}

void ModelEx::ParseVertexList(Chunk& chunk, ModelObject& object) {
    uint32_t n = 0;
    const std::vector<uint8_t> records = ReadCountedRecords(chunk, "num.verts", "vertices", 12, 4, n);
    std::vector<Vec3>& vertices = object.VerticesForWriting();
    vertices.resize(n);
    for (uint32_t i = 0; i < n; ++i) {
        const uint8_t* r = &records[i * 12];
        vertices[i] = {FloatAt(r), FloatAt(r + 4), FloatAt(r + 8)};
    }
}

void ModelEx::ParseTexCoords(Chunk& chunk, ModelObject& object) {
    uint32_t n = 0;
    const std::vector<uint8_t> records = ReadCountedRecords(chunk, "num.texuv", "texture coordinates", 8, 4, n);
    object.texCoords.resize(n);
    for (uint32_t i = 0; i < n; ++i) {
        const uint8_t* r = &records[i * 8];
        object.texCoords[i] = {FloatAt(r), FloatAt(r + 4)};
    }
}

// A colour index: one byte in files from 3D Studio, a word in some others.
void ModelEx::SkipMeshColor(Chunk& chunk) {
    int color = 0;
    if (chunk.Remaining() >= 2) {
        color = chunk.ReadWord(file);
    } else {
        uint8_t byte = 0;
        chunk.Read(file, &byte, 1);
        color = byte;
    }
    std::printf("3ds: ignoring MESH_COLOR (%d)\n", color);
}

void ModelEx::ParseFaceList(Chunk& chunk, ModelObject& object) {
    uint32_t n = 0;
    const std::vector<uint8_t> records = ReadCountedRecords(chunk, "num.faces", "faces", 8, 2, n);
    object.faces.resize(n);
    for (uint32_t i = 0; i < n; ++i) {
        const uint8_t* r = &records[i * 8];
        Face& f = object.faces[i];
        for (int k = 0; k < 3; ++k) f.vertex[k] = WordAt(r + 2 * k);
        f.edgeFlags = WordAt(r + 6);
    }
    Chunk sub;
    while (NextChild(chunk, sub)) {
        switch (sub.id) {
            case id::kFaceMaterial: ParseMaterialGroup(sub, object); break;
            case id::kSmoothGroups: ParseSmoothGroups(sub, object); break;
            default: std::printf("sub-chunk: %04X\n", sub.id); break;
        }
        FinishChild(chunk, sub);
    }
}

void ModelEx::ParseMaterialGroup(Chunk& chunk, ModelObject& object) {
    const std::string name = chunk.ReadString(file);
    const uint32_t count = chunk.ReadWord(file);
    const int material = FindMaterial(name);
    if (count != 0) object.material = material;
    std::printf("MSH_MAT_GROUP (%s,%d)\n", name.c_str(), static_cast<int>(count));
    const size_t faceCount = object.faces.size();
    // Entries past the end of the chunk are not taken as face 0.
    const uint32_t wanted = static_cast<uint32_t>(std::min<size_t>(count, faceCount));
    const uint32_t before = chunk.consumed;
    const std::vector<uint8_t> records = chunk.ReadRecords(file, wanted, 2, 2);
    const uint32_t present = (chunk.consumed - before) / 2;
    size_t ignored = 0;
    for (uint32_t k = 0; k < present; ++k) {
        const size_t face = WordAt(&records[k * 2]);
        if (face < faceCount)
            object.faces[face].material = material;
        else
            ++ignored;
    }
    if (ignored != 0)
        ModelWarning("material group \"%s\": ignored %zu entries naming missing faces",
                     name.c_str(), ignored);
    if (count < faceCount) object.multiMaterial = true;
}

void ModelEx::ParseSmoothGroups(Chunk& chunk, ModelObject& object) {
    std::printf("SMOOTH_GROUP\n");
    std::printf("nFaces=%d\n", static_cast<int>(object.faces.size()));
    const uint32_t n = static_cast<uint32_t>(object.faces.size());
    const std::vector<uint8_t> records = chunk.ReadRecords(file, n, 4, 4);
    for (uint32_t i = 0; i < n; ++i) object.faces[i].smoothing = DwordAt(&records[i * 4]);
}

std::optional<Vec3> ModelEx::ReadColor(Chunk& parent) {
    Chunk temp;
    if (!NextChild(parent, temp)) return std::nullopt;
    // Whatever the sub-chunk's kind, its first three bytes are taken as
    // 8-bit red, green and blue.
    uint8_t rgb[3] = {0, 0, 0};
    temp.Read(file, rgb, 3);
    FinishChild(parent, temp);
    return Vec3{rgb[0] / 255.0f, rgb[1] / 255.0f, rgb[2] / 255.0f};
}

std::optional<float> ModelEx::ReadPercent(Chunk& parent) {
    Chunk temp;
    if (!NextChild(parent, temp)) return std::nullopt;
    float value = 1.0f;
    if (temp.id == id::kPercentInt)
        value = temp.ReadWord(file) / 100.0f;
    else if (temp.id == id::kPercentFloat)
        value = temp.ReadFloat(file) / 100.0f;
    FinishChild(parent, temp);
    return value;
}

void ModelEx::ParseMatEntry(Chunk& chunk) {
    materials.emplace_back();
    NameLastMaterial("");  // nameless until a name chunk says otherwise
    Material& material = materials.back();
    Chunk child;
    while (NextChild(chunk, child)) {
        switch (child.id) {
            case id::kMatName:
                NameLastMaterial(child.ReadString(file));
                std::printf("3ds: material name = \"%s\"\n", material.name.c_str());
                break;
            case id::kMatAmbient: material.ambient = ReadColor(child).value_or(material.ambient); break;
            case id::kMatDiffuse: material.diffuse = ReadColor(child).value_or(material.diffuse); break;
            case id::kMatSpecular: material.specular = ReadColor(child).value_or(material.specular); break;
            case id::kMatShininess: material.shininess = ReadPercent(child).value_or(material.shininess); break;
            case id::kMatShininessStrength:
                std::printf("SHIN2PCT = %.2f\n", ReadPercent(child).value_or(1.0f));
                break;
            case id::kMatTransparency:
                if (const std::optional<float> transparency = ReadPercent(child))
                    material.opacity = 1.0f - *transparency;
                break;
            case id::kMatTransparencyFalloff: std::printf("~MAT_XPFALL\n"); break;
            case id::kMatReflectBlur: std::printf("~MAT_REFBLUR\n"); break;
            case id::kMatTwoSided:
                std::printf("~MAT_TWOSIDE\n");
                material.twoSided = true;
                break;
            case id::kMatSelfIllum: material.selfIllum = ReadPercent(child).value_or(material.selfIllum); break;
            case id::kMatWireSize: break;
            case id::kMatTransparencyFalloffIn: std::printf("~MAT_XPFALLIN\n"); break;
            case id::kMatShading: std::printf("~MAT_SHADING\n"); break;
            case id::kMatTextureMap: ParseMatTexmap(child, material); break;
            case id::kMatSelfIllumMap: std::printf("~MAT_SELFIMAP\n"); break;
            default: std::printf("ParseMatEntry: 0x%04X\n", child.id); break;
        }
        FinishChild(chunk, child);
    }
}

void ModelEx::ParseMatTexmap(Chunk& chunk, Material& material) {
    Chunk child;
    while (NextChild(chunk, child)) {
        switch (child.id) {
            case id::kPercentInt: child.ReadWord(file); break;
            case id::kMapFileName: {
                const std::string name = child.ReadString(file);
                if (PlainTextureNamesOnly() && !IsPlainTextureName(name)) {
                    TextureRefused(sourceName, name);
                } else if (material.SetTexture(name, pictures))
                    std::printf("loaded texture %s\n", name.c_str());
                else
                    TextureNotLoaded(name, pictures.WhyNot(name));
                break;
            }
            case id::kMapTiling: {
                const int tiling = child.ReadWord(file);
                std::printf("MAT_MAP_TILING (0x%04X) at %08lX\n", tiling, std::ftell(file));
                break;
            }
            case id::kMapBlur: child.ReadFloat(file); break;
            case id::kMapUScale:
                material.mapScale.u = child.ReadFloat(file);
                std::printf("MAT_MAP_USCALE(%.2f) at %08lX\n", material.mapScale.u, std::ftell(file));
                break;
            case id::kMapVScale:
                material.mapScale.v = child.ReadFloat(file);
                std::printf("MAT_MAP_VSCALE (%.2f) at %08lX\n", material.mapScale.v, std::ftell(file));
                break;
            case id::kMapUOffset:
                material.mapOffset.u = child.ReadFloat(file);
                std::printf("MAT_MAP_UOFFSET (%.2f) at %08lX\n", material.mapOffset.u, std::ftell(file));
                break;
            case id::kMapVOffset: material.mapOffset.v = child.ReadFloat(file); break;
            case id::kMapAngle:
                material.mapAngle = child.ReadFloat(file);
                std::printf("MAT_MAP_ANG (%.2f) at %08lX\n", material.mapAngle, std::ftell(file));
                break;
            default: std::printf("ParseMatTexmap: %04X at %08lX\n", child.id, std::ftell(file)); break;
        }
        FinishChild(chunk, child);
    }
}

void ModelEx::ParseKFData(Chunk& chunk, int depth) {
    int node = -1;  // the object named by this node's header
    Chunk child;
    while (NextChild(chunk, child)) {
        switch (child.id) {
            case id::kObjectNode:
                std::printf("OBJECT_NODE_TAG\n");
                if (depth < kMaxNodeDepth)
                    ParseKFData(child, depth + 1);
                else
                    ModelWarning("object nodes nested too deep; skipped");
                break;
            case id::kKfSegment:
            case id::kKfCurrentTime:
            case id::kKfHeader:
            case id::kInstanceName:
            case id::kBoundingBox: break;
            case id::kNodeHeader: {
                const std::string objName = child.ReadString(file);
                std::printf("NODE_HDR: %s\n", objName.c_str());
                node = FindObject(objName);
                break;
            }
            case id::kPivot: ReadPivot(child, node); break;
            case id::kPositionTrack:
            case id::kScaleTrack:
            case id::kRotationTrack: PrintFirstKey(child); break;
            case id::kNodeId: std::printf("~NODE_ID\n"); break;
            default: std::printf("ParseKFData: 0x%04X\n", child.id); break;
        }
        FinishChild(chunk, child);
    }
}

// A pivot other than the origin moves the object the node names.
void ModelEx::ReadPivot(Chunk& chunk, int node) {
    Vec3 p;
    p.x = chunk.ReadFloat(file);
    p.y = chunk.ReadFloat(file);
    p.z = chunk.ReadFloat(file);
    if (std::fabs(p.x) > 1e-9 || std::fabs(p.y) > 1e-9 || std::fabs(p.z) > 1e-9) {
        std::printf("PIVOT: %.2f %.2f %.2f\n", p.x, p.y, p.z);
        if (node < 0)
            std::printf("PIVOT: no object for pivot!\n");
        else
            objects[node].SetPivot(p);
    }
}

// Animation tracks are not played; their first key is only printed.
void ModelEx::PrintFirstKey(Chunk& chunk) {
    const bool rotation = chunk.id == id::kRotationTrack;
    const bool position = chunk.id == id::kPositionTrack;
    std::printf(rotation ? "ROT_TRACK_TAG\n" : position ? "POS_TRACK_TAG\n" : "SCL_TRACK_TAG\n");
    uint8_t head[14];
    if (!chunk.Read(file, head, sizeof(head))) return;
    chunk.ReadWord(file);
    chunk.ReadDword(file);
    const float angle = rotation ? chunk.ReadFloat(file) : 0.0f;
    const float x = chunk.ReadFloat(file);
    const float y = chunk.ReadFloat(file);
    const float z = chunk.ReadFloat(file);
    if (rotation)
        std::printf(" key rot: %.2f (%.2f %.2f %.2f)\n", angle, x, y, z);
    else
        std::printf(position ? " key pos: (%.2f %.2f %.2f)\n" : " key scl: (%.2f %.2f %.2f)\n", x, y, z);
}

void ModelEx::AddObject(const std::string& name) {
    objects.emplace_back();
    objects.back().name = name;
    objectIndex.emplace(name, static_cast<int>(objects.size() - 1));
}

int ModelEx::FindObject(const std::string& name) const {
    const auto found = objectIndex.find(name);
    return found != objectIndex.end() ? found->second : -1;
}

void ModelEx::NameLastMaterial(const std::string& name) {
    Material& material = materials.back();
    const int last = static_cast<int>(materials.size()) - 1;
    // No material comes after the last one, so the old name points here
    // only when no earlier material shares it, and the new name keeps any
    // earlier material that has it.
    const auto previous = materialIndex.find(material.name);
    if (previous != materialIndex.end() && previous->second == last) materialIndex.erase(previous);
    material.name = name;
    materialIndex.emplace(name, last);
}

int ModelEx::FindMaterial(const std::string& name) const {
    const auto found = materialIndex.find(name);
    return found != materialIndex.end() ? found->second : -1;
}

}  // namespace ondra
