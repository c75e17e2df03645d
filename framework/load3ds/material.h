// Material: the surface of a 3DS material entry (colours, opacity, shine,
// texture placement and picture) and the GL state it stands for.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>

#include "framework/image.h"
#include "framework/vec3.h"

namespace ondra {

// The pictures one model load has decoded, by the file name tried, so
// that materials naming the same file share one decode. Names that could
// not be read are kept too, and not tried again.
class TexturePictures {
public:
    // The picture in `fileName`, decoded on the first request; null when
    // the file cannot be read as a picture.
    std::shared_ptr<const Image> Get(const std::string& fileName);
    // Why Get found no picture in the file: the image readers' reason.
    std::string WhyNot(const std::string& fileName) const;
    void Clear() {
        pictures_.clear();
        whyNot_.clear();
    }

private:
    std::unordered_map<std::string, std::shared_ptr<const Image>> pictures_;
    std::unordered_map<std::string, std::string> whyNot_;
};

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
    // Null when the material has no picture. Materials of one model that
    // name the same file hold the same picture.
    std::shared_ptr<const Image> texture;
    bool twoSided = false;

    // Takes the texture picture from `pictures`. Exporters often name a
    // .bmp or .tga that was later converted, so when the name fails and
    // has an extension, "x_ext.jpg" and then "x.jpg" are tried as well.
    bool SetTexture(const std::string& fileName, TexturePictures& pictures);

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
