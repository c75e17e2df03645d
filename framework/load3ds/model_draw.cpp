// Drawing a model into the current GL context. The first draw in a context
// compiles one display list per material and per object (and uploads each
// textured material once into a texture name of its own); later draws with
// the same mode and model generation only call those lists.
#include <GL/gl.h>

#include <new>

#include "framework/load3ds/model.h"
#include "framework/load3ds/model_ex.h"

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

void ModelEx::Draw(int flags) {
    const int mode = flags & 0xFF;
    if (mode == 0) return;

    auto* record = static_cast<ModelGLData*>(contexts.CurrentRecord());
    if (!record) {
        if (!contexts.Allocate(sizeof(ModelGLData))) return;
        void* raw = contexts.CurrentRecord();
        if (!raw) return;
        record = new (raw) ModelGLData{};
    }

    glPushAttrib(kSavedState);

    const bool useLists = (flags & DRAW_NO_LISTS) == 0;
    bool compile = false;
    bool reuse = false;
    if (record->objectListCount > 0) {
        if (record->generation == generation && record->mode == mode && useLists) {
            reuse = true;
        } else {
            ReleaseGLObjects(*record);
            compile = useLists;
        }
    } else {
        compile = useLists;
    }

    if (compile) {
        ReleaseGLObjects(*record);
        GenerateLists(objects.size(), record->objectListBase, record->objectListCount);
        GenerateLists(materials.size(), record->materialListBase, record->materialListCount);
        const size_t textureCount = (flags & DRAW_NO_TEXTURES) ? 0 : materials.size();
        if (textureCount != 0) {
            record->textures = new (std::nothrow) uint32_t[textureCount];
            if (record->textures) {
                glGenTextures(static_cast<GLsizei>(textureCount), record->textures);
                record->textureCount = static_cast<uint32_t>(textureCount);
            }
        }
        ++compileCount;
    }

    SetShadingForMode(mode, flags);

    const bool onePass = (flags & DRAW_ONE_PASS) != 0;
    const int passes = onePass ? 1 : 2;
    for (int pass = 0; pass < passes; ++pass) {
        for (size_t j = 0; j < objects.size(); ++j) {
            const ModelObject& object = objects[j];
            bool draw = pass == 0;
            if (mode == DRAW_MATERIALS) {
                const int index = object.material;
                if (index < 0 || index >= static_cast<int>(materials.size())) {
                    // Shared by every model, so never part of a list.
                    DefaultMaterial().ApplyState();
                    DefaultMaterial().UploadTexture();
                } else {
                    const Material& material = materials[index];
                    if (onePass) {
                        draw = true;
                    } else {
                        const bool translucent = (1.0f - material.opacity) > 0.01f;
                        draw = pass == 0 ? !translucent : translucent;
                    }
                    if (draw) {
                        const GLuint list = record->materialListBase + index;
                        const GLuint texture =
                            record->textures && static_cast<uint32_t>(index) < record->textureCount
                                ? record->textures[index]
                                : 0;
                        if (reuse) {
                            glCallList(list);
                            if (texture != 0) glBindTexture(GL_TEXTURE_2D, texture);
                        } else if (texture == 0) {
                            // No texture name: the upload goes into the list.
                            if (compile) glNewList(list, GL_COMPILE_AND_EXECUTE);
                            material.ApplyState();
                            material.UploadTexture();
                            if (compile) glEndList();
                        } else {
                            if (compile) glNewList(list, GL_COMPILE_AND_EXECUTE);
                            material.ApplyState();
                            if (compile) glEndList();
                            if (compile) glBindTexture(GL_TEXTURE_2D, texture);
                            material.UploadTexture();
                        }
                    }
                }
            }
            if (!draw) continue;

            const GLuint list = record->objectListBase + static_cast<GLuint>(j);
            if (reuse) {
                glCallList(list);
                continue;
            }
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
    }

    if (compile) {
        record->mode = mode;
        record->generation = generation;
    }
    glPopAttrib();
}

}  // namespace ondra
