// The GL geometry of a ModelObject for each draw mode: points, visible
// edges, smooth or textured triangles, and plain triangles for objects
// whose normals are missing.
#include <GL/gl.h>

#include "framework/load3ds/model_object.h"

namespace ondra {
namespace {

void Vertex(const Vec3& v) { glVertex3f(v.x, v.y, v.z); }
void Normal(const Vec3& n) { glNormal3f(n.x, n.y, n.z); }

}  // namespace

void ModelObject::EmitPoints() const {
    glBegin(GL_POINTS);
    for (const Vec3& v : vertices) Vertex(v);
    glEnd();
}

void ModelObject::EmitEdges() const {
    glBegin(GL_LINES);
    for (const Face& f : faces) {
        const Vec3& a = vertices[f.vertex[0]];
        const Vec3& b = vertices[f.vertex[1]];
        const Vec3& c = vertices[f.vertex[2]];
        if (f.edgeFlags & 4) {
            Vertex(a);
            Vertex(b);
        }
        if (f.edgeFlags & 2) {
            Vertex(b);
            Vertex(c);
        }
        if (f.edgeFlags & 1) {
            Vertex(c);
            Vertex(a);
        }
    }
    glEnd();
}

void ModelObject::EmitSmooth() const {
    if (normals.empty()) {
        EmitPlain();
        return;
    }
    glBegin(GL_TRIANGLES);
    for (const Face& f : faces)
        for (int k = 0; k < 3; ++k) {
            Normal(normals[f.normal[k]]);
            Vertex(vertices[f.vertex[k]]);
        }
    glEnd();
}

void ModelObject::EmitFull() const {
    if (normals.empty())
        EmitPlain();
    else if (!texCoords.empty())
        EmitTextured();
    else
        EmitSmooth();
}

void ModelObject::EmitTextured() const {
    glBegin(GL_TRIANGLES);
    for (const Face& f : faces)
        for (int k = 0; k < 3; ++k) {
            const Vec2 t = TexCoordOf(f.vertex[k]);
            glTexCoord2f(t.u, t.v);
            Normal(normals[f.normal[k]]);
            Vertex(vertices[f.vertex[k]]);
        }
    glEnd();
}

void ModelObject::EmitPlain() const {
    glBegin(GL_TRIANGLES);
    for (const Face& f : faces)
        for (int k = 0; k < 3; ++k) Vertex(vertices[f.vertex[k]]);
    glEnd();
}

}  // namespace ondra
