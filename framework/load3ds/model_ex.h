// ModelEx: everything a Model holds, and the parts of loading, preparing
// and drawing that work on the model as a whole.
#pragma once

#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/load3ds/bounding_box.h"
#include "framework/load3ds/chunk.h"
#include "framework/load3ds/glcontextls.h"
#include "framework/load3ds/material.h"
#include "framework/load3ds/model_object.h"

namespace ondra {

struct ModelEx {
    std::vector<Material> materials;
    std::vector<ModelObject> objects;
    int flatVertexCount = 0;
    int flatFaceCount = 0;
    float scale = 1.0f;
    std::vector<Vec3> flatPositions;
    std::vector<Vec3> flatNormals;
    std::vector<std::array<int, 3>> flatTriangles;
    FILE* file = nullptr;
    std::string sourceName;  // the file Load was last given
    BoundingBox box;
    // Changes whenever the geometry does, so that every context rebuilds
    // its display lists on its next draw.
    int generation = 1;
    ContextStore contexts;
    // How often display lists were compiled, in any context.
    int compileCount = 0;

    ModelEx() { Reset(); }
    ~ModelEx();

    void Reset();
    bool Load(const char* fileName);

    // Chunk parsers: each walks the children of a chunk whose header has
    // just been read.
    void Parse(Chunk& chunk);
    void ParseMData(Chunk& chunk);
    void ParseNamedObject(Chunk& chunk);
    void ParseNTriObject(Chunk& chunk, const std::string& name);
    std::vector<uint8_t> ReadCountedRecords(Chunk& chunk, const char* label, const char* what, uint32_t recordSize,
                                            uint32_t valueSize, uint32_t& count);
    void ParseVertexList(Chunk& chunk, ModelObject& object);
    void ParseTexCoords(Chunk& chunk, ModelObject& object);
    void SkipMeshColor(Chunk& chunk);
    void ParseFaceList(Chunk& chunk, ModelObject& object);
    void ReadPivot(Chunk& chunk, int node);
    void PrintFirstKey(Chunk& chunk);
    void ParseMaterialGroup(Chunk& chunk, ModelObject& object);
    void ParseSmoothGroups(Chunk& chunk, ModelObject& object);
    void ParseMatEntry(Chunk& chunk);
    void ParseMatTexmap(Chunk& chunk, Material& material);
    void ParseKFData(Chunk& chunk, int depth = 0);
    // Colour and percentage sub-chunks; nothing when the chunk holds none.
    std::optional<Vec3> ReadColor(Chunk& parent);
    std::optional<float> ReadPercent(Chunk& parent);

    // The first material or object of that name, or -1. Both are looked
    // up through indexes kept while reading, so that files with many
    // names load in linear time.
    int FindMaterial(const std::string& name) const;
    int FindObject(const std::string& name) const;
    // Names (or renames) the material read last. Only that one is ever
    // named, which is what lets the index stay exact at constant cost.
    void NameLastMaterial(const std::string& name);
    void AddObject(const std::string& name);

    void ComputeBox();
    void PrintDump() const;
    bool SplitByMaterial();

    void ComputeTotals();
    void BuildFlatMesh();

    void Draw(int flags);
    void ReleaseGLObjects(ModelGLData& record) const;
    bool ReleaseContext();

private:
    // How one draw uses the context's display lists: issue everything
    // directly, compile while drawing, or only call what was compiled.
    enum class ListUse { kNone, kCompile, kReuse };

    // Keeps the record's lists when they still fit this draw, else
    // replaces them (or drops them for a draw without lists).
    ListUse PrepareRecord(ModelGLData& record, int mode, int flags);
    // Sets the material of an object in mode DRAW_MATERIALS; false when
    // the object belongs to the other pass.
    bool ApplyMaterial(int index, int pass, bool onePass, ListUse use, const ModelGLData& record) const;
    void DrawObject(size_t index, int mode, ListUse use, const ModelGLData& record) const;

    // Name -> index of the first object of that name. Objects keep their
    // names while the file is read.
    std::unordered_map<std::string, int> objectIndex;
    // Name -> lowest index of a material that has that name now; names no
    // material has any more are not in it.
    std::unordered_map<std::string, int> materialIndex;
    // Pictures decoded during this load, shared by the materials naming
    // the same file; emptied once the load is over.
    TexturePictures pictures;
    // Set during Load: the file's name and size, and whether the chunk the
    // data ends in has been reported.
    const char* loadingName = nullptr;
    long fileSize = 0;
    bool dataEndReported = false;

    // Reads the next child header inside `parent`; false at its end.
    bool NextChild(Chunk& parent, Chunk& child);
    // Skips the rest of the child and counts it in its parent.
    void FinishChild(Chunk& parent, Chunk& child);
    // Warns, once per load, when `chunk` claims bytes past the end of the
    // file.
    void NoteDataEnd(const Chunk& chunk);
};

}  // namespace ondra
