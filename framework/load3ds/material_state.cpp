// Material: the GL material state a draw sets, and the texture upload.
#include <GL/gl.h>

#include "framework/load3ds/material.h"

namespace ondra {
namespace {

struct Rgba {
    float v[4];
};

Rgba WithAlpha(const Vec3& c, float alpha) { return {{c.x, c.y, c.z, alpha}}; }

}  // namespace

void Material::ApplyState() const {
    const float o = opacity;
    const Vec3 emission{diffuse.x * selfIllum, diffuse.y * selfIllum, diffuse.z * selfIllum};
    const Rgba pfAmbient = WithAlpha(ambient, o);
    const Rgba pfDiffuse = WithAlpha(diffuse, o);
    const Rgba pfEmission = WithAlpha(emission, o);
    const Rgba pfZero = {{0.0f, 0.0f, 0.0f, 0.0f}};
    const Rgba pfOneAlpha = {{1.0f, 1.0f, 1.0f, o}};
    const float pfShininess = shininess * 128.0f;

    if (o < 1.0f) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    } else {
        glDisable(GL_BLEND);
    }

    const bool textured = texture && texture->GetData() != nullptr;
    if (textured) {
        // The picture carries the colour; lighting only modulates it.
        glEnable(GL_TEXTURE_2D);
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, pfZero.v);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, pfOneAlpha.v);
    } else {
        glDisable(GL_TEXTURE_2D);
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, pfAmbient.v);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, pfDiffuse.v);
    }
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, pfZero.v);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, pfEmission.v);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SHININESS, &pfShininess);

    glPushAttrib(GL_TRANSFORM_BIT);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    if (textured) {
        glTranslatef(mapOffset.u, mapOffset.v, 0.0f);
        glScalef(mapScale.u, mapScale.v, 1.0f);
        glRotatef(mapAngle, 0.0f, 0.0f, 1.0f);
    }
    glPopAttrib();
}

void Material::UploadTexture() const {
    if (!texture || texture->GetData() == nullptr) return;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    texture->BuildMipmaps2D();
}

const Material& DefaultMaterial() {
    static const Material shared;
    return shared;
}

}  // namespace ondra
