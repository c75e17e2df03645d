// Drawing a model into the current GL context. The first draw in a context
// compiles one display list per material and per object (and uploads each
// textured material once into a texture name of its own); later draws with
// the same mode and model generation only call those lists.
#include <GL/gl.h>

#include <cstddef>
#include <new>

#include "framework/load3ds/model.h"
#include "framework/load3ds/model_ex.h"
#include "framework/platform/current_context.h"

namespace ondra {
namespace {

constexpr GLbitfield kSavedState =
    GL_CURRENT_BIT | GL_POLYGON_BIT | GL_LIGHTING_BIT | GL_ENABLE_BIT | GL_TEXTURE_BIT;

void SetShadingForMode(int mode, int flags) {
    const bool keepState = (flags & DRAW_KEEP_STATE) != 0;
    switch (mode) {
        case DRAW_POINTS:
        case DRAW_EDGES:
            if (!keepState) {
                glDisable(GL_LIGHTING);
                glDisable(GL_TEXTURE_2D);
            }
            break;
        case DRAW_FLAT:
            glShadeModel(GL_FLAT);
            if (!keepState) glDisable(GL_TEXTURE_2D);
            break;
        case DRAW_SMOOTH:
            glShadeModel(GL_SMOOTH);
            if (!keepState) glDisable(GL_TEXTURE_2D);
            break;
        case DRAW_MATERIALS: glShadeModel(GL_SMOOTH); break;
        default: break;
    }
}

void EmitForMode(const ModelObject& object, int mode) {
    switch (mode) {
        case DRAW_POINTS: object.EmitPoints(); break;
        case DRAW_EDGES: object.EmitEdges(); break;
        case DRAW_FLAT:
        case DRAW_SMOOTH: object.EmitSmooth(); break;
        default: object.EmitFull(); break;
    }
}

// Display lists for `count` things; the count stays 0 when GL has none.
void GenerateLists(size_t count, uint32_t& base, uint32_t& listCount) {
    base = count != 0 ? glGenLists(static_cast<GLsizei>(count)) : 0;
    listCount = base != 0 ? static_cast<uint32_t>(count) : 0;
}

}  // namespace

void ModelEx::ReleaseGLObjects(ModelGLData& record) const {
    if (record.objectListCount != 0) glDeleteLists(record.objectListBase, record.objectListCount);
    if (record.materialListCount != 0) glDeleteLists(record.materialListBase, record.materialListCount);
    if (record.textures) {
        glDeleteTextures(static_cast<GLsizei>(record.textureCount), record.textures);
        delete[] record.textures;
    }
    record.objectListBase = record.materialListBase = 0;
    record.objectListCount = record.materialListCount = 0;
    record.textures = nullptr;
    record.textureCount = 0;
}

ModelEx::ListUse ModelEx::PrepareRecord(ModelGLData& record, int mode, int flags) {
    const bool useLists = (flags & DRAW_NO_LISTS) == 0;
    if (record.objectListCount > 0 && useLists && record.generation == generation && record.mode == mode)
        return ListUse::kReuse;
    // Lists of another mode or generation would draw the old picture.
    ReleaseGLObjects(record);
    if (!useLists) return ListUse::kNone;
    GenerateLists(objects.size(), record.objectListBase, record.objectListCount);
    GenerateLists(materials.size(), record.materialListBase, record.materialListCount);
    const size_t textureCount = (flags & DRAW_NO_TEXTURES) ? 0 : materials.size();
    if (textureCount != 0) {
        record.textures = new (std::nothrow) uint32_t[textureCount];
        if (record.textures) {
            glGenTextures(static_cast<GLsizei>(textureCount), record.textures);
            record.textureCount = static_cast<uint32_t>(textureCount);
        }
    }
    record.mode = mode;
    record.generation = generation;
    ++compileCount;
    return ListUse::kCompile;
}

bool ModelEx::ApplyMaterial(int index, int pass, bool onePass, ListUse use, const ModelGLData& record) const {
    if (index < 0 || index >= static_cast<int>(materials.size())) {
        // Shared by every model, so never part of a list.
        DefaultMaterial().ApplyState();
        DefaultMaterial().UploadTexture();
        return pass == 0;
    }
    const Material& material = materials[index];
    const bool translucent = (1.0f - material.opacity) > 0.01f;
    if (!onePass && translucent != (pass == 1)) return false;

    const bool compile = use == ListUse::kCompile;
    const GLuint list = record.materialListBase + index;
    const GLuint texture =
        record.textures && static_cast<uint32_t>(index) < record.textureCount ? record.textures[index] : 0;
    if (use == ListUse::kReuse) {
        glCallList(list);
        if (texture != 0) glBindTexture(GL_TEXTURE_2D, texture);
    } else if (texture == 0) {
        // No texture name: the upload goes into the list.
        if (compile) glNewList(list, GL_COMPILE_AND_EXECUTE);
        material.ApplyState();
        material.UploadTexture();
        if (compile) glEndList();
    } else {
        // The upload fills the material's own texture name once, outside
        // the list, so that reuse only binds it.
        if (compile) glNewList(list, GL_COMPILE_AND_EXECUTE);
        material.ApplyState();
        if (compile) glEndList();
        if (compile) glBindTexture(GL_TEXTURE_2D, texture);
        material.UploadTexture();
    }
    return true;
}

void ModelEx::DrawObject(size_t index, int mode, ListUse use, const ModelGLData& record) const {
    const GLuint list = record.objectListBase + static_cast<GLuint>(index);
    if (use == ListUse::kReuse) {
        glCallList(list);
        return;
    }
    const bool compile = use == ListUse::kCompile;
    const ModelObject& object = objects[index];
    if (compile) glNewList(list, GL_COMPILE_AND_EXECUTE);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    if (object.hasPivot) glMultMatrixf(object.glPlacement);
    EmitForMode(object, mode);
    glPopMatrix();
    if (compile) {
        glEndList();
        glBindTexture(GL_TEXTURE_2D, 0);
    }
}

void ModelEx::Draw(int flags) {
    const int mode = flags & 0xFF;
    if (mode == 0) return;
    ModelGLData* record = contexts.EnsureRecord(platform::CurrentContextKey());
    if (!record) return;

    glPushAttrib(kSavedState);
    const ListUse use = PrepareRecord(*record, mode, flags);
    SetShadingForMode(mode, flags);
    // Translucent materials go in a second pass, over everything opaque.
    const bool onePass = (flags & DRAW_ONE_PASS) != 0;
    for (int pass = 0; pass < (onePass ? 1 : 2); ++pass) {
        for (size_t j = 0; j < objects.size(); ++j) {
            const bool draw = mode == DRAW_MATERIALS
                                  ? ApplyMaterial(objects[j].material, pass, onePass, use, *record)
                                  : pass == 0;
            if (draw) DrawObject(j, mode, use, *record);
        }
    }
    glPopAttrib();
}

bool ModelEx::ReleaseContext() {
    const void* context = platform::CurrentContextKey();
    ModelGLData* record = contexts.RecordOf(context);
    if (!record) return false;
    ReleaseGLObjects(*record);
    contexts.Remove(context);
    return true;
}

// The public face's drawing half: the rest of Model reads and queries
// without GL, in model.cpp.
void Model::Draw(int flags) { extra->Draw(flags); }

bool Model::ReleaseContext() { return extra->ReleaseContext(); }

}  // namespace ondra
