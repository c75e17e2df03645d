// Material: finding a material's texture file while a model is read. The
// GL material state is set in material_state.cpp.
#include "framework/load3ds/material.h"

namespace ondra {

std::shared_ptr<const Image> TexturePictures::Get(const std::string& fileName) {
    const auto [entry, added] = pictures_.try_emplace(fileName);
    if (added) {
        auto picture = std::make_shared<Image>();
        std::string why;
        if (picture->Load(fileName.c_str(), why))
            entry->second = std::move(picture);
        else
            whyNot_[fileName] = why;
    }
    return entry->second;
}

std::string TexturePictures::WhyNot(const std::string& fileName) const {
    const auto found = whyNot_.find(fileName);
    return found == whyNot_.end() ? std::string() : found->second;
}

bool Material::SetTexture(const std::string& fileName, TexturePictures& pictures) {
    textureName = fileName;
    texture = pictures.Get(fileName);
    if (texture) return true;
    const size_t dot = fileName.rfind('.');
    if (dot == std::string::npos) return false;
    std::string flattened = fileName;
    flattened[dot] = '_';
    texture = pictures.Get(flattened + ".jpg");
    if (texture) return true;
    texture = pictures.Get(fileName.substr(0, dot) + ".jpg");
    return texture != nullptr;
}

}  // namespace ondra
