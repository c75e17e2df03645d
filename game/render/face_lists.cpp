// Tessellating the floor, wall and ceiling faces into display lists.
#include "game/render/face_lists.h"

#include <GL/gl.h>

#include <initializer_list>

namespace {

constexpr float kStep = 0.1f;
// Bounds the grid when a huge span would stall the float steps.
constexpr int kMaxSteps = 1000;

// One quad of the face grid: texture coordinates (u, v) to (u2, v2) and the
// same corners scaled to the 3-unit face.
struct GridQuad {
    float u, v, u2, v2;  // texture coordinates
    float x, y, x2, y2;  // face coordinates, 0 to 3
};

// Calls emit(quad) for each quad of the grid. The far edge of one quad is
// the near edge of the next, bit for bit, so the faces have no cracks.
template <typename Emit>
void ForEachGridQuad(float span, Emit emit) {
    int row = 0;
    for (float u = 0.0f; u < span && row < kMaxSteps; ++row) {
        const float u2 = u + kStep;
        int column = 0;
        for (float v = 0.0f; v < span && column < kMaxSteps; ++column) {
            const float v2 = v + kStep;
            emit(GridQuad{u / span, v / span, u2 / span, v2 / span, u * 3.0f / span, v * 3.0f / span,
                          u2 * 3.0f / span, v2 * 3.0f / span});
            v = v2;
        }
        u = u2;
    }
}

void Corner(float s, float t, float x, float y, float z) {
    glTexCoord2f(s, t);
    glVertex3f(x, y, z);
}

// Faces +y at y = 0.
void EmitFloor(float span) {
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 1.0f, 0.0f);
    ForEachGridQuad(span, [](const GridQuad& q) {
        Corner(q.u, q.v, q.x, 0.0f, q.y);
        Corner(q.u, q.v2, q.x, 0.0f, q.y2);
        Corner(q.u2, q.v2, q.x2, 0.0f, q.y2);
        Corner(q.u2, q.v, q.x2, 0.0f, q.y);
    });
    glEnd();
}

// One side of the wall slab in the x-y plane at depth z, facing +z.
void EmitWallSide(float span, float z) {
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    ForEachGridQuad(span, [z](const GridQuad& q) {
        Corner(q.u, q.v, q.x, q.y, z);
        Corner(q.u2, q.v, q.x2, q.y, z);
        Corner(q.u2, q.v2, q.x2, q.y2, z);
        Corner(q.u, q.v2, q.x, q.y2, z);
    });
    glEnd();
}

// The slab's untextured end at x, seen from either side: culling is off
// while it is drawn.
void EmitWallEdge(float x, float normalX) {
    glDisable(GL_CULL_FACE);
    glBegin(GL_QUADS);
    glNormal3f(normalX, 0.0f, 0.0f);
    glVertex3f(x, 0.0f, 0.0f);
    glVertex3f(x, 0.0f, 0.1f);
    glVertex3f(x, 3.0f, 0.1f);
    glVertex3f(x, 3.0f, 0.0f);
    glEnd();
    glEnable(GL_CULL_FACE);
}

constexpr float kWallFrontZ = 0.1f;

// Both large sides face +z, so from behind (-z) the wall culls away; only
// its two ends show there. The back side is drawn first; it shows only in
// the cracks where the front meets the ends.
void EmitWall(float span) {
    EmitWallSide(span, 0.0f);
    EmitWallEdge(0.0f, -1.0f);
    EmitWallSide(span, kWallFrontZ);
    EmitWallEdge(3.0f, 1.0f);
}

void EmitWallFront(float span) { EmitWallSide(span, kWallFrontZ); }

// Faces -y at y = 3.
void EmitCeiling(float span) {
    glBegin(GL_QUADS);
    glNormal3f(0.0f, -1.0f, 0.0f);
    ForEachGridQuad(span, [](const GridQuad& q) {
        Corner(q.u, q.v, q.x, 3.0f, q.y);
        Corner(q.u2, q.v, q.x2, 3.0f, q.y);
        Corner(q.u2, q.v2, q.x2, 3.0f, q.y2);
        Corner(q.u, q.v2, q.x, 3.0f, q.y2);
    });
    glEnd();
}

template <typename Emit>
unsigned int CompileList(float span, Emit emit) {
    const GLuint list = glGenLists(1);
    if (list == 0) return 0;
    glNewList(list, GL_COMPILE);
    emit(span);
    glEndList();
    return list;
}

}  // namespace

FaceLists CompileFaceLists(float span) {
    FaceLists lists;
    lists.floor = CompileList(span, EmitFloor);
    lists.wall = CompileList(span, EmitWall);
    lists.ceiling = CompileList(span, EmitCeiling);
    lists.wallFront = CompileList(span, EmitWallFront);
    return lists;
}

void DeleteFaceLists(FaceLists& lists) {
    for (unsigned int* list : {&lists.floor, &lists.wall, &lists.ceiling, &lists.wallFront}) {
        if (*list != 0) glDeleteLists(*list, 1);
        *list = 0;
    }
}
