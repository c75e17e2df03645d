// Model: a 3D Studio (.3DS) mesh model: loading, drawing through GL display
// lists kept per rendering context, rescaling and geometry queries.
//
// Loading prints a trace of the chunks met and a dump of the model to
// standard output; that text is part of the program's output.
#pragma once

#include <array>

#include "framework/load3ds/bounding_box.h"
#include "framework/vec3.h"

namespace ondra {

struct ModelEx;

// Draw modes: the low 8 bits of the Draw argument.
constexpr int DRAW_POINTS = 1;     // vertices as points, no lighting or texturing
constexpr int DRAW_EDGES = 2;      // visible edges as lines, no lighting or texturing
constexpr int DRAW_FLAT = 3;       // flat-shaded triangles, no texturing
constexpr int DRAW_SMOOTH = 4;     // smooth-shaded triangles, no texturing
constexpr int DRAW_MATERIALS = 5;  // materials and textures, translucent objects last
// Modes 6 to 255 draw the geometry of mode 5 without materials and without
// touching shading or enables.

// Flags, combined with a mode.
constexpr int DRAW_NO_LISTS = 0x100;      // issue everything directly
constexpr int DRAW_ONE_PASS = 0x800;      // no separate pass for translucent objects
constexpr int DRAW_KEEP_STATE = 0x1000;   // modes 1-4 leave lighting and texturing alone
constexpr int DRAW_NO_TEXTURES = 0x2000;  // no texture names; lists carry the uploads

class Model {
public:
    Model();
    virtual ~Model();
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    // Empties the model (objects, materials, flattened mesh, box, scale).
    void Clear();
    // Deletes the display lists and textures this model made in the GL
    // context current now, and forgets that context. False when the model
    // has nothing there.
    bool ReleaseContext();
    // Reads and prepares a .3DS file. True when the file is a 3DS file,
    // also when it ends early: what was read is kept, and where the data
    // ran out is reported on standard error.
    bool Load(const char* fileName);

    Vec3 GetCentre() const;
    Vec3 GetSize() const;
    const BoundingBox& GetBox() const;

    // Draws into the current GL context; `flags` is a mode and flag bits.
    void Draw(int flags);

    // The model as one mesh in placed coordinates: one vertex per normal,
    // three vertex indices per face. Out-of-range indices give (0, 0, 1)
    // for vertices and normals and (0, 0, 0) for triangles.
    int GetVertexCount();
    Vec3 GetVertex(int index);
    Vec3 GetNormal(int index);
    int GetFaceCount();
    std::array<int, 3> GetTriangle(int index);

    // Scales all geometry to the absolute scale `scale` (1 after Load).
    void SetScale(float scale);
    float GetScale() const;

    // The model's data, for tools that list or inspect it.
    const ModelEx& GetData() const { return *extra; }

private:
    ModelEx* extra;
};

}  // namespace ondra
