// Walking a 3DS file's material chunks for their texture file names.
#include "framework/load3ds/texture_names.h"

#include <algorithm>
#include <cstdio>

#include "framework/platform/regular_file.h"
#include "framework/load3ds/chunk.h"
#include "framework/load3ds/chunk_ids.h"

namespace ondra {

namespace {

namespace id = chunk3ds;

// The chunks on the way from the file's root to a texture's file name.
bool LeadsToTextureName(uint16_t id) {
    return id == id::kMain || id == id::kMeshData || id == id::kMaterial || id == id::kMatTextureMap;
}

bool plainNamesOnly = false;

void AddName(const std::string& name, std::vector<std::string>& names) {
    if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
}

// The names a material tries for its texture, as Material::SetTexture does.
void AddTried(const std::string& name, std::vector<std::string>& names) {
    if (plainNamesOnly && !IsPlainTextureName(name)) return;
    AddName(name, names);
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos) return;
    std::string flattened = name;
    flattened[dot] = '_';
    AddName(flattened + ".jpg", names);
    AddName(name.substr(0, dot) + ".jpg", names);
}

// The children of `parent`, read from where the stream stands. The depth is
// the fixed path above, so the recursion is four deep at most.
void Walk(std::FILE* file, Chunk& parent, std::vector<std::string>& names) {
    while (parent.consumed < parent.length) {
        Chunk child;
        if (!child.ReadHeader(file) || !child.FitInto(parent)) return;
        if (child.id == id::kMapFileName && parent.id == id::kMatTextureMap)
            AddTried(child.ReadString(file), names);
        else if (LeadsToTextureName(child.id))
            Walk(file, child, names);
        if (!child.Skip(file)) return;
        parent.consumed += child.length;
    }
}

}  // namespace

bool IsPlainTextureName(const std::string& name) {
    return name.find_first_of("/\\:") == std::string::npos && name != "." && name != "..";
}

void PlainTextureNamesOnly(bool only) { plainNamesOnly = only; }

bool PlainTextureNamesOnly() { return plainNamesOnly; }

std::vector<std::string> TextureFileNames(const char* modelFile) {
    std::vector<std::string> names;
    std::FILE* file = platform::OpenRegularFile(modelFile);
    if (!file) return names;
    Chunk root;
    if (root.ReadHeader(file) && root.id == id::kMain) Walk(file, root, names);
    std::fclose(file);
    return names;
}

}  // namespace ondra
