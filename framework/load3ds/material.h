// Material: the surface of a 3DS material entry (colours, opacity, shine,
// texture placement and picture) and the GL state it stands for.
#pragma once

#include <string>

#include "framework/image.h"
#include "framework/vec3.h"

namespace ondra {

struct Material {
    std::string name;
    std::string textureName;
    Vec3 ambient{0.0f, 0.0f, 0.0f};
    Vec3 diffuse{1.0f, 1.0f, 1.0f};
    Vec3 specular{0.0f, 0.0f, 0.0f};
    float opacity = 1.0f;
    float selfIllum = 0.0f;
    float shininess = 0.0f;  // 0..1
    Vec2 mapOffset{0.0f, 0.0f};
    Vec2 mapScale{1.0f, 1.0f};
    float mapAngle = 0.0f;  // degrees
    Image texture;
    bool twoSided = false;

    // Loads the texture picture. Exporters often name a .bmp or .tga that
    // was later converted, so when the name fails and has an extension,
    // "x_ext.jpg" and then "x.jpg" are tried as well.
    bool SetTexture(const std::string& fileName);

    // Sets blending, texturing, the GL material and the texture matrix for
    // this material. The texture matrix is left as set; only the matrix
    // mode is restored.
    void ApplyState() const;
    // Fills the bound 2D texture with the mipmapped picture, if any.
    void UploadTexture() const;
};

// The material of objects that name none: the defaults above, no texture.
const Material& DefaultMaterial();

}  // namespace ondra
